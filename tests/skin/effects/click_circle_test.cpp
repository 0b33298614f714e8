// The click circle's arithmetic: its sizes for a picture, the radius per
// tick while pressed and once released, how it looks on the way, and that a
// released circle always comes to an end, also on an empty picture; on a
// control: held it keeps growing, off the control it stops.
#include "skin/effects/ClickCircle.h"
#include "skin/effects/StateAnimation.h"
#include "skin/state/CommonData.h"
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

}  // namespace
