#include "skin/graphics/FrameDrawing.h"

void BlitFrameStrips(HDC DstDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int LeftW, int TopH,
                     int RightW, int BottomH) {
  if (LeftW < 0) LeftW = 0;
  if (BottomH < 0) {
    BottomH = LeftW;
    if (TopH < 0) TopH = LeftW;
    if (RightW < 0) RightW = LeftW;
  }
  auto Strip = [&](int DX, int DY, int W, int H) {
    if (W > 0 && H > 0) BitBlt(DstDC, X + DX, Y + DY, W, H, SrcDC, SrcX + DX, SrcY + DY, SRCCOPY);
  };
  Strip(0, 0, LeftW, Height);
  Strip(LeftW, 0, Width - LeftW, TopH);
  Strip(Width - RightW, TopH, RightW, Height - TopH);
  Strip(LeftW, Height - BottomH, Width - LeftW - RightW, BottomH);
}

void DrawTwoColorFrame(HDC DC, RECT& R, TColor Color1, TColor Color2, int& Width, const int* Sides) {
  // Both colours through ColorToRGB, so a system colour works on either side.
  TOwnedPen Pen1(CreatePen(PS_SOLID, 1, ColorToRGB(Color1))), Pen2(CreatePen(PS_SOLID, 1, ColorToRGB(Color2)));
  TSelectObject Brush(DC, GetStockObject(NULL_BRUSH));
  TSelectObject Pen(DC, Pen1.get());
  auto Line = [DC](int X1, int Y1, int X2, int Y2) {
    MoveToEx(DC, X1, Y1, nullptr);
    LineTo(DC, X2, Y2);
  };
  --R.right;
  --R.bottom;
  while (Width > 0) {
    --Width;
    SelectObject(DC, Pen1.get());
    if (Sides) {
      if (*Sides & 1) Line(R.left, R.top, R.left, R.bottom + 1);
      if (*Sides & 2) Line(R.left, R.top, R.right + 1, R.top);
      if (*Sides & 4) Line(R.right, R.top, R.right, R.bottom + 1);
      if (*Sides & 8) Line(R.left, R.bottom, R.right + 1, R.bottom);
    } else {
      const POINT Light[3] = {{R.left, R.bottom}, {R.left, R.top}, {R.right, R.top}};
      Polyline(DC, Light, 3);
      SelectObject(DC, Pen2.get());
      const POINT Dark[3] = {{R.right, R.top}, {R.right, R.bottom}, {R.left - 1, R.bottom}};
      Polyline(DC, Dark, 3);
    }
    InflateRect(&R, -1, -1);
  }
  ++R.right;
  ++R.bottom;
}

void DrawDottedFrame(TCanvas& Canvas, const RECT& R, TColor Color1, TColor Color2) {
  HDC DC = Canvas.Handle();
  // The last pair of a side of even length would fall one pixel past R.
  auto Dot = [&](int X, int Y, TColor Color) {
    if (Color != clNone && X >= R.left && X < R.right && Y >= R.top && Y < R.bottom)
      SetPixel(DC, X, Y, ColorToRGB(Color));
  };
  const int W = R.right - R.left, H = R.bottom - R.top;
  for (int i = 1; i <= W / 2; ++i)
    for (int Y : {R.top, R.bottom - 1}) {
      Dot(R.left + 2 * i, Y, Color2);
      Dot(R.left + 2 * i - 1, Y, Color1);
    }
  for (int i = 1; i <= H / 2; ++i)
    for (int X : {R.left, R.right - 1}) {
      Dot(X, R.top + 2 * i, Color2);
      Dot(X, R.top + 2 * i - 1, Color1);
    }
}

void DrawFocusFrame(TCanvas& Canvas, const RECT& R) { DrawFocusRect(Canvas.Handle(), &R); }
