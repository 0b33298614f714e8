#pragma once
// Source-over blending of 32-bit bitmaps by the source's alpha.
#include <windows.h>

#include "framework/Bitmap.h"

// SrcRect is inclusive. Per channel d := d + (s - d) x v / 256 with v the
// source alpha (times Opacity shr 8 unless Opacity is 255); the result's
// alpha never drops below the destination's. Clipped to both bitmaps.
void DrawBitmapAlpha(TBitmap& Dst, TBitmap& Src, RECT SrcRect, POINT DstPoint, uint8_t Opacity);

// SrcRect (inclusive) of Src onto Dst at (X, Y), clipped to both: every byte
// d := (s x (255 - Blend) + d x Blend) shr 8, except on Dst pixels whose
// whole value is TransColor.
void BlendRectExceptColor(TBitmap& Dst, int X, int Y, TBitmap& Src, RECT SrcRect, uint8_t Blend, uint32_t TransColor);
// Grey levels in place: g := Round(0.299 R + 0.587 G + 0.114 B); alpha kept.
void GrayscaleBitmap(TBitmap& Bmp);
