#include "skin/effects/ClearPixelsMatching.h"

#include <cstdint>

void ClearPixelsMatching(TBitmap& Bmp, TBitmap& Background) {
  if (Bmp.Width() != Background.Width() || Bmp.Height() != Background.Height()) return;
  if (Bmp.PixelFormat() != pf32bit || Background.PixelFormat() != pf32bit) return;
  for (int Y = 0; Y < Bmp.Height(); ++Y) {
    auto* Row = static_cast<uint32_t*>(Bmp.ScanLine(Y));
    const auto* BgRow = static_cast<const uint32_t*>(Background.ScanLine(Y));
    for (int X = 0; X < Bmp.Width(); ++X)
      if (((Row[X] ^ BgRow[X]) & 0xFFFFFF) == 0) Row[X] = 0;
  }
}
