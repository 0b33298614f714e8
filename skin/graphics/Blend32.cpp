#include "skin/graphics/Blend32.h"

#include <algorithm>
#include <cmath>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/CopyArea.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/Resample.h"

namespace {

inline uint32_t Mix(uint32_t d, uint32_t s, uint32_t w) { return MixByte(d, s, w); }

inline uint32_t BlendPixel(uint32_t d, uint32_t s, uint32_t v) {
  if (v == 0) return d;
  const uint32_t da = d >> 24;
  const uint32_t b = Mix(d & 0xFF, s & 0xFF, v), g = Mix(d >> 8 & 0xFF, s >> 8 & 0xFF, v),
                 r = Mix(d >> 16 & 0xFF, s >> 16 & 0xFF, v);
  const uint32_t a = std::max(da, Mix(da, v, v));
  return a << 24 | r << 16 | g << 8 | b;
}

}  // namespace

void DrawBitmapAlpha(TBitmap& Dst, TBitmap& Src, RECT SrcRect, POINT DstPoint, uint8_t Opacity) {
  // Clip source and destination together (the source rectangle is inclusive).
  if (SrcRect.left < 0) DstPoint.x -= SrcRect.left, SrcRect.left = 0;
  if (SrcRect.top < 0) DstPoint.y -= SrcRect.top, SrcRect.top = 0;
  if (DstPoint.x < 0) SrcRect.left -= DstPoint.x, DstPoint.x = 0;
  if (DstPoint.y < 0) SrcRect.top -= DstPoint.y, DstPoint.y = 0;
  SrcRect.right = std::min<LONG>({SrcRect.right, Src.Width() - 1, SrcRect.left + Dst.Width() - 1 - DstPoint.x});
  SrcRect.bottom = std::min<LONG>({SrcRect.bottom, Src.Height() - 1, SrcRect.top + Dst.Height() - 1 - DstPoint.y});
  if (SrcRect.right < SrcRect.left || SrcRect.bottom < SrcRect.top) return;
  if (DstPoint.x >= Dst.Width() || DstPoint.y >= Dst.Height()) return;
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!PrepareScanlineWalk(&Dst, D0, DStep) || !PrepareScanlineWalk(&Src, S0, SStep)) return;
  const int W = SrcRect.right - SrcRect.left + 1;
  for (int y = SrcRect.top; y <= SrcRect.bottom; ++y) {
    const uint32_t* s = PixelRow(S0, SStep, y) + SrcRect.left;
    uint32_t* d = PixelRow(D0, DStep, DstPoint.y + y - SrcRect.top) + DstPoint.x;
    if (Opacity == 255)
      for (int x = 0; x < W; ++x) d[x] = BlendPixel(d[x], s[x], s[x] >> 24);
    else
      for (int x = 0; x < W; ++x) d[x] = BlendPixel(d[x], s[x], (s[x] >> 24) * Opacity >> 8);
  }
}

void BlendRectExceptColor(TBitmap& Dst, int X, int Y, TBitmap& Src, RECT SrcRect, uint8_t Blend, uint32_t TransColor) {
  if (SrcRect.left < 0) X -= SrcRect.left, SrcRect.left = 0;
  if (SrcRect.top < 0) Y -= SrcRect.top, SrcRect.top = 0;
  if (X < 0) SrcRect.left -= X, X = 0;
  if (Y < 0) SrcRect.top -= Y, Y = 0;
  SrcRect.right = std::min<LONG>({SrcRect.right, Src.Width() - 1, SrcRect.left + Dst.Width() - 1 - X});
  SrcRect.bottom = std::min<LONG>({SrcRect.bottom, Src.Height() - 1, SrcRect.top + Dst.Height() - 1 - Y});
  if (SrcRect.right < SrcRect.left || SrcRect.bottom < SrcRect.top) return;
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!PrepareScanlineWalk(&Dst, D0, DStep) || !PrepareScanlineWalk(&Src, S0, SStep)) return;
  const uint32_t Keep = Blend, Take = 255 - Blend;
  for (int y = SrcRect.top; y <= SrcRect.bottom; ++y) {
    const uint8_t* s = S0 + y * SStep + SrcRect.left * 4;
    uint8_t* d = D0 + (Y + y - SrcRect.top) * DStep + X * 4;
    for (int x = SrcRect.left; x <= SrcRect.right; ++x, s += 4, d += 4) {
      if (*reinterpret_cast<uint32_t*>(d) == TransColor) continue;
      for (int i = 0; i < 4; ++i) d[i] = uint8_t((s[i] * Take + d[i] * Keep) >> 8);
    }
  }
}

namespace {

template <bool Skipping>
void Grayscale(TBitmap& Bmp, uint32_t Except) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  for (int y = 0; y < Bmp.Height(); ++y) {
    uint8_t* p = Row0 + y * Step;
    for (int x = 0; x < Bmp.Width(); ++x, p += 4) {
      if (Skipping && *reinterpret_cast<uint32_t*>(p) == Except) continue;
      // Extended precision, as the weights were always evaluated in it:
      // ties land where they always landed.
      long double L = 0.299L * p[2] + 0.587L * p[1] + 0.114L * p[0];
      p[0] = p[1] = p[2] = uint8_t(std::nearbyintl(L));
    }
  }
}

}  // namespace

void GrayscaleBitmap(TBitmap& Bmp) { Grayscale<false>(Bmp, 0); }

void GrayscaleBitmapExceptColor(TBitmap& Bmp, uint32_t Except) { Grayscale<true>(Bmp, Except); }

void BlendRectConstant(TBitmap& Dst, TBitmap& Src, uint8_t Transparency, RECT SrcRect, POINT DstPoint) {
  TCopyArea a;
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!ClipCopyAreaInclusive(Dst, Src, SrcRect, DstPoint, a) || !PrepareScanlineWalk(&Dst, D0, DStep) ||
      !PrepareScanlineWalk(&Src, S0, SStep))
    return;
  for (int y = 0; y < a.Height; ++y) {
    const uint8_t* s = S0 + (a.SrcY + y) * SStep + a.SrcX * 4;
    uint8_t* d = D0 + (a.DstY + y) * DStep + a.DstX * 4;
    for (int i = 0; i < a.Width * 4; ++i) d[i] = uint8_t(MixByte(s[i], d[i], Transparency));
  }
}

void DrawBitmapAlphaExceptRef(TBitmap& Dst, TBitmap& Src, TBitmap* Ref, uint32_t Key, RECT SrcRect, POINT DstPoint,
                              POINT RefPoint, uint8_t Opacity) {
  TCopyArea a;
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!ClipCopyAreaInclusive(Dst, Src, SrcRect, DstPoint, a) || !PrepareScanlineWalk(&Dst, D0, DStep) ||
      !PrepareScanlineWalk(&Src, S0, SStep))
    return;
  const TBackgroundPixels RefPixels = BackgroundPixels(Ref);
  // The reference follows the clipped start of the destination.
  const int RefX = RefPoint.x + a.DstX - DstPoint.x, RefY = RefPoint.y + a.DstY - DstPoint.y;
  for (int y = 0; y < a.Height; ++y) {
    const uint32_t* s = PixelRow(S0, SStep, a.SrcY + y) + a.SrcX;
    uint32_t* d = PixelRow(D0, DStep, a.DstY + y) + a.DstX;
    for (int x = 0; x < a.Width; ++x) {
      if (Ref) {
        const uint32_t* r = RefPixels.At(RefX + x, RefY + y);
        if (r && *r == d[x]) continue;
      } else if (d[x] == Key) {
        continue;
      }
      const uint32_t v = Opacity == 255 ? s[x] >> 24 : (s[x] >> 24) * Opacity >> 8;
      d[x] = BlendPixel(d[x], s[x], v);
    }
  }
}

void DrawBitmapAlphaScaled(TBitmap& Dst, int X, int Y, int W, int H, TBitmap& Src, int SrcX, int SrcY, int SrcW,
                           int SrcH, uint8_t Opacity) {
  if (X < 0) SrcX -= X, X = 0;
  if (Y < 0) SrcY -= Y, Y = 0;
  if (SrcX < 0) {
    if (X - SrcX < 0)
      SrcX -= X, X = 0;
    else
      X -= SrcX, SrcX = 0;
  }
  if (SrcY < 0) {
    if (Y - SrcY < 0)
      SrcY -= Y, Y = 0;
    else
      Y -= SrcY, SrcY = 0;
  }
  if (W <= 0 || H <= 0 || SrcW <= 0 || SrcH <= 0) return;
  if (X >= Dst.Width() || Y >= Dst.Height() || SrcX < 0 || SrcY < 0 || SrcX >= Src.Width() || SrcY >= Src.Height())
    return;
  auto Tmp = NewBitmap32(W, H);
  if (Tmp->Empty()) return;
  // The resampler leaves its target alone for a picture below 2 x 2.
  FillRect32(*Tmp, RECT{0, 0, W, H}, 0, 0);
  if (SrcX == 0 && SrcY == 0) {
    ResampleBitmap(Src, *Tmp, W, H, 6);
  } else {
    SetStretchBltMode(Tmp->DC(), COLORONCOLOR);
    StretchBlt(Tmp->DC(), 0, 0, W, H, Src.DC(), SrcX, SrcY, SrcW, SrcH, SRCCOPY);
    GdiFlush();
  }
  DrawBitmapAlpha(Dst, *Tmp, RECT{0, 0, W - 1, H - 1}, POINT{X, Y}, Opacity);
}
