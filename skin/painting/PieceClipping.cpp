#include "skin/painting/PieceClipping.h"

#include <algorithm>

#include "skin/graphics/Bitmap32.h"

bool ClipPiece(const RECT& DstRect, const RECT& SrcRect, const TBitmap& Dst, const TBitmap& Src, int SrcExtraRows,
               TPieceSpan& Span) {
  int w = std::min(DstRect.right - DstRect.left, SrcRect.right - SrcRect.left);
  int h = std::min(DstRect.bottom - DstRect.top, SrcRect.bottom - SrcRect.top);
  int dx = DstRect.left, dy = DstRect.top, sx = SrcRect.left, sy = SrcRect.top;
  // Before 0 on either side both rectangles lose the same rows and columns.
  int skipX = std::max({0, -dx, -sx});
  int skipY = std::max({0, -dy, -sy});
  dx += skipX, sx += skipX, w -= skipX;
  dy += skipY, sy += skipY, h -= skipY;
  w = std::min({w, Dst.Width() - dx, Src.Width() - sx});
  h = std::min({h, Dst.Height() - dy, Src.Height() - sy - std::max(0, SrcExtraRows)});
  if (w <= 0 || h <= 0) return false;
  Span = TPieceSpan{dx, dy, sx, sy, w, h};
  return true;
}

bool TPixelWalk::Open(TBitmap* Bmp) {
  return Bmp != nullptr && Bmp->PixelFormat() == pf32bit && PrepareScanlineWalk(Bmp, Row0, Step);
}
