// The click circle's arithmetic: its sizes for a picture, the radius per
// tick while pressed and once released, how it looks on the way, and that a
// released circle always comes to an end, also on an empty picture; on a
// control: held it keeps growing, off the control it stops; a control
// without a window shows it on its parent at its own place.
#include "skin/effects/ClickCircle.h"
#include "skin/effects/StateAnimation.h"
#include "skin/state/CommonData.h"
#include "skin/state/CtrlSkinData.h"
#include "framework/GdiHandles.h"
#include "tests/skin/effects/support/effects_fixture.h"

#include <gtest/gtest.h>

#include <climits>

#include <cmath>
#include <vector>

namespace {

// The radius is kept rounded from tick to tick, halves to even.
std::vector<int> Radii(const TacCircleGeometry& g, double r, bool pressed, int ticks) {
  std::vector<int> out;
  for (int i = 0; i < ticks; ++i) {
    r = std::nearbyint(NextCircleRadius(r, pressed, g));
    out.push_back(int(r));
  }
  return out;
}

TEST(ClickCircleTest, GeometryOfThePicture) {
  struct Case {
    int w, h, d, m;
  } cases[] = {{40, 20, 11, 80}, {100, 30, 26, 200}, {20, 20, 7, 40}, {1, 1, 0, 2}, {0, 0, 0, 0}, {-5, 3, 0, 6}};
  for (const Case& c : cases) {
    const TacCircleGeometry g = CircleGeometry(c.w, c.h);
    EXPECT_EQ(g.D, c.d) << c.w << "x" << c.h;
    EXPECT_EQ(g.M, c.m) << c.w << "x" << c.h;
  }
}

TEST(ClickCircleTest, RadiusPerTick) {
  const TacCircleGeometry g = CircleGeometry(40, 20);  // D 11, M 80
  EXPECT_EQ(FirstCircleRadius(g), 16.5);
  // Held: slow growth beyond the base size.
  EXPECT_EQ(Radii(g, 16, true, 4), (std::vector<int>{17, 18, 19, 20}));
  // Released: a thirtieth of the way left to M, plus one.
  EXPECT_EQ(Radii(g, 18, false, 4), (std::vector<int>{21, 24, 27, 30}));
}

TEST(ClickCircleTest, LookOnTheWay) {
  const TacCircleGeometry g = CircleGeometry(40, 20);
  struct Case {
    const char* what;
    double r;
    bool pressed;
    int fadeBack, falloff, alpha;
  } cases[] = {
      {"pressed keeps the frame", 21.0, true, 0, 3, 218},
      {"released mixes back", 21.0, false, 218, 3, 218},
      {"spread out", 80.0, false, 0, 1, 0},
      {"beyond the spread", 95.0, false, 0, 1, 0},
      {"at the base size", 11.0, false, 255, 4, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TacCircleLook look = CircleLook(c.r, c.pressed, g);
    EXPECT_EQ(look.FadeBack, c.fadeBack);
    EXPECT_EQ(look.Falloff, c.falloff);
    EXPECT_EQ(look.Alpha, c.alpha);
  }
  // No spread at all: nothing to divide by, nothing drawn.
  const TacCircleLook none = CircleLook(3, false, CircleGeometry(0, 0));
  EXPECT_EQ(none.Alpha, 0);
  EXPECT_EQ(none.Falloff, 1);
}

TEST(ClickCircleTest, ReleasedCircleEndsWithinAFewTicks) {
  for (int size : {1, 10, 40, 300}) {
    const TacCircleGeometry g = CircleGeometry(size, size / 2 + 1);
    for (int margin : {10, 40}) {
      double r = FirstCircleRadius(g);
      int ticks = 0;
      while (g.M - r >= margin && ticks < 1000) {
        r = std::nearbyint(NextCircleRadius(r, false, g));
        ++ticks;
      }
      EXPECT_LT(ticks, 120) << size << " margin " << margin;
    }
  }
}

using ClickCircleStepTest = effects_test::EffectsTest;

TEST_F(ClickCircleStepTest, GrowsWhileHeldAndStopsOffTheControl) {
  POINT inside{20, 10};
  ClientToScreen(box->Handle(), &inside);
  ASSERT_TRUE(SetCursorPos(inside.x, inside.y));
  box->Look = 2;
  AnimateControlState(&Data(), 2, ClickCircleStep, true, false);
  TacThreadedTimer* t = Data().FadeTimer;
  ASSERT_NE(t, nullptr);
  t->SetEnabled(false);
  EXPECT_EQ(t->StepCount, INT_MAX);
  EXPECT_EQ(t->Radius, 16.0);
  EXPECT_EQ(t->Centre.x, 20);
  EXPECT_EQ(t->Centre.y, 10);
  for (double expected : {17.0, 18.0, 19.0}) {
    ASSERT_TRUE(ClickCircleStep(&Data(), ++t->Step));
    EXPECT_EQ(t->Radius, expected);
  }
  POINT outside{-30, -30};
  ClientToScreen(box->Handle(), &outside);
  ASSERT_TRUE(SetCursorPos(outside.x, outside.y));
  EXPECT_FALSE(ClickCircleStep(&Data(), ++t->Step));
  EXPECT_EQ(t->State, -1);
  EXPECT_TRUE(Data().BGChanged);
}

// A control without a window, its cache one flat colour.
class TSkinGraphic : public TGraphicControl {
 public:
  explicit TSkinGraphic(TComponent* owner) : TGraphicControl(owner) {
    Data = std::make_unique<TsCtrlSkinData>(this, true);
    Data->SetSkinSection(L"BUTTON");
  }
  ~TSkinGraphic() override {
    Destroying_();
    Data.reset();
  }
  std::unique_ptr<TsCtrlSkinData> Data;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_BUILDCACHE) {
      Data->InitCacheBmp();
      TBitmap& cache = *Data->CacheBmp;
      for (int y = 0; y < cache.Height(); ++y)
        for (int x = 0; x < cache.Width(); ++x) static_cast<uint32_t*>(cache.ScanLine(y))[x] = effects_test::kLook[2];
      Data->BGChanged = false;
      m.Result = 0;
      return;
    }
    TGraphicControl::WndProc(m);
  }
};

TEST_F(ClickCircleStepTest, ControlWithoutWindowShowsTheCircleOnItsParent) {
  auto* graphic = new TSkinGraphic(form.get());
  graphic->SetBounds(100, 20, 60, 40);
  graphic->SetParent(form.get());
  graphic->Data->Loaded(false);
  graphic->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_BUILDCACHE), 0);
  TsCtrlSkinData& data = *graphic->Data;
  ASSERT_TRUE(data.CacheBmp);
  const POINT at = graphic->ClientToScreen(POINT{30, 20});
  ASSERT_TRUE(SetCursorPos(at.x, at.y));
  AnimateControlState(&data, 2, ClickCircleStep, true, false);
  TacThreadedTimer* t = data.FadeTimer;
  ASSERT_NE(t, nullptr);
  t->SetEnabled(false);
  // The first tick started the circle where the mouse went down.
  EXPECT_EQ(t->StepCount, INT_MAX);
  EXPECT_EQ(t->Centre.x, 30);
  EXPECT_EQ(t->Centre.y, 20);
  ASSERT_TRUE(ClickCircleStep(&data, ++t->Step));
  ASSERT_TRUE(t->FrameImage);
  // The frame is on the parent at the control's place, lighter than the
  // pressed picture in the middle, and nothing of it beside the control.
  TWindowDC dc(form->Handle());
  const auto screenRgb = [&](int x, int y) {
    const COLORREF c = GetPixel(dc.get(), x, y);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
  };
  const POINT origin{graphic->Left(), graphic->Top()};
  const uint32_t middle = effects_test::PixelAt(*t->FrameImage, 30, 20) & 0xFFFFFF;
  EXPECT_NE(middle, effects_test::kLook[2] & 0xFFFFFF);
  EXPECT_EQ(screenRgb(origin.x + 30, origin.y + 20), middle);
  EXPECT_EQ(screenRgb(origin.x + 1, origin.y + 1), effects_test::PixelAt(*t->FrameImage, 1, 1) & 0xFFFFFF);
  EXPECT_NE(screenRgb(origin.x + 61, origin.y + 20), middle);
  SetCursorPos(0, 0);
}

}  // namespace
