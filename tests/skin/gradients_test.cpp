#include <gtest/gtest.h>

#include <cmath>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/Gradients.h"
#include "support/PixelHelpers.h"

namespace {

class Gradients : public ::testing::Test {
 protected:
  void SetUp() override {
    InitGradients();
    InitGdiPlus();
  }
  void TearDown() override {
    DoneGdiPlus();
    DoneGradients();
  }
};

std::unique_ptr<TBitmap> Blank(int W, int H) { return std::unique_ptr<TBitmap>(FilledBitmap32(W, H, 0x12345678)); }

// The pixel a stepped channel value gives: start + (end - start) / rows x k, rounded.
uint32_t Stepped(uint32_t From, uint32_t To, int Rows, int k) {
  uint32_t Pixel = 0xFF000000u;
  const int Shift[3] = {16, 8, 0};  // red, green, blue of the colour value into pixel order
  for (int c = 0; c < 3; ++c) {
    double a = From >> (8 * c) & 0xFF, b = To >> (8 * c) & 0xFF;
    Pixel |= uint32_t(std::nearbyint(a + (b - a) / Rows * k)) << Shift[c];
  }
  return Pixel;
}

}  // namespace

TEST_F(Gradients, ParsesBothForms) {
  TsGradArray Three = ParseGradientString(L"255;0;0;16711680;60;0;B");
  ASSERT_EQ(Three.size(), 2u);
  EXPECT_EQ(Three[0].Color, 0x0000FFu);
  EXPECT_EQ(Three[0].Percent, 0);
  EXPECT_EQ(Three[1].Color, 0xFF0000u);
  EXPECT_EQ(Three[1].Percent, 100);  // 60 is replaced by 100
  EXPECT_EQ(Three[1].Index, 1);

  TsGradArray Five = ParseGradientString(L"255;0;30;5;0;$FF0000;0;80;0;0");
  ASSERT_EQ(Five.size(), 2u);
  EXPECT_EQ(Five[0].Percent, 0);
  EXPECT_EQ(Five[1].Percent, 100);
  EXPECT_EQ(Five[0].Color, 0xFF0000FFu);  // alpha 255 in the five-field form
  EXPECT_EQ(Five[0].Mode, 5u);

  TsGradArray Middle = ParseGradientString(L"1;0;40;0;0;2;0;150;0;0;3;0;10;0;0");
  ASSERT_EQ(Middle.size(), 3u);
  EXPECT_EQ(Middle[1].Percent, 40);  // cumulative, each clamped to 100
  EXPECT_EQ(Middle[2].Percent, 100);

  TsGradArray Corners = ParseGradientString(L"1;0;0;2;0;2;0;100;0;0");
  ASSERT_EQ(Corners.size(), 5u);  // four-corner padded to five items
  EXPECT_EQ(Corners[4].Color, 0xFF000002u);
  EXPECT_EQ(Corners[4].Index, 4);

  TsGradArray GdiPlus = ParseGradientString(L"1;0;16;2;100;0;B");
  EXPECT_EQ(GdiPlus[0].Mode, 0x30u);  // 0x10 also sets 0x20

  EXPECT_TRUE(ParseGradientString(L"abcd").empty());
  EXPECT_THROW(ParseGradientString(L"red;0;0;blue;100;0;B"), EConvertError);
  EXPECT_THROW(ParseGradientString(L"1;0;0;Z"), EConvertError);  // 26 items promised, fields missing
}

TEST_F(Gradients, VerticalStepsPerRowAndEndsAtTheBottom) {
  auto Bmp = Blank(3, 12);
  TsGradArray Items = ParseGradientString(L"$000000;0;0;$0000C8;50;0;$C8C8C8;100;0;C");
  PaintGradient(*Bmp, RECT{0, 1, 3, 11}, Items);  // 10 rows: 5 + 5
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0x12345678u);
  EXPECT_EQ(PixelAt(*Bmp, 0, 11), 0x12345678u);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(PixelAt(*Bmp, 1, 1 + k), Stepped(0x000000, 0x0000C8, 5, k)) << k;
    EXPECT_EQ(PixelAt(*Bmp, 2, 6 + k), Stepped(0x0000C8, 0xC8C8C8, 5, k)) << k;
  }
}

TEST_F(Gradients, RoundingOfTheStepsIsTiesToEven) {
  // 0 to 5 over 2 rows: row 1 is 2.5, which rounds to 2.
  auto Bmp = Blank(1, 2);
  PaintGradient(*Bmp, RECT{0, 0, 1, 2}, ParseGradientString(L"0;0;0;5;100;0;B"));
  EXPECT_EQ(PixelAt(*Bmp, 0, 1), 0xFF020000u);
}

TEST_F(Gradients, HorizontalCopiesTheTopRowDown) {
  auto Bmp = Blank(8, 3);
  PaintGradient(*Bmp, RECT{0, 0, 8, 3}, ParseGradientString(L"$FF0000;0;1;$0000FF;100;0;B"));
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(PixelAt(*Bmp, x, 0), Stepped(0xFF0000, 0x0000FF, 8, x)) << x;
    EXPECT_EQ(PixelAt(*Bmp, x, 2), PixelAt(*Bmp, x, 0));
  }
}

TEST_F(Gradients, EqualColoursFillAndRectanglesAreClipped) {
  auto Bmp = Blank(4, 4);
  PaintGradient(*Bmp, RECT{-5, 2, 40, 40}, ParseGradientString(L"$00FF00;0;0;$00FF00;100;0;B"));
  EXPECT_EQ(PixelAt(*Bmp, 0, 1), 0x12345678u);
  for (int y = 2; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(*Bmp, x, y), 0xFF00FF00u);
  PaintGradient(*Bmp, RECT{0, 0, 4, 4}, TsGradArray{});
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0x12345678u);
}

TEST_F(Gradients, FourCornersThroughGradientFill) {
  ASSERT_TRUE(GradientFillAvailable());
  auto Bmp = Blank(21, 21);
  PaintGradient(*Bmp, RECT{0, 0, 21, 21},
                ParseGradientString(L"$0000FF;0;2;$FFFFFF;0;0;$00FF00;0;0;$FF0000;0;0;$000000;100;0;E"));
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0xFFFF0000u);  // top-left: red
  EXPECT_EQ(PixelAt(*Bmp, 10, 10) >> 24, 0xFFu);
  EXPECT_GT(PixelAt(*Bmp, 10, 10) & 0xFF, 0xF0u);      // the centre is near white
  EXPECT_GT(PixelAt(*Bmp, 19, 1) >> 8 & 0xFF, 0xD0u);  // near top-right: green
}

TEST_F(Gradients, BlendedWithATiledTexture) {
  auto Texture = Blank(2, 1);
  SetPixelAt(*Texture, 0, 0, 0xFFFFFFFF);
  SetPixelAt(*Texture, 1, 0, 0xFF000000);
  auto Bmp = Blank(4, 2);
  PaintGradientBlended(*Bmp, RECT{0, 0, 4, 2}, ParseGradientString(L"$808080;0;0;$808080;100;0;B"), 0x40, 128,
                       RECT{0, 0, 0, 0}, *Texture);
  // (128 x (255 - 128) + 128 x 256) shr 8 = 191; (128 x (0 - 128) + 128 x 256) shr 8 = 64
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0x40BFBFBFu);
  EXPECT_EQ(PixelAt(*Bmp, 1, 1), 0x40404040u);
  EXPECT_EQ(PixelAt(*Bmp, 2, 1), 0x40BFBFBFu);
  auto Untouched = Blank(2, 2);
  PaintGradientBlended(*Untouched, RECT{0, 0, 2, 2}, ParseGradientString(L"1;0;2;2;0;0;3;0;0;4;0;0;5;100;0;E"), 0x40,
                       128, RECT{0, 0, 0, 0}, *Texture);
  EXPECT_EQ(PixelAt(*Untouched, 0, 0), 0x12345678u);
}

TEST_F(Gradients, GlowShapeIsSolidInsideAndClearOutside) {
  auto Shape = CreateGlowShape(0x800000FF, 5, 2, 3, 4, 3, false, false);
  ASSERT_EQ(Shape->Width(), 15);                  // 2 x 5 + 4 + 1
  ASSERT_EQ(Shape->Height(), 16);                 // 2 x 5 + 2 + 3 + 1
  EXPECT_EQ(PixelAt(*Shape, 7, 9), 0x7FFF0000u);  // inside: 255 x 0x80 shr 8
  EXPECT_EQ(PixelAt(*Shape, 0, 2) >> 24, 0u);     // corner: outside the circle
  EXPECT_EQ(PixelAt(*Shape, 7, 0) >> 24, 0u);     // above the top offset
  uint32_t Edge = PixelAt(*Shape, 7, 3) >> 24;    // one pixel inside the top edge
  EXPECT_GT(Edge, 0u);
  EXPECT_LT(Edge, 0x7Fu);
  EXPECT_EQ(PixelAt(*Shape, 7, 3), PixelAt(*Shape, 7, 14));  // top and bottom share the profile
  auto Grey = CreateGlowShape(0xFF000000, 4, 0, 0, 0, 0, true, false);
  EXPECT_EQ(PixelAt(*Grey, 4, 4), 0xFF000000u);  // mask: black where the shape is full
  EXPECT_EQ(PixelAt(*Grey, 0, 0), 0xFFFFFFFFu);
}

TEST_F(Gradients, FadeRunsFromTheOpaqueSide) {
  auto Bmp = NewBitmap32(20, 4);
  FillFadeGradient(*Bmp, 0xFF000000, 0);
  uint32_t Left = PixelAt(*Bmp, 1, 1) >> 24, Right = PixelAt(*Bmp, 18, 1) >> 24;
  EXPECT_GT(Left, Right);
  auto Bottom = NewBitmap32(4, 20);
  FillFadeGradient(*Bottom, 0xFF000000, 3);
  EXPECT_LT(PixelAt(*Bottom, 1, 1) >> 24, PixelAt(*Bottom, 1, 18) >> 24);
}
