#include "skin/graphics/PixelEffects.h"

#include <algorithm>
#include <cmath>

#include "framework/GdiHandles.h"
#include "framework/Graphics.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/CopyArea.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

bool SameSize(const TBitmap& A, const TBitmap& B) { return A.Width() == B.Width() && A.Height() == B.Height(); }

}  // namespace

void TintBitmapExceptKey(TBitmap& Bmp, uint8_t Amount, uint32_t Color) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const uint32_t Keep = Amount, Mix = 255 - Amount;
  const uint32_t c[3] = {(Color >> 16 & 0xFF) * Mix, (Color >> 8 & 0xFF) * Mix, (Color & 0xFF) * Mix};
  for (int y = 0; y < Bmp.Height(); ++y) {
    uint8_t* p = Row0 + y * Step;
    for (int x = 0; x < Bmp.Width(); ++x, p += 4) {
      if (*reinterpret_cast<uint32_t*>(p) == kKeyPixel) continue;
      for (int i = 0; i < 3; ++i) p[i] = uint8_t((p[i] * Keep + c[i]) >> 8);
    }
  }
}

void BlendColorThroughMask(TBitmap& Bmp, TBitmap& Mask, uint32_t Color) {
  uint8_t *B0, *M0;
  ptrdiff_t BStep, MStep;
  if (!SameSize(Bmp, Mask) || !PrepareScanlineWalk(&Bmp, B0, BStep) || !PrepareScanlineWalk(&Mask, M0, MStep)) return;
  const uint32_t c[3] = {Color >> 16 & 0xFF, Color >> 8 & 0xFF, Color & 0xFF};
  for (int y = 0; y < Bmp.Height(); ++y) {
    uint8_t* p = B0 + y * BStep;
    const uint8_t* m = M0 + y * MStep;
    for (int x = 0; x < Bmp.Width(); ++x, p += 4, m += 4)
      for (int i = 0; i < 3; ++i) p[i] = uint8_t(MixByte(c[i], p[i], m[i]));
  }
}

void MixBitmaps(TBitmap& Dst, TBitmap& Src, uint8_t Amount) {
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!SameSize(Dst, Src) || !PrepareScanlineWalk(&Dst, D0, DStep) || !PrepareScanlineWalk(&Src, S0, SStep)) return;
  for (int y = 0; y < Dst.Height(); ++y) {
    uint8_t* d = D0 + y * DStep;
    const uint8_t* s = S0 + y * SStep;
    for (int x = 0; x < Dst.Width(); ++x, d += 4, s += 4)
      for (int i = 0; i < 3; ++i) d[i] = uint8_t(MixByte(s[i], d[i], Amount));
  }
}

void BlendBitmapByAlpha(TBitmap& Dst, TBitmap& Src) {
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!SameSize(Dst, Src) || !PrepareScanlineWalk(&Dst, D0, DStep) || !PrepareScanlineWalk(&Src, S0, SStep)) return;
  for (int y = 0; y < Dst.Height(); ++y) {
    uint8_t* d = D0 + y * DStep;
    const uint8_t* s = S0 + y * SStep;
    for (int x = 0; x < Dst.Width(); ++x, d += 4, s += 4)
      if (s[3] != 0)
        for (int i = 0; i < 3; ++i) d[i] = uint8_t(MixByte(d[i], s[i], s[3]));
  }
}

void MixBitmapsByAmountOrMask(TBitmap& Dst, TBitmap& A, TBitmap& B, TBitmap* Mask, uint8_t Amount) {
  const int W = A.Width(), H = A.Height();
  if (!SameSize(A, B) || Dst.Width() < W || Dst.Height() < H || (Mask && !SameSize(A, *Mask))) return;
  uint8_t *D0, *A0, *B0, *M0 = nullptr;
  ptrdiff_t DStep, AStep, BStep, MStep = 0;
  if (!PrepareScanlineWalk(&Dst, D0, DStep) || !PrepareScanlineWalk(&A, A0, AStep) ||
      !PrepareScanlineWalk(&B, B0, BStep) || (Mask && !PrepareScanlineWalk(Mask, M0, MStep)))
    return;
  for (int y = 0; y < H; ++y) {
    uint8_t* d = D0 + y * DStep;
    const uint8_t *a = A0 + y * AStep, *b = B0 + y * BStep;
    if (M0) {
      const uint8_t* m = M0 + y * MStep;
      for (int x = 0; x < W; ++x, d += 4, a += 4, b += 4, m += 4)
        for (int i = 0; i < 3; ++i) d[i] = uint8_t(MixByte(b[i], a[i], m[i]));
    } else {
      // B - A may be negative: the shift floors, so the result stays in 0..255.
      for (int x = 0; x < W; ++x, d += 4, a += 4, b += 4)
        for (int i = 0; i < 3; ++i) d[i] = uint8_t(b[i] - ((int(Amount) * (b[i] - a[i]) + 255) >> 8));
    }
  }
}

void FillSoftRoundRect(TBitmap& Bmp, RECT R, int Transparency, uint32_t Color, int FadeWidth, int Radius) {
  if (!ClipToBitmap(Bmp, R)) return;
  const int W = R.right - R.left, H = R.bottom - R.top;
  auto Tmp = NewBitmap32(W, H);
  auto Mask = NewBitmap32(W, H);
  if (Tmp->Empty() || Mask->Empty()) return;
  BitBlt(Tmp->DC(), 0, 0, W, H, Bmp.DC(), R.left, R.top, SRCCOPY);
  // Outside the outer rounded corners the mask keeps the picture as it was.
  FillRect32(*Mask, RECT{0, 0, W, H}, 0xFFFFFF, 0);
  const int Fw = std::max(0, std::min({W / 2, H / 2, FadeWidth}));
  const int Rad = std::max(0, std::min({W / 2, H / 2, Radius}));
  const int P = std::clamp(Transparency, 0, 100) * 255 / 100;
  HDC DC = Mask->DC();
  TSelectObject Pen(DC, GetStockObject(NULL_PEN));
  auto Fill = [&](int r, int Grey, int Corner) {
    TOwnedBrush Brush(CreateSolidBrush(RGB(Grey, Grey, Grey)));
    TSelectObject Selected(DC, Brush.get());
    RoundRect(DC, r, r, W - r, H - r, Corner, Corner);
  };
  for (int r = 0; r <= Fw; ++r)
    Fill(r, r == 0 ? 255 : P + int(std::nearbyint((255.0 - P) / (Fw + 1) * (Fw - r + 1))), Rad);
  Fill(Fw, P, Fw);
  GdiFlush();
  BlendColorThroughMask(*Tmp, *Mask, Color);
  BitBlt(Bmp.DC(), R.left, R.top, W, H, Tmp->DC(), 0, 0, SRCCOPY);
  GdiFlush();
}
