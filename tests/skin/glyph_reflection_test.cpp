#include <gtest/gtest.h>

#include <memory>

#include "skin/graphics/GlyphReflection.h"
#include "support/PixelHelpers.h"

namespace {

constexpr uint32_t kWhite = 0x80FFFFFF;  // the alpha shows it is kept
constexpr uint32_t kKey = 0xFF00FF;

// A 4 x 6 frame of black with one key-colour pixel in its bottom row.
std::unique_ptr<TBitmap> Glyph() {
  std::unique_ptr<TBitmap> G(FilledBitmap32(4, 6, 0xFF000000));
  SetPixelAt(*G, 3, 5, 0xFF000000 | kKey);
  return G;
}

}  // namespace

TEST(GlyphReflection, RowsFadeFromTheFrameBottomUp) {
  struct {
    int Blend;
    int Want[4];  // grey of each reflected row over white
  } Cases[] = {
      {0, {129, 180, 219, 244}},   // weights 127, 76, 37, 12
      {50, {193, 218, 238, 250}},  // weights 63, 38, 18, 6
  };
  for (auto& c : Cases) {
    auto G = Glyph();
    std::unique_ptr<TBitmap> Dst(FilledBitmap32(10, 20, kWhite));
    DrawGlyphReflection(*Dst, *G, POINT{2, 6}, c.Blend, kKey, RECT{0, 0, 4, 6});
    for (int r = 0; r < 4; ++r) {
      const uint32_t g = uint32_t(c.Want[r]);
      EXPECT_EQ(PixelAt(*Dst, 2, 6 + r), 0x80000000u | g << 16 | g << 8 | g) << c.Blend << " row " << r;
    }
    EXPECT_EQ(PixelAt(*Dst, 2, 10), kWhite);  // 2 x (6 div 3) rows only
    EXPECT_EQ(PixelAt(*Dst, 2, 5), kWhite);
    EXPECT_EQ(PixelAt(*Dst, 5, 6), kWhite);  // the key-colour pixel is skipped
    EXPECT_EQ(PixelAt(*Dst, 6, 6), kWhite);  // right of the frame
  }
}

TEST(GlyphReflection, StopsAtTheTargetsEdges) {
  auto G = Glyph();
  std::unique_ptr<TBitmap> Dst(FilledBitmap32(10, 20, kWhite));
  DrawGlyphReflection(*Dst, *G, POINT{-2, 18}, 0, kKey, RECT{0, 0, 4, 6});
  // Two rows fit: the weights are those of a two-row reflection.
  EXPECT_EQ(PixelAt(*Dst, 0, 18) & 0xFF, uint32_t(255 - 255 * 127 / 256));
  EXPECT_EQ(PixelAt(*Dst, 0, 19) & 0xFF, uint32_t(255 - 255 * 42 / 256));
  EXPECT_EQ(PixelAt(*Dst, 2, 18), kWhite);  // beyond the frame's columns
  std::unique_ptr<TBitmap> Full(FilledBitmap32(10, 20, kWhite));
  DrawGlyphReflection(*Full, *G, POINT{2, 19}, 0, kKey, RECT{0, 0, 4, 6});
  DrawGlyphReflection(*Full, *G, POINT{2, 25}, 0, kKey, RECT{0, 0, 4, 6});
  EXPECT_NE(PixelAt(*Full, 2, 19), kWhite);
  EXPECT_EQ(PixelAt(*Full, 2, 18), kWhite);
}
