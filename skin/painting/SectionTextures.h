#pragma once
// Texture pictures of skin sections laid into a rectangle by their drawing
// mode: tiled, stretched, or as a band along one edge. Every copy is cut to
// the target bitmap and to the picture, so a texture larger or smaller than
// either never reads or writes outside.
#include <windows.h>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"
#include "skin/graphics/SkinTypes.h"

// The rectangle a tiler hands back when it has covered all of it.
constexpr RECT kCoveredRect = {-1, -1, -1, -1};

// SrcRect (exclusive) of Src laid into R of Bmp by Mode (0-13). R comes back
// as the part still uncovered: kCoveredRect, the rest beside a band, or
// unchanged for a mode that places nothing.
void DrawTextureByMode(TBitmap& Bmp, RECT& R, TBitmap& Src, const RECT& SrcRect, int Mode);
// A texture item whose lower half is its mask, tiled in modes 0 and 10
// over BgSource (in mode 10 the strips too small for a whole tile take the
// background); R comes back covered, or unchanged in other modes.
void DrawMaskedTexture(TBitmap& Bmp, RECT& R, const TsMaskData& Item, const TacBackgroundSource& BgSource);
