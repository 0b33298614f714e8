#include "skin/painting/SectionBorder.h"

#include <algorithm>

#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/painting/RoundCorners.h"

namespace {

constexpr uint32_t kUnset = 0x1FFFFFFF;
constexpr uint32_t kNone = 0xFF00FF;

void LimitPair(int& A, int& B, int Extent) {
  if (A + B > Extent - 1) A = B = (Extent - 1) / 2;
}

}  // namespace

void LimitCornerRadii(int Width, int Height, std::array<int, 4>& Radii) {
  if (Height > Width) {
    LimitPair(Radii[0], Radii[1], Width);
    LimitPair(Radii[2], Radii[3], Width);
  } else {
    LimitPair(Radii[0], Radii[2], Height);
    LimitPair(Radii[1], Radii[3], Height);
  }
}

bool DrawSectionBorder(TBitmap& Bmp, const RECT& R, const TsGeneralData& Section, int State,
                       const TacBackgroundSource& BgSource, const TacBorderValues* CustomBorder, int PPI,
                       const TacRadiusLimiter& RadiusLimiter) {
  if (IsRectEmpty(&R) || Bmp.Empty()) return false;
  int s = std::clamp(State, 0, 2);
  uint32_t color = Section.Props[s].BorderColor;
  int width = Section.BorderWidth;
  std::array<int, 4> radii{0, 0, 0, 0};
  if (CustomBorder != nullptr) {
    if (CustomBorder->Width >= 0) width = CustomBorder->Width;
    radii = CustomBorder->Radii;
    uint32_t custom = CustomBorder->Colors[0];
    if (State >= 1 && CustomBorder->Colors[1] != kUnset) custom = CustomBorder->Colors[1];
    if (State == 2 && CustomBorder->Colors[2] != kUnset) custom = CustomBorder->Colors[2];
    if (custom != kUnset) color = custom;
  } else if (Section.BorderRadius >= 1) {
    radii.fill(Section.BorderRadius);
  } else if (RadiusLimiter) {
    radii.fill(-1);
  }
  width = width * PPI / 96;
  if (RadiusLimiter) RadiusLimiter(radii);
  bool round = std::any_of(radii.begin(), radii.end(), [](int r) { return r > 0; });
  std::array<int, 4> cut;
  for (int i = 0; i < 4; ++i) cut[i] = std::max(radii[i], 0);

  if (color == kNone) {
    if (round) PaintRoundCorners(Section, Bmp, R, BgSource, cut.data(), false);
    return false;
  }
  if (width <= 0) return false;
  if (!round) {
    FillFrameSides(Bmp, R, width, width, width, width, color);
    return true;
  }
  TacBackgroundSource bg = BgSource;
  if (!bg.Ready && bg.FillColor == kNone) bg.FillColor = color;
  int w = R.right - R.left, h = R.bottom - R.top;
  bool fits = w >= cut[0] + cut[1] && w >= cut[2] + cut[3] && h >= cut[0] + cut[2] && h >= cut[1] + cut[3];
  auto line = [&] {
    GpRoundBorder(Bmp.DC(), R.left, R.top, w, h, width, color, cut.data());
    GdiFlush();
  };
  if (fits) {
    PaintRoundCorners(Section, Bmp, R, bg, cut.data(), false);
    line();
  } else {
    line();
    PaintRoundCorners(Section, Bmp, R, bg, cut.data(), false);
  }
  return true;
}
