#include "skin/painting/KeyColorCopies.h"

#include "skin/graphics/PixelRoutines.h"
#include "skin/painting/PieceClipping.h"

namespace {

// Blend 0 (plain copy) or a mix; UseBg only for the plain copy.
void CopyExceptKey(TBitmap& Dst, TBitmap& Src, int X, int Y, const RECT& SrcRect, uint32_t TransColor,
                   const TacBackgroundSource& BgSource, bool UseBg, uint8_t Blend) {
  RECT src{SrcRect.left, SrcRect.top, SrcRect.right + 1, SrcRect.bottom + 1};
  RECT dst{X, Y, X + (src.right - src.left), Y + (src.bottom - src.top)};
  TPieceSpan span;
  if (!ClipPiece(dst, src, Dst, Src, 0, span)) return;
  TPixelWalk d, s, b;
  if (!d.Open(&Dst) || !s.Open(&Src)) return;
  bool useBg = UseBg && BgSource.Ready && b.Open(BgSource.Bmp);
  const uint32_t key = ExchangeRedBlue(TransColor) & 0xFFFFFF;
  for (int y = 0; y < span.Height; ++y) {
    uint32_t* dRow = d.Row(span.DstY + y) + span.DstX;
    const uint32_t* sRow = s.Row(span.SrcY + y) + span.SrcX;
    int bgY = span.DstY + y + BgSource.Y;
    for (int x = 0; x < span.Width; ++x) {
      uint32_t p = sRow[x];
      if ((p & 0xFFFFFF) == key) {
        if (!useBg) continue;
        int bgX = span.DstX + x + BgSource.X;
        if (bgX >= 0 && bgY >= 0 && bgX < BgSource.Bmp->Width() && bgY < BgSource.Bmp->Height())
          dRow[x] = b.Row(bgY)[bgX];
        continue;
      }
      if (Blend == 0) {
        dRow[x] = p | 0xFF000000;
        continue;
      }
      uint32_t q = dRow[x], out = 0xFF000000;
      for (int shift = 0; shift < 24; shift += 8) {
        uint32_t c = ((p >> shift & 0xFF) * (255 - Blend) + (q >> shift & 0xFF) * Blend) >> 8;
        out |= c << shift;
      }
      dRow[x] = out;
    }
  }
}

}  // namespace

void CopyRectExceptKeyColor(TBitmap& Dst, TBitmap& Src, int X, int Y, RECT SrcRect, uint32_t TransColor,
                            const TacBackgroundSource& BgSource, bool UseBg) {
  CopyExceptKey(Dst, Src, X, Y, SrcRect, TransColor, BgSource, UseBg, 0);
}

void CopyExceptKeyColorBlend(TBitmap& Dst, TBitmap& Src, int X, int Y, RECT SrcRect, uint32_t TransColor,
                             const TacBackgroundSource& BgSource, uint8_t Blend) {
  CopyExceptKey(Dst, Src, X, Y, SrcRect, TransColor, BgSource, false, Blend);
}
