#include "skin/graphics/TextGlow.h"

#include <algorithm>
#include <cmath>

#include "framework/GdiHandles.h"
#include "framework/Graphics.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"

void BuildBlurKernel(TacBlurKernel& Kernel, double Sigma, double Range, double Precision) {
  long double W[33];
  long double Sum = 0;
  for (int i = 0; i <= 32; ++i) {
    const long double d = (i - 16) / (long double)Sigma;
    W[i] = std::nearbyint(std::exp(-d * d / 2));
    Sum += W[i];
  }
  for (long double& w : W) w /= Sum;
  int Radius = 16;
  long double Tail = 0;
  while (Tail < Precision / (Range * 2) && Radius > 1) {
    Tail += 2 * W[16 + Radius];
    --Radius;
  }
  long double Inner = 0;
  for (int k = -Radius; k <= Radius; ++k) Inner += W[16 + k];
  Kernel.Radius = uint8_t(Radius);
  for (int i = 0; i <= 32; ++i) Kernel.Weights[i] = float(std::abs(i - 16) <= Radius ? W[i] / Inner : 0);
}

void BlurLine(uint8_t* Line, int Last, const TacBlurKernel& Kernel, std::vector<uint8_t>& Scratch) {
  if (Last < 0) return;
  Scratch.resize(size_t(Last) + 1);
  const int R = Kernel.Radius;
  for (int i = 0; i <= Last; ++i) {
    float s = 0;
    for (int k = -R; k <= R; ++k) s += Kernel.Weight(k) * Line[std::clamp(i - k, 0, Last)];
    Scratch[i] = s > 255 ? 255 : s < 0 ? 0 : uint8_t(std::nearbyint(s));
  }
  std::copy(Scratch.begin(), Scratch.end(), Line);
}

void BlurBitmap8(TBitmap& Bmp, double Sigma) {
  if (Bmp.HandleType() != bmDIB || Bmp.PixelFormat() != pf8bit || Sigma <= 0) return;
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  TacBlurKernel Kernel;
  BuildBlurKernel(Kernel, Sigma, 255, 1);
  const int W = Bmp.Width(), H = Bmp.Height();
  std::vector<uint8_t*> Rows(H);
  for (int y = 0; y < H; ++y) Rows[y] = Row0 + y * Step;
  std::vector<uint8_t> Scratch, Column(H);
  for (uint8_t* Row : Rows) BlurLine(Row, W - 1, Kernel, Scratch);
  for (int x = 0; x < W; ++x) {
    for (int y = 0; y < H; ++y) Column[y] = Rows[y][x];
    BlurLine(Column.data(), H - 1, Kernel, Scratch);
    for (int y = 0; y < H; ++y) Rows[y][x] = Column[y];
  }
}

namespace {

// Index = grey level, so the mask's bytes read as coverage.
void MakeGreyMask(TBitmap& Mask, int W, int H) {
  Mask.SetPixelFormat(pf8bit);
  Mask.SetSize(W, H);
  struct {
    WORD Version, Count;
    PALETTEENTRY Entries[256];
  } Pal{0x300, 256, {}};
  for (int i = 0; i < 256; ++i) Pal.Entries[i] = PALETTEENTRY{BYTE(i), BYTE(i), BYTE(i), 0};
  Mask.SetPalette(CreatePalette(reinterpret_cast<LOGPALETTE*>(&Pal)));
}

}  // namespace

void DrawTextGlow(TBitmap& Bmp, const String& Text, const RECT& R, UINT Flags, int Sides, int Radius, uint32_t Color,
                  std::unique_ptr<TBitmap>& MaskCache) {
  if (Radius < 1) return;  // the blur kernel divides by the radius
  const RECT T{R.left + 1, R.top + 1, R.right + 1, R.bottom + 1};
  const int D = Radius + 4;
  const int MW = T.right - T.left + 2 * D, MH = T.bottom - T.top + 2 * D;
  if (MW <= 0 || MH <= 0) return;
  if (!MaskCache || MaskCache->Width() != MW || MaskCache->Height() != MH) {
    if (!MaskCache) MaskCache = NewBitmap32(MW, MH);
    TBitmap& Mask = *MaskCache;
    MakeGreyMask(Mask, MW, MH);
    HDC DC = Mask.DC();
    RECT All{0, 0, MW, MH};
    FillRect(DC, &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TSelectObject Font(DC, GetCurrentObject(Bmp.DC(), OBJ_FONT));
    SetTextColor(DC, RGB(0, 0, 0));
    SetBkMode(DC, TRANSPARENT);
    const RECT TextRect{D, D, D + T.right - T.left, D + T.bottom - T.top};
    static const POINT Moves[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    for (int i = 0; i < 4; ++i)
      if (Sides & (1 << i)) {
        RECT M = TextRect;
        OffsetRect(&M, Moves[i].x, Moves[i].y);
        DrawTextCapped(DC, Text, M, Flags);
      }
    RECT Main = TextRect;
    DrawTextCapped(DC, Text, Main, Flags);
    BlurBitmap8(Mask, Radius);
  }
  uint8_t *M0, *B0;
  ptrdiff_t MStep, BStep;
  if (!PrepareScanlineWalk(MaskCache.get(), M0, MStep) || !PrepareScanlineWalk(&Bmp, B0, BStep)) return;
  const int Glow[3] = {int(Color >> 16 & 0xFF), int(Color >> 8 & 0xFF), int(Color & 0xFF)};  // b, g, r
  for (int y = 0; y < MH; ++y) {
    const int ty = T.top + y - D;
    if (ty < 0 || ty >= Bmp.Height()) continue;
    const uint8_t* m = M0 + y * MStep;
    uint8_t* b = B0 + ty * BStep;
    for (int x = 0; x < MW; ++x) {
      const int mv = m[x];
      const int tx = T.left + x - D;
      if (mv == 255 || tx < 0 || tx >= Bmp.Width()) continue;
      const int k = 255 - mv;
      uint8_t* p = b + 4 * tx;
      p[3] = uint8_t(p[3] + ((255 - p[3]) * k >> 8));
      for (int i = 0; i < 3; ++i) p[i] = uint8_t((k * Glow[i] + p[i] * mv) >> 8);
    }
  }
}
