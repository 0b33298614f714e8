#include <gtest/gtest.h>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/GdiPlus.h"
#include "support/PixelHelpers.h"

namespace {

std::unique_ptr<TBitmap> Black(int W, int H) { return std::unique_ptr<TBitmap>(FilledBitmap32(W, H, 0xFF000000)); }

class GdiPlus : public ::testing::Test {
 protected:
  void SetUp() override { InitGdiPlus(); }
  void TearDown() override { DoneGdiPlus(); }
};

}  // namespace

TEST(GdiPlusBinding, WithoutTheUnitStartedNothingIsDrawn) {
  EXPECT_FALSE(GpStart(false));
  auto Bmp = Black(8, 8);
  GpFillEllipse(Bmp->DC(), 0xFFFFFF, 0, 0, 8, 8);
  GpFillRectAlpha(Bmp->DC(), 0xFFFFFF, RECT{0, 0, 8, 8}, 255);
  EXPECT_EQ(PixelAt(*Bmp, 4, 4), 0xFF000000u);
  EXPECT_FALSE(GpDrawText(Bmp->DC(), L"x", RECT{0, 0, 8, 8}, 0xFFFFFF, gaLeft, gaLeft, true));
  SIZE Size = GpMeasureTextW(Bmp->DC(), L"abc", false);
  EXPECT_EQ(Size.cx, 0);
  EXPECT_GT(GpMeasureText(Bmp->DC(), "abc", false).cx, 0);  // falls back to GDI
}

TEST(GdiPlusBinding, ColoursGainAlphaOnlyWhenTheyHaveNone) {
  EXPECT_EQ(GpColor(0x0000FF), 0xFFFF0000u);
  EXPECT_EQ(GpColor(0x80123456), 0x80563412u);
  EXPECT_EQ(GpColor(0x01000000), 0x01000000u);
}

TEST_F(GdiPlus, StartsOnceAndShapesAreHardEdgedUnderTest) {
  ASSERT_TRUE(GpStart(false));
  auto Bmp = Black(9, 9);
  GpFillEllipse(Bmp->DC(), 0x00FF00, 0, 0, 9, 9);
  GdiFlush();
  EXPECT_EQ(PixelAt(*Bmp, 4, 4) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0xFF000000u);  // outside the ellipse
}

TEST_F(GdiPlus, RectangleFillsAndFrames) {
  auto Fill = Black(6, 6);
  GpFillRectAlpha(Fill->DC(), 0x0000FF, RECT{1, 1, 5, 5}, 255);
  GdiFlush();
  EXPECT_EQ(PixelAt(*Fill, 2, 2) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(PixelAt(*Fill, 0, 0), 0xFF000000u);
  EXPECT_EQ(PixelAt(*Fill, 5, 5), 0xFF000000u);

  auto NoBorder = Black(6, 6);
  GpRoundRect(NoBorder->DC(), 0, 0, 6, 6, 0, 0, 0xFFFFFF, 0x1FFFFFFF);
  GdiFlush();
  EXPECT_EQ(PixelAt(*NoBorder, 2, 2) & 0xFFFFFF, 0xFFFFFFu);

  // Radius 0 with a border: a plain frame, the inside left alone.
  auto Frame = Black(8, 8);
  GpRoundRect(Frame->DC(), 0, 0, 8, 8, 0, 1, 0x1FFFFFFF, 0x0000FF);
  GdiFlush();
  EXPECT_EQ(PixelAt(*Frame, 0, 3) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(PixelAt(*Frame, 3, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(PixelAt(*Frame, 3, 3), 0xFF000000u);
}

TEST_F(GdiPlus, LinesAndBorders) {
  auto Bmp = Black(10, 10);
  GpDrawLine(Bmp->DC(), 0xFFFFFF, 0, 5, 10, 5, 1);
  GdiFlush();
  int Lit = 0;
  for (int x = 1; x < 9; ++x) Lit += (PixelAt(*Bmp, x, 5) & 0xFFFFFF) != 0 || (PixelAt(*Bmp, x, 4) & 0xFFFFFF) != 0;
  EXPECT_EQ(Lit, 8);
  EXPECT_EQ(PixelAt(*Bmp, 5, 0), 0xFF000000u);

  auto Border = Black(10, 10);
  GpRectBorder(Border->DC(), RECT{0, 0, 10, 10}, 2, 0x00FF00, 2);  // top only
  GdiFlush();
  EXPECT_NE(PixelAt(*Border, 5, 0) & 0xFFFFFF, 0u);
  EXPECT_EQ(PixelAt(*Border, 5, 8), 0xFF000000u);
  auto None = Black(4, 4);
  GpRectBorder(None->DC(), RECT{0, 0, 4, 4}, 0, 0x00FF00);
  const int Radii[4] = {2, 2, 2, 2};
  GpRoundBorder(None->DC(), 0, 0, 4, 4, 1, 0x1FFFFFFF, Radii);
  GdiFlush();
  EXPECT_EQ(PixelAt(*None, 0, 0), 0xFF000000u);
}

TEST_F(GdiPlus, PointsRotateByWholeDegrees) {
  TacGpPoint Points[2] = {{10, 0}, {0, 10}};
  GpRotatePoints(Points, TacGpPoint{0, 0}, 2, 90);
  EXPECT_NEAR(Points[0].X, 0, 1e-5);
  EXPECT_NEAR(Points[0].Y, -10, 1e-5);
  EXPECT_NEAR(Points[1].X, 10, 1e-5);
  EXPECT_NEAR(Points[1].Y, 0, 1e-5);
  EXPECT_FLOAT_EQ(SinDeg(450), SinDeg(90));
  EXPECT_FLOAT_EQ(CosDeg(-90), CosDeg(270));
}

TEST_F(GdiPlus, StretchKeepsOpaqueColours) {
  auto Src = Black(2, 2);
  SetPixelAt(*Src, 0, 0, 0xFFFF0000);
  SetPixelAt(*Src, 1, 1, 0x00000000);
  auto Dst = std::unique_ptr<TBitmap>(FilledBitmap32(4, 4, 0));
  GpStretchDrawRect(*Dst, *Src, 0, 0, 2, 2);
  uint32_t p = PixelAt(*Dst, 0, 0);
  EXPECT_GE(p >> 24, 250u);
  EXPECT_GE(p >> 16 & 0xFF, 250u);
  EXPECT_EQ(p & 0xFFFF, 0u);
  EXPECT_LT(PixelAt(*Dst, 3, 3) >> 24, 8u);  // a transparent source stays (nearly) transparent
}

TEST_F(GdiPlus, RefusedBlurEffectFallsBackToSmoothing) {
  // This system's GDI+ refuses the blur effect: the bitmap is smoothed by
  // halving instead of being left as it was.
  auto Bmp = Black(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if ((x + y) % 2) SetPixelAt(*Bmp, x, y, 0xFFFFFFFF);
  GpBlurBitmap(*Bmp, 17);
  int Changed = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t Before = (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000;
      Changed += PixelAt(*Bmp, x, y) != Before;
    }
  EXPECT_GT(Changed, 64);
  auto Empty = NewBitmap32(0, 0);
  GpBlurBitmap(*Empty, 5);
}

TEST_F(GdiPlus, TextIsDrawnAndMeasuredWithTheDcsFont) {
  auto Bmp = Black(80, 30);
  HFONT Font = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  HGDIOBJ Old = SelectObject(Bmp->DC(), Font);
  EXPECT_TRUE(GpDrawText(Bmp->DC(), L"Kel", RECT{0, 0, 80, 30}, 0xFFFFFF, gaLeft, gaCenter, true));
  SIZE Size = GpMeasureTextW(Bmp->DC(), L"Kelvra", false);
  SIZE Short = GpMeasureTextW(Bmp->DC(), L"K", false);
  SelectObject(Bmp->DC(), Old);
  DeleteObject(Font);
  GdiFlush();
  int Lit = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) Lit += (PixelAt(*Bmp, x, y) & 0xFFFFFF) != 0;
  EXPECT_GT(Lit, 20);
  EXPECT_GT(Size.cx, Short.cx);
  EXPECT_GT(Size.cy, 10);
}
