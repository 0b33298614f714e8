// Where a bubble goes: kept on the monitor of its point, flipped or shifted
// at every edge, on either of two monitors; and the width limit of its text.
#include <gtest/gtest.h>

#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintPlacement.h"
#include "skin/hints/HintWindows.h"
#include "support/hint_fixture.h"

namespace {

constexpr RECT kLeftMonitor{0, 0, 1000, 800};
constexpr RECT kRightMonitor{1000, 0, 2000, 800};

// Two monitors side by side; a point left of x 1000 is nearest the left one.
bool TwoMonitors(POINT P, RECT& Area) {
  Area = P.x < 1000 ? kLeftMonitor : kRightMonitor;
  return true;
}

bool NoMonitor(POINT, RECT&) { return false; }

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The bubble of 120 x 60 with shadow bands 2, 2, 3, 3 placed for the point.
RECT BubbleAt(POINT P) { return RECT{P.x - 2, P.y - 2, P.x - 2 + 120, P.y - 2 + 60}; }

TEST(HintPlacement, EveryEdgeOfBothMonitors) {
  struct Case {
    const char* what;
    POINT p;
    TacHintPlaceMode mode;
    bool (*lookup)(POINT, RECT&);
    RECT expected;
    TacHintCorner corner;
  };
  const Case cases[] = {
      {"inside", {100, 100}, hpmFlip, TwoMonitors, {98, 98, 218, 158}, hcLeftTop},
      {"right edge, flipped", {950, 100}, hpmFlip, TwoMonitors, {833, 98, 953, 158}, hcRightTop},
      {"right edge, shifted", {950, 100}, hpmShiftOnly, TwoMonitors, {883, 98, 1003, 158}, hcRightTop},
      {"right edge, skin", {950, 100}, hpmSkin, TwoMonitors, {883, 98, 1003, 158}, hcRightTop},
      {"bottom edge, flipped", {100, 780}, hpmFlip, TwoMonitors, {98, 723, 218, 783}, hcLeftBottom},
      {"bottom edge, shifted", {100, 780}, hpmShiftOnly, TwoMonitors, {98, 743, 218, 803}, hcLeftBottom},
      {"bottom right corner", {950, 780}, hpmFlip, TwoMonitors, {833, 723, 953, 783}, hcRightBottom},
      {"above the top", {100, -30}, hpmFlip, TwoMonitors, {98, -2, 218, 58}, hcLeftTop},
      {"left of the left edge", {-50, 100}, hpmFlip, TwoMonitors, {-2, 98, 118, 158}, hcLeftTop},
      {"left monitor's right edge", {995, 100}, hpmFlip, TwoMonitors, {878, 98, 998, 158}, hcRightTop},
      {"right monitor, left part", {1005, 100}, hpmFlip, TwoMonitors, {1003, 98, 1123, 158}, hcLeftTop},
      {"right monitor's right edge", {1950, 100}, hpmFlip, TwoMonitors, {1833, 98, 1953, 158}, hcRightTop},
      {"no monitor", {5000, 5000}, hpmFlip, NoMonitor, {4998, 4998, 5118, 5058}, hcLeftTop},
  };
  const RECT shadow{2, 2, 3, 3};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RECT r = BubbleAt(c.p);
    const TacHintCorner corner = PlaceOnMonitor(r, c.p, hcLeftTop, shadow, c.mode, c.lookup);
    EXPECT_EQ(corner, c.corner);
    EXPECT_TRUE(SameRect(r, c.expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(HintPlacement, WidthLimitFollowsDensityOrTakesTheScreen) {
  struct Case {
    int maxWidth, ppi, expected;
  };
  const Case cases[] = {{0, 96, 1024}, {-5, 144, 1024}, {120, 96, 120}, {120, 144, 180}, {120, 192, 240}};
  for (const Case& c : cases)
    EXPECT_EQ(HintWidthLimit(c.maxWidth, c.ppi, 1024), c.expected) << c.maxWidth << " at " << c.ppi;
}

// The window measures with the picture of the corner it ends up at: near
// the right edge a template with a picture per corner flips to its
// right-top picture, one with a single picture keeps it.
TEST(HintPlacement, WindowMeasuresWithThePictureOfItsCorner) {
  TestApplication();
  TacWorkAreaLookup saved = HintWorkAreaLookup();
  HintWorkAreaLookup() = TwoMonitors;
  struct Case {
    bool directional;
    POINT showPoint;
    TacHintCorner corner;
    int extraWidth;  // over the default picture's margins
    bool rightTopPicture;
  };
  const Case cases[] = {
      {true, {100, 100}, hcLeftTop, 0, false},
      {true, {990, 100}, hcRightTop, 2, true},
      {false, {990, 100}, hcRightTop, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "directional " << c.directional << " at " << c.showPoint.x);
    auto hints = LoadedHints([&](TsAlphaHints& h) {
      AddCornerTemplate(h, L"Corners", c.directional);
      h.SetTemplateName(L"Corners");
      h.SetMaxWidth(0);
    });
    TacPngHintWindow window(nullptr);
    hints->SetShowPoint(c.showPoint);
    const RECT r = window.CalcHintRect(0, L"A hint", nullptr);
    TacHintTemplate& t = *hints->Templates().Items(0);
    EXPECT_EQ(window.Corner, c.corner);
    EXPECT_EQ(CurrentHintImage, c.rightTopPicture ? &t.Img_RightTop() : &t.ImageDefault());

    hints->SetShowPoint(POINT{100, 100});
    TacPngHintWindow plain(nullptr);
    const RECT inside = plain.CalcHintRect(0, L"A hint", nullptr);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ((r.right - r.left) - (inside.right - inside.left), c.extraWidth);
    EXPECT_GT(inside.right, 20) << "text and margins";
  }
  HintWorkAreaLookup() = saved;
}

}  // namespace
