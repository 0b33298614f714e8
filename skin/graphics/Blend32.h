#pragma once
// Source-over blending of 32-bit bitmaps by the source's alpha.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"

// SrcRect is inclusive. Per channel d := d + (s - d) x v / 256 with v the
// source alpha (times Opacity shr 8 unless Opacity is 255); the result's
// alpha never drops below the destination's. Clipped to both bitmaps.
void DrawBitmapAlpha(TBitmap& Dst, TBitmap& Src, RECT SrcRect, POINT DstPoint, uint8_t Opacity);
// As DrawBitmapAlpha, but a destination pixel stays as it is where it
// equals the Ref pixel at the same place from RefPoint or, without Ref,
// where it equals Key.
void DrawBitmapAlphaExceptRef(TBitmap& Dst, TBitmap& Src, TBitmap* Ref, uint32_t Key, RECT SrcRect, POINT DstPoint,
                              POINT RefPoint, uint8_t Opacity);
// (SrcX, SrcY, SrcW, SrcH) of Src scaled to W x H and blended at (X, Y)
// like DrawBitmapAlpha. From the origin the whole of Src is resampled
// (SrcW and SrcH unused); elsewhere the part is stretched without filter.
void DrawBitmapAlphaScaled(TBitmap& Dst, int X, int Y, int W, int H, TBitmap& Src, int SrcX, int SrcY, int SrcW,
                           int SrcH, uint8_t Opacity);
// SrcRect (inclusive) onto Dst at DstPoint, all four bytes
// d := s + (d - s) x Transparency / 256. Clipped to both.
void BlendRectConstant(TBitmap& Dst, TBitmap& Src, uint8_t Transparency, RECT SrcRect, POINT DstPoint);

// SrcRect (inclusive) of Src onto Dst at (X, Y), clipped to both: every byte
// d := (s x (255 - Blend) + d x Blend) shr 8, except on Dst pixels whose
// whole value is TransColor.
void BlendRectExceptColor(TBitmap& Dst, int X, int Y, TBitmap& Src, RECT SrcRect, uint8_t Blend, uint32_t TransColor);
// Grey levels in place: g := Round(0.299 R + 0.587 G + 0.114 B); alpha kept.
void GrayscaleBitmap(TBitmap& Bmp);
// The same, leaving out pixels whose whole value is Except.
void GrayscaleBitmapExceptColor(TBitmap& Bmp, uint32_t Except);
