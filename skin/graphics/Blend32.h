#pragma once
// Source-over blending of 32-bit bitmaps by the source's alpha.
#include <windows.h>

#include "framework/Bitmap.h"

// SrcRect is inclusive. Per channel d := d + (s - d) x v / 256 with v the
// source alpha (times Opacity shr 8 unless Opacity is 255); the result's
// alpha never drops below the destination's. Clipped to both bitmaps.
void DrawBitmapAlpha(TBitmap& Dst, TBitmap& Src, RECT SrcRect, POINT DstPoint, uint8_t Opacity);
