// Anti-aliased arrow glyphs: their extents per style, where the base and
// the tip lie for each direction, their colour and their scaling.
#include <gtest/gtest.h>

#include <memory>

#include "skin/graphics/ArrowGlyph.h"
#include "skin/graphics/GdiPlus.h"
#include "support/PixelHelpers.h"

namespace {

// Lit pixels of a bitmap that started transparent black.
struct Shape {
  RECT Box{1000, 1000, -1, -1};  // inclusive
  int RowLength[64] = {}, ColLength[64] = {};
  int Count = 0;
  uint32_t Strongest = 0;  // the most opaque pixel
};

Shape Take(TBitmap& Bmp) {
  GdiFlush();
  Shape s;
  for (int y = 0; y < Bmp.Height(); ++y)
    for (int x = 0; x < Bmp.Width(); ++x) {
      const uint32_t p = PixelAt(Bmp, x, y);
      if ((p >> 24) < 0x80) continue;
      ++s.Count, ++s.RowLength[y], ++s.ColLength[x];
      if ((p >> 24) > (s.Strongest >> 24)) s.Strongest = p;
      s.Box.left = std::min<LONG>(s.Box.left, x), s.Box.right = std::max<LONG>(s.Box.right, x);
      s.Box.top = std::min<LONG>(s.Box.top, y), s.Box.bottom = std::max<LONG>(s.Box.bottom, y);
    }
  return s;
}

class ArrowGlyph : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitGdiPlus(); }
  static void TearDownTestSuite() { DoneGdiPlus(); }
};

}  // namespace

TEST(ArrowExtent, DepthAndWidthPerStyleAndRectangleWidth) {
  struct Case {
    uint8_t Style;
    int Size, Thickness, RectWidth;
    int Depth, Width;
  } cases[] = {
      {0, 4, 1, 20, 4, 8},  {0, 4, 1, 21, 5, 9},   // one more each way for an odd width
      {1, 5, 2, 20, 8, 12}, {1, 5, 2, 21, 8, 13},  // size + max(1, t/2) + t deep, 2 size + t wide
      {2, 5, 1, 20, 2, 11}, {2, 5, 1, 21, 3, 10},  // half deep; wider for an even width
      {3, 5, 2, 20, 5, 13}, {3, 5, 2, 21, 5, 12},  // the flat chevron
      {3, 6, 4, 20, 9, 17},                        // thickness 4: b = 2
      {4, 5, 1, 20, 8, 9},  {4, 4, 1, 21, 7, 9},   // width made odd
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "style " << int(k.Style) << " size " << k.Size << " width " << k.RectWidth);
    const TArrowExtent e = ArrowExtent(k.Style, k.Size, k.Thickness, k.RectWidth);
    EXPECT_EQ(e.Depth, k.Depth);
    EXPECT_EQ(e.Width, k.Width);
  }
}

TEST_F(ArrowGlyph, TheBaseLiesOppositeTheTipForEveryDirection) {
  const RECT R{4, 4, 36, 36};
  for (uint8_t direction = 0; direction < 4; ++direction) {
    SCOPED_TRACE(int(direction));
    std::unique_ptr<TBitmap> bmp(FilledBitmap32(40, 40, 0));
    DrawArrowGlyph(*bmp, 0x0000FF, 0x1FFFFFFF, R, direction, 0, 0, 0, 0, 96);
    const Shape s = Take(*bmp);
    ASSERT_GT(s.Count, 10);
    // Centred in R within a pixel or two.
    EXPECT_NEAR((s.Box.left + s.Box.right) / 2.0, 19.5, 1.5);
    EXPECT_NEAR((s.Box.top + s.Box.bottom) / 2.0, 19.5, 1.5);
    int base, tip;
    switch (direction) {
      case 0:
        base = s.ColLength[s.Box.right], tip = s.ColLength[s.Box.left];
        break;
      case 1:
        base = s.RowLength[s.Box.bottom], tip = s.RowLength[s.Box.top];
        break;
      case 2:
        base = s.ColLength[s.Box.left], tip = s.ColLength[s.Box.right];
        break;
      default:
        base = s.RowLength[s.Box.top], tip = s.RowLength[s.Box.bottom];
        break;
    }
    EXPECT_GE(base, 6);
    EXPECT_LE(tip, 2);
    // Red at full strength, red in the low byte of the colour.
    EXPECT_GE(s.Strongest >> 16 & 0xFF, 0xF0u);
    EXPECT_EQ(s.Strongest & 0xFFFF, 0u);
  }
}

TEST_F(ArrowGlyph, ADownArrowIsSymmetric) {
  std::unique_ptr<TBitmap> bmp(FilledBitmap32(40, 40, 0));
  DrawArrowGlyph(*bmp, 0xFFFFFF, 0x1FFFFFFF, RECT{4, 4, 35, 36}, 3, 0, 0, 0, 0, 96);
  const Shape s = Take(*bmp);
  ASSERT_GT(s.Count, 10);
  for (int i = 0; i <= (s.Box.right - s.Box.left) / 2; ++i)
    EXPECT_NEAR(s.ColLength[s.Box.left + i], s.ColLength[s.Box.right - i], 1) << i;
}

TEST_F(ArrowGlyph, ScalesWithThePixelDensity) {
  int width[2];
  for (int i = 0; i < 2; ++i) {
    std::unique_ptr<TBitmap> bmp(FilledBitmap32(60, 60, 0));
    DrawArrowGlyph(*bmp, 0xFFFFFF, 0x1FFFFFFF, RECT{0, 0, 60, 60}, 3, 0, 0, 0, 0, i == 0 ? 96 : 192);
    const Shape s = Take(*bmp);
    width[i] = s.Box.right - s.Box.left + 1;
  }
  EXPECT_GE(width[0], 6);
  EXPECT_GE(width[1], width[0] * 17 / 10);
}

TEST_F(ArrowGlyph, ChevronsAreDrawnInTheLineColourOnly) {
  for (uint32_t line : {0x1FFFFFFFu, 0x00FF00u}) {
    SCOPED_TRACE(line);
    std::unique_ptr<TBitmap> bmp(FilledBitmap32(40, 40, 0));
    DrawArrowGlyph(*bmp, 0x0000FF, line, RECT{0, 0, 40, 40}, 3, 0, 0, 0, 1, 96);
    const Shape s = Take(*bmp);
    if (line == 0x1FFFFFFFu) {
      EXPECT_EQ(s.Count, 0);
    } else {
      ASSERT_GT(s.Count, 5);
      EXPECT_EQ(s.Strongest & 0xFF00FF, 0u);  // green only
    }
  }
}

TEST_F(ArrowGlyph, AnArrowOutsideTheBitmapPaintsNothingOutside) {
  std::unique_ptr<TBitmap> bmp(FilledBitmap32(10, 10, 0));
  DrawArrowGlyph(*bmp, 0xFFFFFF, 0x1FFFFFFF, RECT{-30, -30, -10, -10}, 3, 0, 0, 0, 0, 96);
  EXPECT_EQ(Take(*bmp).Count, 0);
  std::unique_ptr<TBitmap> empty(new TBitmap);
  DrawArrowGlyph(*empty, 0xFFFFFF, 0x1FFFFFFF, RECT{0, 0, 10, 10}, 3, 0, 0, 0, 0, 96);
}
