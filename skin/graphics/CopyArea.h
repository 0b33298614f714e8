#pragma once
// The area two-bitmap copies work on, cut to both bitmaps, and the byte
// arithmetic their blends share.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"

struct TCopyArea {
  int SrcX = 0, SrcY = 0, DstX = 0, DstY = 0, Width = 0, Height = 0;
};

// SrcRect (right and bottom excluded) of a SrcW x SrcH picture placed at
// DstPoint of a DstW x DstH one. A negative coordinate on either side moves
// the other by the same amount; false when nothing is left.
bool ClipCopyArea(int DstW, int DstH, int SrcW, int SrcH, RECT SrcRect, POINT DstPoint, TCopyArea& Area);
bool ClipCopyArea(const TBitmap& Dst, const TBitmap& Src, RECT SrcRect, POINT DstPoint, TCopyArea& Area);
// The same for a rectangle whose right and bottom are included.
bool ClipCopyAreaInclusive(const TBitmap& Dst, const TBitmap& Src, RECT SrcRect, POINT DstPoint, TCopyArea& Area);
// The smaller of two rectangles (right and bottom excluded), from their
// top-left corners.
bool ClipCopyRects(const TBitmap& Dst, const TBitmap& Src, const RECT& DstRect, const RECT& SrcRect, TCopyArea& Area);

// d + (s - d) x w / 256 with w in 0..255; never leaves 0..255, so it needs
// no signed shift.
inline uint32_t MixByte(uint32_t d, uint32_t s, uint32_t w) { return (d * (256 - w) + s * w) >> 8; }

// The key colour of see-through pixels, in pixel order with alpha 0.
constexpr uint32_t kKeyPixel = 0x00FF00FF;

// A background pixel at (X, Y) of a ready background source; nullptr when
// it lies outside the background bitmap (it is never read there).
struct TBackgroundPixels {
  uint8_t* Row0 = nullptr;
  ptrdiff_t Step = 0;
  int Width = 0, Height = 0;
  uint32_t* At(int X, int Y) const {
    if (!Row0 || X < 0 || Y < 0 || X >= Width || Y >= Height) return nullptr;
    return reinterpret_cast<uint32_t*>(Row0 + Y * Step) + X;
  }
};
TBackgroundPixels BackgroundPixels(TBitmap* Bmp);
