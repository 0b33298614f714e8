#include "skin/graphics/TriangleArrows.h"

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

struct ArrowSize {
  int s, k;
  explicit ArrowSize(int PPI) : s(5 * PPI / 96), k((5 * PPI / 96 + 1) / 2) {}
};

}  // namespace

void DrawTriangleArrowOnCanvas(TCanvas& Canvas, TColor Color, const RECT& R, uint8_t Direction, int PPI) {
  const ArrowSize a(PPI);
  const int W = R.right - R.left, H = R.bottom - R.top;
  HDC DC = Canvas.Handle();
  const COLORREF C = ColorToRGB(Color);
  if (Direction == 0 || Direction == 2) {
    const int X0 = R.left + (W - a.k) / 2, Y0 = R.top + (H - a.s) / 2;
    for (int j = 0; j <= a.k; ++j) {
      const int X = Direction == 0 ? X0 + a.k - j : X0 + j;
      for (int Y = Y0 + j; Y <= Y0 + 2 * a.k - j; ++Y) SetPixel(DC, X, Y, C);
    }
  } else {
    const int X0 = R.left + (W - a.s) / 2 - 1, Y0 = R.top + (H - a.k) / 2 - 1;
    for (int j = 0; j <= a.k; ++j) {
      const int Y = Direction == 1 ? Y0 + a.k - j : Y0 + j;
      for (int X = X0 + j; X <= X0 + a.s + 1 - j; ++X) SetPixel(DC, X, Y, C);
    }
  }
}

void DrawTriangleArrowOnBitmap(TBitmap& Bmp, uint32_t Color, const RECT& R, uint8_t Direction, int PPI) {
  const ArrowSize a(PPI);
  const int W = R.right - R.left, H = R.bottom - R.top;
  const bool Across = Direction == 0 || Direction == 2;
  const int X0 = Across ? R.left + (W - a.k) / 2 : R.left + (W - a.s) / 2;
  const int Y0 = Across ? R.top + (H - a.s) / 2 : R.top + (H - a.k) / 2;
  const int RightEnd = Across ? X0 + a.k : X0 + a.s, LastRow = Across ? Y0 + a.s : Y0 + a.k;
  if (X0 < 0 || Y0 < 0 || RightEnd >= Bmp.Width() || LastRow >= Bmp.Height()) return;
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const uint32_t Pixel = ExchangeRedBlue(Color);
  auto Run = [&](int Y, int From, int To) {
    uint32_t* Row = PixelRow(Row0, Step, Y);
    for (int X = From; X <= To; ++X) Row[X] = Pixel;
  };
  if (Across) {
    for (int i = 0; i <= a.s; ++i) {
      if (Direction == 0)
        Run(Y0 + i, i < a.k ? X0 + a.k - i : X0 + i - a.k, X0 + a.k - 1);
      else
        Run(Y0 + i, X0, i < a.k ? X0 + i : X0 + a.s - i - 1);
    }
  } else {
    for (int j = 0; j < a.k; ++j) Run(Direction == 1 ? Y0 + a.k - 1 - j : Y0 + j, X0 + j, X0 + a.s - 1 - j);
  }
}
