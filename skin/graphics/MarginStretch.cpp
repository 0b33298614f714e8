#include "skin/graphics/MarginStretch.h"

#include <algorithm>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/MaskedCopies.h"

namespace {

void Copy(HDC Dst, int X, int Y, int W, int H, HDC Src, int SX, int SY) {
  if (W > 0 && H > 0) BitBlt(Dst, X, Y, W, H, Src, SX, SY, SRCCOPY);
}

void Stretch(HDC Dst, const RECT& To, HDC Src, int SX, int SY, int SW, int SH) {
  if (To.right > To.left && To.bottom > To.top && SW > 0 && SH > 0)
    StretchBlt(Dst, To.left, To.top, To.right - To.left, To.bottom - To.top, Src, SX, SY, SW, SH, SRCCOPY);
}

// Tiles of TW x TH from (SX, SY) over To, the last ones clipped.
void Tile(HDC Dst, const RECT& To, HDC Src, int SX, int SY, int TW, int TH) {
  if (TW <= 0 || TH <= 0) return;
  for (int y = To.top; y < To.bottom; y += TH)
    for (int x = To.left; x < To.right; x += TW)
      Copy(Dst, x, y, std::min<int>(TW, To.right - x), std::min<int>(TH, To.bottom - y), Src, SX, SY);
}

void StretchOrTile(bool Stretched, HDC Dst, const RECT& To, HDC Src, int SX, int SY, int SW, int SH) {
  if (Stretched)
    Stretch(Dst, To, Src, SX, SY, SW, SH);
  else
    Tile(Dst, To, Src, SX, SY, SW, SH);
}

}  // namespace

void StretchBitmapByMargins(TBitmap& Dst, TBitmap& Src, const RECT& DstRect, const RECT& SrcRect, const RECT& Margins,
                            const RECT& InnerMargins, const RECT& EdgeModes, bool StretchCenter, bool DrawCenter) {
  if (DstRect.right <= DstRect.left || DstRect.bottom <= DstRect.top || Src.Empty() || Dst.Empty()) return;
  HDC D = Dst.DC(), S = Src.DC();
  SetStretchBltMode(D, COLORONCOLOR);
  const int aL = std::max<int>(0, std::min(Margins.left, InnerMargins.left));
  const int aT = std::max<int>(0, std::min(Margins.top, InnerMargins.top));
  const int aR = std::max<int>(0, std::min(Margins.right, InnerMargins.right));
  const int aB = std::max<int>(0, std::min(Margins.bottom, InnerMargins.bottom));
  const int cx = (DstRect.left + DstRect.right) / 2, cy = (DstRect.top + DstRect.bottom) / 2;
  const int cL = std::clamp<int>(Margins.left, 0, cx - DstRect.left);
  const int cR = std::clamp<int>(Margins.right, 0, DstRect.right - cx);
  const int cT = std::clamp<int>(Margins.top, 0, cy - DstRect.top);
  const int cB = std::clamp<int>(Margins.bottom, 0, DstRect.bottom - cy);
  const int L = DstRect.left, T = DstRect.top, R = DstRect.right, B = DstRect.bottom;
  const int SL = SrcRect.left, ST = SrcRect.top, SR = SrcRect.right, SB = SrcRect.bottom;
  GdiFlush();
  // Corners, continued by a strip of the inner width where the inner
  // margin is thinner than the corner.
  const int hT = std::min(aT, cT), hB = std::min(aB, cB);
  Copy(D, L, T, cL, hT, S, SL, ST);
  Copy(D, R - cR, T, cR, hT, S, SR - cR, ST);
  Copy(D, L, B - hB, cL, hB, S, SL, SB - hB);
  Copy(D, R - cR, B - hB, cR, hB, S, SR - cR, SB - hB);
  if (aT != Margins.top) {
    Copy(D, L, T + hT, std::min(aL, cL), cT - hT, S, SL, ST + hT);
    Copy(D, R - std::min(aR, cR), T + hT, std::min(aR, cR), cT - hT, S, SR - std::min(aR, cR), ST + hT);
  }
  if (aB != Margins.bottom) {
    Copy(D, L, B - cB, std::min(aL, cL), cB - hB, S, SL, SB - cB);
    Copy(D, R - std::min(aR, cR), B - cB, std::min(aR, cR), cB - hB, S, SR - std::min(aR, cR), SB - cB);
  }
  const int tileW = std::max<int>(0, SR - SL - Margins.left - Margins.right);
  const int tileH = std::max<int>(0, SB - ST - Margins.top - Margins.bottom);
  const int InnerX = SL + Margins.left, InnerY = ST + Margins.top;
  if (tileH > 0) {
    StretchOrTile(EdgeModes.left & 1, D, RECT{L, T + cT, L + aL, B - cB}, S, SL, InnerY, aL, tileH);
    StretchOrTile(EdgeModes.right & 1, D, RECT{R - aR, T + cT, R, B - cB}, S, SR - aR, InnerY, aR, tileH);
  }
  if (tileW > 0) {
    StretchOrTile(EdgeModes.top & 1, D, RECT{L + cL, T, R - cR, T + aT}, S, InnerX, ST, tileW, aT);
    StretchOrTile(EdgeModes.bottom & 1, D, RECT{L + cL, B - aB, R - cR, B}, S, InnerX, SB - aB, tileW, aB);
  }
  if (DrawCenter) {
    const RECT Centre{L + cL, T + cT, R - cR, B - cB};
    if (StretchCenter)
      Stretch(D, Centre, S, SL + cL, ST + cT, SR - SL - cL - cR, SB - ST - cT - cB);
    else if (tileW > 0 && tileH > 0)
      Tile(D, Centre, S, InnerX, InnerY, tileW, tileH);
  }
  GdiFlush();
}

void DrawBitmapOnCanvasAlpha(HDC DC, TBitmap& Bmp, const RECT& R, bool Reflection) {
  const int W = R.right - R.left, H = R.bottom - R.top;
  if (!DC || W <= 0 || H <= 0 || Bmp.Empty()) return;
  if (Bmp.PixelFormat() != pf32bit) {
    SetStretchBltMode(DC, COLORONCOLOR);
    StretchBlt(DC, R.left, R.top, W, H, Bmp.DC(), 0, 0, Bmp.Width(), Bmp.Height(), SRCCOPY);
    return;
  }
  const int BufH = H + (Reflection ? H / 2 : 0);
  auto Buffer = NewBitmap32(W, BufH);
  if (Buffer->Empty()) return;
  BitBlt(Buffer->DC(), 0, 0, W, BufH, DC, R.left, R.top, SRCCOPY);
  const TacBackgroundSource NoBackground;
  const RECT Whole{0, 0, W, H};
  if (Bmp.Width() == W && Bmp.Height() == H) {
    CopyRectTransparent(Whole, Whole, *Buffer, &Bmp, NoBackground, false, 0x1FFFFFFF, 0, Reflection);
  } else {
    // Colours and alpha are stretched apart: GDI's stretch carries no
    // alpha of its own, so the alpha plane travels as a grey picture.
    auto Colours = NewBitmap32(W, H), AlphaPlane = NewBitmap32OfBitmap(Bmp), Alpha = NewBitmap32(W, H);
    uint8_t *S0, *P0;
    ptrdiff_t SStep, PStep;
    if (Colours->Empty() || !PrepareScanlineWalk(&Bmp, S0, SStep) || !PrepareScanlineWalk(AlphaPlane.get(), P0, PStep))
      return;
    for (int y = 0; y < Bmp.Height(); ++y) {
      const uint8_t* s = S0 + y * SStep;
      uint8_t* p = P0 + y * PStep;
      for (int x = 0; x < Bmp.Width(); ++x, s += 4, p += 4) p[0] = p[1] = p[2] = s[3];
    }
    SetStretchBltMode(Colours->DC(), COLORONCOLOR);
    StretchBlt(Colours->DC(), 0, 0, W, H, Bmp.DC(), 0, 0, Bmp.Width(), Bmp.Height(), SRCCOPY);
    SetStretchBltMode(Alpha->DC(), COLORONCOLOR);
    StretchBlt(Alpha->DC(), 0, 0, W, H, AlphaPlane->DC(), 0, 0, Bmp.Width(), Bmp.Height(), SRCCOPY);
    uint8_t *C0, *A0;
    ptrdiff_t CStep, AStep;
    if (!PrepareScanlineWalk(Colours.get(), C0, CStep) || !PrepareScanlineWalk(Alpha.get(), A0, AStep)) return;
    for (int y = 0; y < H; ++y) {
      uint8_t* c = C0 + y * CStep;
      const uint8_t* a = A0 + y * AStep;
      for (int x = 0; x < W; ++x, c += 4, a += 4) c[3] = a[0];
    }
    CopyRectTransparent(Whole, Whole, *Buffer, Colours.get(), NoBackground, false, 0x1FFFFFFF, 0, Reflection);
  }
  GdiFlush();
  BitBlt(DC, R.left, R.top, W, BufH, Buffer->DC(), 0, 0, SRCCOPY);
  GdiFlush();
}
