#pragma once
// Copies of plain skin pictures that leave out the key colour.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/graphics/SkinTypes.h"

// SrcRect inclusive, to (X, Y) of Dst; cut to both bitmaps. Pixels other
// than TransColor are copied with alpha 255; TransColor pixels take, with
// UseBg and a ready BgSource, its bitmap's pixel at the destination position
// plus its offset, else they keep the destination.
void CopyRectExceptKeyColor(TBitmap& Dst, TBitmap& Src, int X, int Y, RECT SrcRect, uint32_t TransColor,
                            const TacBackgroundSource& BgSource, bool UseBg);
// The same with the copied pixels mixed into the destination: Blend 0 is
// the picture alone, 255 the destination alone.
void CopyExceptKeyColorBlend(TBitmap& Dst, TBitmap& Src, int X, int Y, RECT SrcRect, uint32_t TransColor,
                             const TacBackgroundSource& BgSource, uint8_t Blend);
