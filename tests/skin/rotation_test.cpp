#include <gtest/gtest.h>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/Rotation.h"
#include "support/PixelHelpers.h"

TEST(Rotation, AnglesOutsideTheTableAreReduced) {
  EXPECT_FLOAT_EQ(CosDeg(-360), 1);
  EXPECT_FLOAT_EQ(SinDeg(-90), -1);
  EXPECT_FLOAT_EQ(SinDeg(450), 1);
  EXPECT_FLOAT_EQ(CosDeg(720), 1);
  EXPECT_FLOAT_EQ(SinDeg(-100000), SinDeg(80));

  // Counter-clockwise on screen: the top-right corner moves to the top-left.
  for (int Angle : {90, 450, -270}) {
    TPrlgram Shape{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    Shape.Rotate(Angle);
    EXPECT_EQ(Shape.GetPoint(1).x, 0) << Angle;
    EXPECT_EQ(Shape.GetPoint(1).y, 0) << Angle;
    EXPECT_EQ(Shape.GetPoint(0).x, 0) << Angle;
    EXPECT_EQ(Shape.GetPoint(0).y, 10) << Angle;
  }
  TPrlgram Shape{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 9}};
  EXPECT_EQ(Shape.GetPoint(3).x, 7);
  EXPECT_EQ(Shape.GetPoint(4).x, 0);
}

// An 8 x 8 picture whose top-left quarter is red, drawn rotated about the
// middle of a 16 x 16 target: which quarter turns red.
TEST(Rotation, DrawBitmapRotatedTurnsByAngleAndAQuarter) {
  auto Picture = std::unique_ptr<TBitmap>(FilledBitmap32(8, 8, 0xFF0000FF));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) SetPixelAt(*Picture, x, y, 0xFFFF0000);
  struct {
    int Angle;
    POINT Red;  // centre of the quarter the red one lands in
  } Cases[] = {
      {0, {10, 6}}, {360, {10, 6}}, {90, {10, 10}}, {450, {10, 10}}, {-90, {6, 6}}, {270, {6, 6}}, {180, {6, 10}},
  };
  for (auto& c : Cases) {
    auto Dst = std::unique_ptr<TBitmap>(FilledBitmap32(16, 16, 0xFF000000));
    DrawBitmapRotated(Dst->DC(), *Picture, POINT{8, 8}, c.Angle);
    for (POINT q : {POINT{6, 6}, POINT{10, 6}, POINT{6, 10}, POINT{10, 10}}) {
      const uint32_t p = PixelAt(*Dst, q.x, q.y) & 0xFFFFFF;
      const bool Red = q.x == c.Red.x && q.y == c.Red.y;
      EXPECT_EQ(p, Red ? 0xFF0000u : 0x0000FFu) << "angle " << c.Angle << " at " << q.x << "," << q.y;
    }
  }
}
