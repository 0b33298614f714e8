#pragma once
// Per-pixel effects over whole 32-bit bitmaps: tints, mixes of two or three
// bitmaps by a weight, by the source's alpha or by a grey mask, and the
// soft rounded fill. Weights are 0..255 and d + (s - d) x w / 256 never
// quite reaches s. Two bitmaps that must be of one size leave everything
// alone when they are not.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"

// Every pixel but the key colour: c := (c x Amount + colour x (255 - Amount)) shr 8; alpha kept.
void TintBitmapExceptKey(TBitmap& Bmp, uint8_t Amount, uint32_t Color);
// Each channel c := C + (c - C) x m / 256, m the same channel of Mask.
void BlendColorThroughMask(TBitmap& Bmp, TBitmap& Mask, uint32_t Color);
// d := s + (d - s) x Amount / 256 for the colours; alpha kept.
void MixBitmaps(TBitmap& Dst, TBitmap& Src, uint8_t Amount);
// d := d + (s - d) x s.alpha / 256 for the colours; alpha kept.
void BlendBitmapByAlpha(TBitmap& Dst, TBitmap& Src);
// Without Mask Dst := B - (Amount x (B - A) + 255) shr 8, with it
// Dst := B + (A - B) x m / 256; Dst keeps its alpha. A, B (and Mask) of
// one size, Dst at least as large.
void MixBitmapsByAmountOrMask(TBitmap& Dst, TBitmap& A, TBitmap& B, TBitmap* Mask, uint8_t Amount);
// Color at (100 - Transparency) % strength inside R, fading out towards
// R's border over FadeWidth pixels, corners rounded by Radius.
void FillSoftRoundRect(TBitmap& Bmp, RECT R, int Transparency, uint32_t Color, int FadeWidth, int Radius);
