#pragma once
// One frame of a glyph strip (frames side by side) onto a bitmap, chosen by
// the control's state, with an optional reflection under it.
#include <windows.h>

#include "framework/Bitmap.h"

// StateKind: 0 the first frame; 1 hot; 2 the frame of StateIndex after the
// disabled and hot ones; 3 pressed. A disabled glyph takes the first frame.
// Without StateKind the disabled frame is blended in by Blend percent, else
// the frame is copied without its key colour (its bottom-left pixel). With
// Reflection the glyph sits higher by an eighth of R's height and its
// mirror image is drawn under it.
void DrawGlyphFrame(TBitmap& Glyph, TBitmap& Dst, const RECT& R, int FrameCount, bool Enabled, int StateKind, int Blend,
                    int StateIndex, bool Reflection);
// The frame DrawGlyphFrame takes; the skin's glyph order is read from the
// default manager.
int GlyphFrameIndex(const TBitmap& Glyph, int FrameCount, bool Enabled, int StateKind, int StateIndex);
