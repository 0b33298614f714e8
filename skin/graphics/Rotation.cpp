#include "skin/graphics/Rotation.h"

#include <cmath>

#include "skin/graphics/GdiPlus.h"

TPrlgram::TPrlgram(std::initializer_list<POINT> Points) {
  int i = 0;
  for (const POINT& p : Points) {
    if (i == 4) break;
    FPoints[i++] = TRealPoint{double(p.x), double(p.y)};
  }
}

POINT TPrlgram::GetPoint(int Index) const {
  if (Index < 0 || Index >= 4) return POINT{};
  return POINT{LONG(std::lround(FPoints[Index].X)), LONG(std::lround(FPoints[Index].Y))};
}

void TPrlgram::Rotate(int Angle) {
  // The table has 360 entries: SinDeg and CosDeg bring any angle into 0..359.
  const double s = SinDeg(Angle), c = CosDeg(Angle);
  const double cx = (FPoints[0].X + FPoints[2].X) / 2, cy = (FPoints[0].Y + FPoints[2].Y) / 2;
  for (TRealPoint& p : FPoints) {
    const double dx = p.X - cx, dy = p.Y - cy;
    p = TRealPoint{cx + dx * c + dy * s, cy - dx * s + dy * c};
  }
}

void DrawBitmapRotated(HDC DC, TBitmap& Bmp, POINT Centre, int Angle) {
  const int W = Bmp.Width(), H = Bmp.Height();
  if (!DC || W <= 0 || H <= 0) return;
  // Reduced here rather than trusting the caller to stay within -359..720.
  const int k = ((-Angle) % 360 + 360) % 360;
  const LONG L = Centre.x - W / 2, T = Centre.y - H / 2;
  TPrlgram Shape{{L, T}, {L + W, T}, {L + W, T + H}, {L, T + H}};
  Shape.Rotate(k);
  const POINT Corners[3] = {Shape.GetPoint(1), Shape.GetPoint(2), Shape.GetPoint(0)};
  GdiFlush();
  PlgBlt(DC, Corners, Bmp.DC(), 0, 0, W, H, nullptr, 0, 0);
  GdiFlush();
}
