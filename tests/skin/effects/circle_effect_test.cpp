// The check box circle: its radius and opacity per tick while the button is
// down and after, where the run ends, and the picture it shows.
#include "framework/Application.h"
#include "skin/effects/CircleEffect.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CircleSteps, RadiusAndOpacityPerTick) {
  struct Case {
    const char* Name;
    TacCircleValues Start;
    bool Down;
    double Radius1, Opacity1;  // after the first tick
    int Ticks;                 // ticks until the run ends
  } cases[] = {
      // Pressed: a seventh of the way a tick, fading by 5 towards EndOpacity 0.
      {"pressed ripple", {0, 255, 23, 0}, true, 23.0 / 7, 250, 21},
      {"pressed, no fade", {0, 100, 23, 255}, true, 23.0 / 7, 105, 21},
      // Released: a fifth of the way, opacity 15 down for EndOpacity 255.
      {"hot from 10", {10, 255, 23, 255}, false, 10 + 13.0 / 5, 240, 12},
      {"hot, rising", {10, 250, 23, 0}, false, 10 + 13.0 / 5, 255, 12},
      // Nothing left to grow: the first tick is the last.
      {"already there", {23, 80, 23, 255}, false, 23, 65, 1},
      {"zero radius", {0, 0, 0, 0}, true, 0, 0, 1},
  };
  for (const Case& c : cases) {
    TacCircleValues v = c.Start;
    bool going = AdvanceCircle(v, c.Down);
    EXPECT_NEAR(v.CurRadius, c.Radius1, 1e-9) << c.Name;
    EXPECT_DOUBLE_EQ(v.CurOpacity, c.Opacity1) << c.Name;
    int ticks = 1;
    double last = v.CurRadius;
    while (going && ticks < 1000) {
      going = AdvanceCircle(v, c.Down);
      EXPECT_GE(v.CurRadius, last) << c.Name;
      EXPECT_GE(v.CurOpacity, 0) << c.Name;
      EXPECT_LE(v.CurOpacity, 255) << c.Name;
      last = v.CurRadius;
      ++ticks;
    }
    EXPECT_EQ(ticks, c.Ticks) << c.Name;
    EXPECT_EQ(v.CurRadius, c.Start.ToRadius) << c.Name;
  }
}

TEST(CirclePicture, PremultipliedRoundSpotWithBackdrop) {
  InitApplication();
  EXPECT_EQ(MakeCircleImage(1, 0x80FFFFFF, nullptr, 255), nullptr);  // too small to show
  const uint32_t color = 0x66204080;  // alpha 0x66, TColor blue 0x20, green 0x40, red 0x80
  auto spot = MakeCircleImage(10, color, nullptr, 255);
  ASSERT_NE(spot, nullptr);
  ASSERT_EQ(spot->Width(), 21);
  ASSERT_EQ(spot->Height(), 21);
  const uint32_t centre = GetPixel32(*spot, 10, 10);
  const uint32_t a = 255 * 0x66 >> 8;  // full level times the colour's alpha
  EXPECT_EQ(centre >> 24, a);
  // Premultiplied, red in the third byte as stored.
  EXPECT_EQ(centre >> 16 & 0xFF, 0x80 * a >> 8);
  EXPECT_EQ(centre >> 8 & 0xFF, 0x40 * a >> 8);
  EXPECT_EQ(centre & 0xFF, 0x20 * a >> 8);
  EXPECT_EQ(GetPixel32(*spot, 0, 0) >> 24, 0u);
  // The rim fades: alpha falls from the centre outwards.
  EXPECT_GT(GetPixel32(*spot, 10, 2) >> 24, GetPixel32(*spot, 10, 0) >> 24);

  auto backdrop = NewBitmap32(31, 31);
  FillRect32(*backdrop, RECT{0, 0, 31, 31}, 0, 0);
  FillRect32(*backdrop, RECT{0, 0, 31, 31}, 0, 17);
  auto pressed = MakeCircleImage(10, 0xFFFFFFFF, backdrop.get(), 128);
  ASSERT_NE(pressed, nullptr);
  EXPECT_EQ(pressed->Width(), 31);
  EXPECT_EQ(GetPixel32(*pressed, 0, 0) >> 24, 17u);    // the backdrop alone
  EXPECT_GT(GetPixel32(*pressed, 15, 15) >> 24, 17u);  // the ripple over it
}

}  // namespace
