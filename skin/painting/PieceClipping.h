#pragma once
// Where a copy of a piece may read and write: the common size of the two
// rectangles, cut so that every row and column lies in both bitmaps (and,
// for masked items, so that the mask row below lies in the source too).
#include <windows.h>

#include "framework/Bitmap.h"

struct TPieceSpan {
  int DstX = 0, DstY = 0, SrcX = 0, SrcY = 0, Width = 0, Height = 0;
};

// Rectangles exclusive. SrcExtraRows: rows below the piece the copy also
// reads (the mask offset). False when nothing is left to copy.
bool ClipPiece(const RECT& DstRect, const RECT& SrcRect, const TBitmap& Dst, const TBitmap& Src, int SrcExtraRows,
               TPieceSpan& Span);

// A pixel whose colour, alpha ignored, is the skin's see-through key.
inline bool IsKeyColorPixel(uint32_t Pixel) { return (Pixel & 0xFFFFFF) == 0xFF00FF; }

// The scan-line walk of a 32-bit bitmap; Open fails for other formats and
// for bitmaps without pixels.
struct TPixelWalk {
  uint8_t* Row0 = nullptr;
  ptrdiff_t Step = 0;
  bool Open(TBitmap* Bmp);
  uint32_t* Row(int Y) const { return reinterpret_cast<uint32_t*>(Row0 + Y * Step); }
};
