#include <gtest/gtest.h>

#include <memory>

#include "skin/graphics/FontMetrics.h"
#include "skin/graphics/FrameDrawing.h"
#include "support/PixelHelpers.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;

uint32_t Rgb(TBitmap& Bmp, int x, int y) {
  GdiFlush();
  return PixelAt(Bmp, x, y) & 0xFFFFFF;
}

}  // namespace

TEST(FrameStrips, CopyTheBandOnly) {
  struct {
    int L, T, R, B;
    RECT Inner;  // what stays uncopied (empty: nothing copied)
  } Cases[] = {
      {3, -1, -1, -1, {3, 3, 17, 17}},  // one width for every side
      {1, 2, 3, 4, {1, 2, 17, 16}},
      {-2, -1, -1, -1, {0, 0, 20, 20}},  // nothing
  };
  for (auto& c : Cases) {
    std::unique_ptr<TBitmap> Src(FilledBitmap32(30, 30, 0xFFFFFFFF)), Dst(FilledBitmap32(20, 20, kBlack));
    BlitFrameStrips(Dst->DC(), 0, 0, 20, 20, Src->DC(), 5, 5, c.L, c.T, c.R, c.B);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool Inner = x >= c.Inner.left && x < c.Inner.right && y >= c.Inner.top && y < c.Inner.bottom;
        ASSERT_EQ(Rgb(*Dst, x, y), Inner ? 0u : 0xFFFFFFu) << c.L << " " << x << "," << y;
      }
  }
}

TEST(TwoColorFrame, WidthTwoDrawsTwoNestedFramesAndShrinksR) {
  std::unique_ptr<TBitmap> Bmp(FilledBitmap32(14, 14, kBlack));
  RECT R{2, 2, 12, 12};
  int Width = 2;
  DrawTwoColorFrame(Bmp->DC(), R, 0x0000FF, 0x00FF00, Width, nullptr);
  EXPECT_EQ(Width, 0);
  EXPECT_EQ(R.left, 4);
  EXPECT_EQ(R.top, 4);
  EXPECT_EQ(R.right, 10);
  EXPECT_EQ(R.bottom, 10);
  const uint32_t Light = 0xFF0000, Dark = 0x00FF00;  // pixel order
  for (int k : {0, 1}) {
    const int Lo = 2 + k, Hi = 11 - k;
    EXPECT_EQ(Rgb(*Bmp, Lo, Lo), Light) << k;
    EXPECT_EQ(Rgb(*Bmp, 6, Lo), Light) << k;
    EXPECT_EQ(Rgb(*Bmp, Lo, 6), Light) << k;
    EXPECT_EQ(Rgb(*Bmp, Hi, 6), Dark) << k;
    EXPECT_EQ(Rgb(*Bmp, 6, Hi), Dark) << k;
    EXPECT_EQ(Rgb(*Bmp, Hi, Lo), Dark) << k;  // the dark line starts at the top-right corner
    EXPECT_EQ(Rgb(*Bmp, Lo, Hi), Dark) << k;  // and ends on the bottom-left one
  }
  EXPECT_EQ(Rgb(*Bmp, 4, 4), 0u);
  EXPECT_EQ(Rgb(*Bmp, 1, 1), 0u);
  EXPECT_EQ(Rgb(*Bmp, 12, 12), 0u);

  std::unique_ptr<TBitmap> Sided(FilledBitmap32(14, 14, kBlack));
  RECT S{2, 2, 12, 12};
  int One = 1;
  const int TopAndBottom = 2 | 8;
  DrawTwoColorFrame(Sided->DC(), S, 0x0000FF, 0x00FF00, One, &TopAndBottom);
  EXPECT_EQ(Rgb(*Sided, 6, 2), Light);
  EXPECT_EQ(Rgb(*Sided, 6, 11), Light);
  EXPECT_EQ(Rgb(*Sided, 2, 6), 0u);
  EXPECT_EQ(Rgb(*Sided, 11, 6), 0u);
}

TEST(DottedFrame, AlternatesInsideTheRectangle) {
  std::unique_ptr<TBitmap> Bmp(FilledBitmap32(10, 8, kBlack));
  TCanvas Canvas(Bmp->DC());
  DrawDottedFrame(Canvas, RECT{0, 0, 6, 4}, 0x0000FF, clNone);
  const uint32_t Red = 0xFF0000;
  // Top row: odd columns in the first colour; the second is left out.
  const uint32_t Top[7] = {0, Red, 0, Red, 0, Red, 0};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(Rgb(*Bmp, x, 0), Top[x]) << x;
  EXPECT_EQ(Rgb(*Bmp, 0, 1), Red);
  EXPECT_EQ(Rgb(*Bmp, 0, 2), 0u);
  EXPECT_EQ(Rgb(*Bmp, 6, 1), 0u);  // never past R
  EXPECT_EQ(Rgb(*Bmp, 0, 4), 0u);
}

TEST(FontMeasures, LineHeightAndExtent) {
  TOwnedFont Cell16(CreateFontW(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  EXPECT_EQ(FontLineHeight(Cell16.get(), false), 22);
  EXPECT_LE(FontLineHeight(Cell16.get(), true), 16);
  EXPECT_GT(FontLineHeight(Cell16.get(), true), 8);

  SIZE I{}, Empty{}, Word{}, Wrapped{};
  MeasureTextExtent(Cell16.get(), L"I", 0, false, 0, false, I);
  MeasureTextExtent(Cell16.get(), L"", 0, false, 0, true, Empty);
  EXPECT_GT(I.cx, 0);
  EXPECT_EQ(Empty.cx, I.cx);
  MeasureTextExtent(Cell16.get(), L"Kelvra Adapter", 0, true, 1000, false, Word);
  MeasureTextExtent(Cell16.get(), L"Kelvra Adapter", 0, true, 50, false, Wrapped);
  EXPECT_GT(Wrapped.cy, Word.cy);
  EXPECT_LT(Wrapped.cx, Word.cx);
}

TEST(FontMeasures, FontsEqualComparesStyleSizeColourAndName) {
  TFont A, B;
  A.SetName(L"Arial");
  B.SetName(L"Arial");
  A.SetSize(9);
  B.SetSize(9);
  EXPECT_TRUE(FontsEqual(A, B));
  B.SetColor(clRed);
  EXPECT_FALSE(FontsEqual(A, B));
  B.SetColor(A.Color());
  B.SetStyle(fsBold);
  EXPECT_FALSE(FontsEqual(A, B));
  B.SetStyle(A.Style());
  B.SetSize(10);
  EXPECT_FALSE(FontsEqual(A, B));
  B.SetSize(9);
  B.SetName(L"Tahoma");
  EXPECT_FALSE(FontsEqual(A, B));
}
