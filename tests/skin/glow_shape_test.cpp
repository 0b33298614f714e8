// The glow shape kept between paints: its radius limits and when it is
// made again.
#include <gtest/gtest.h>

#include "skin/graphics/GlowShape.h"
#include "support/PixelHelpers.h"

namespace {

int At96(int Value) { return Value; }
int At144(int Value) { return Value * 3 / 2; }

}  // namespace

TEST(GlowShape, RadiusIsHeldBetweenTheScaledLimits) {
  struct {
    int Radius;
    TScaleToPPI Scale;
    int Side;
  } Cases[] = {{150, At96, 301}, {10, At96, 201},   {100, At96, 201}, {500, At96, 401},
               {10, At144, 301}, {250, At144, 501}, {400, At144, 601}};
  for (auto& c : Cases) {
    TacGlowShape Shape;
    EnsureGlowShape(Shape, c.Radius, 0xFF0000FF, c.Scale);
    ASSERT_TRUE(Shape.Bmp) << c.Radius;
    EXPECT_EQ(Shape.Bmp->Width(), c.Side) << c.Radius;
    EXPECT_EQ(Shape.Bmp->Height(), c.Side) << c.Radius;
  }
}

TEST(GlowShape, FullInTheMiddleFadingToNothingAtTheCorners) {
  TacGlowShape Shape;
  EnsureGlowShape(Shape, 100, 0x800000FF, At96);
  EXPECT_EQ(PixelAt(*Shape.Bmp, 100, 100), 0x7FFF0000u);  // red at 0x80 x 255 shr 8, not premultiplied
  EXPECT_EQ(PixelAt(*Shape.Bmp, 0, 0) >> 24, 0u);
  const uint32_t Halfway = PixelAt(*Shape.Bmp, 50, 100) >> 24;
  EXPECT_GT(Halfway, 0u);
  EXPECT_LT(Halfway, 0x7Fu);
}

TEST(GlowShape, MadeAgainOnlyForAnotherSizeOrColour) {
  TacGlowShape Shape;
  EnsureGlowShape(Shape, 120, 0xFF00FF00, At96);
  TBitmap* First = Shape.Bmp.get();
  EnsureGlowShape(Shape, 120, 0xFF00FF00, At96);
  EXPECT_EQ(Shape.Bmp.get(), First);
  EnsureGlowShape(Shape, 121, 0xFF00FF00, At96);  // another size
  TBitmap* Second = Shape.Bmp.get();
  EXPECT_NE(Second, First);
  EnsureGlowShape(Shape, 121, 0xFF0000FF, At96);  // another colour
  EXPECT_NE(Shape.Bmp.get(), Second);
  EXPECT_EQ(PixelAt(*Shape.Bmp, 121, 121) & 0xFFFFFF, 0xFF0000u);
  // Radii outside the limits that come to the same size keep the shape.
  EnsureGlowShape(Shape, 10, 0xFF0000FF, At96);
  TBitmap* Smallest = Shape.Bmp.get();
  EnsureGlowShape(Shape, 60, 0xFF0000FF, At96);
  EXPECT_EQ(Shape.Bmp.get(), Smallest);
}
