#pragma once
// The one drawing entry for every kind of image list: an image (or one frame
// of a strip) drawn with alpha at a density into a 32-bit bitmap or onto a
// device context.
#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"

// Draws image Index of List at (X, Y) of Bitmap: frame FrameIndex of
// FrameCount (clamped to the last), Blend percent of transparency, tinted in
// ToneColor unless it is clNone, mirrored below when Reflected, rendered for
// PPI. Size gets the drawn frame's size. FontColor is the colour glyph lists
// draw in (clNone: their own).
void DrawAlphaImage(TCustomImageList* List, TBitmap* Bitmap, int X, int Y, int Index, int Blend, TColor ToneColor,
                    int FrameIndex, int FrameCount, bool Reflected, int PPI, SIZE& Size, TColor FontColor = clNone);
// The same onto a device context; glyph lists take the DC's text colour.
void DrawAlphaImageDC(TCustomImageList* List, HDC DC, int X, int Y, int Index, int Blend, TColor ToneColor,
                      int FrameIndex, int FrameCount, bool Reflected, int PPI, SIZE& Size);

// The density the list renders its next images for; true when it changed.
// Lists that do not follow the density keep theirs.
bool SetImageListPPI(TCustomImageList* List, int PPI);
// The state (frame) the next glyph of a list is drawn in.
void SetCharListState(TCustomImageList* List, int State);
