#pragma once
// Copies of one 32-bit bitmap into another that leave out the key colour
// 0x00FF00FF (magenta, alpha 0) or fill it from the background under the
// target, blend through a grey mask half, or uncover an image diagonally.
// Every copy is cut to both bitmaps (source and target) and never reads or
// writes outside them; rectangles exclude right and bottom unless marked
// inclusive.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/graphics/SkinTypes.h"

// The smaller of DstRect and SrcRect. Not ready: blended by the source's
// alpha everywhere. Ready: key pixels are not blended and, with UseBg, take
// the background at their place with alpha 255.
void DrawAlphaOverBackground(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                             const TacBackgroundSource& BgSource, bool UseBg);

// The engine's main image copy: the smaller of DstRect and SrcRect drawn
// with the source's alpha, weakened by Percent (0..100) of transparency,
// tinted in Color unless it is 0x1FFFFFFF, and with a fading mirror image
// below DstRect when Reflected. With a ready background, key pixels and
// pixels of alpha 16 or less are see-through: not drawn, and with UseBg
// given the background's colour.
void CopyRectTransparent(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap* Src,
                         const TacBackgroundSource& BgSource, bool UseBg, uint32_t Color, int Percent, bool Reflected);

// How a skin image with a grey mask below its picture is copied: the mask
// row lies MaskOffset rows below the picture row; OwnAlpha when the picture
// carries its own alpha, KeyColor when magenta marks its see-through pixels
// (else alpha 0 does).
struct TacMaskedImage {
  int MaskOffset = 0;
  bool OwnAlpha = false;
  bool KeyColor = true;
};
// The mask value m of each channel keeps m / 256 of the destination.
void CopyThroughMaskImage(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                          const TacBackgroundSource& BgSource, bool UseBg, const TacMaskedImage& Image);

// SrcRect (inclusive) at (X, Y). Key (a colour value) pixels take the
// background with UseBg and a ready source, stay as they are with a ready
// source alone, and take the fill colour without one; other pixels are
// copied as they are (with alpha 255 when Dst is the background itself).
void CopyRectKeyToBackground(TBitmap& Dst, TBitmap& Src, int X, int Y, RECT SrcRect, uint32_t Key,
                             const TacBackgroundSource& BgSource, bool UseBg);
// SrcRect (inclusive, cut to Src without moving the target) at (X, Y),
// leaving out Key pixels. Amount 0 copies; else the colours are blended by
// Amount and alpha becomes at least Amount.
void CopyRectExceptColorBlend(TBitmap& Dst, TBitmap& Src, int X, int Y, RECT SrcRect, uint32_t Key, uint8_t Amount);
// The whole of Src at (X, Y) without its TransColor pixels; copied pixels
// are opaque.
void CopyBitmapExceptColor(TBitmap& Dst, TBitmap& Src, int X, int Y, uint32_t TransColor);
// The pixels of SrcRect (inclusive) at offset (x, y) with x + H - y <
// Position: a growing Position uncovers the image from its lower-left
// corner.
void CopyRectDiagonal(TBitmap& Dst, TBitmap& Src, int Position, RECT SrcRect, POINT DstPoint);
