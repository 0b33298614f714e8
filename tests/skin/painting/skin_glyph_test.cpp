// Glyphs drawn whole at a point: the frame of the state, cut at the
// bitmap's edges without showing the neighbouring frame, and the mask.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/SkinGlyph.h"
#include "skin/painting/SkinRect.h"

namespace {

constexpr uint32_t kSentinel = 0x11223344;
constexpr int kSize = 4, kFrames = 3;

uint32_t SourcePixel(int X, int Y) { return 0xFF000000u | uint32_t(X) << 16 | uint32_t(Y) << 8 | 0x5A; }

class SkinGlyph : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Manager = std::make_unique<TsSkinManager>(nullptr);
    Picture = NewBitmap32(kSize * kFrames, kSize * 2);
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize * kFrames; ++x) {
        SetPixel32(*Picture, x, y, SourcePixel(x, y));
        SetPixel32(*Picture, x, y + kSize, 0);
      }
    Item.Bmp = Picture.get();
    Item.Manager = Manager.get();
    Item.SrcRect = RECT{0, 0, kSize * kFrames, kSize * 2};
    Item.ImageCount = kFrames;
    Item.MaskType = 1;
    Item.FrameWidth = Item.FrameHeight = kSize;
    Target = NewBitmap32(10, 10);
    FillRect32(*Target, RECT{0, 0, 10, 10}, ExchangeRedBlue(kSentinel & 0xFFFFFF), kSentinel >> 24);
  }
  uint32_t Colour(int X, int Y) { return GetPixel32(*Target, X, Y) & 0xFFFFFF; }
  void Draw(int X, int Y, int State, int Mode = 1) {
    DrawSkinGlyph(*Target, POINT{X, Y}, State, Mode, Item, EmptyBackgroundSource);
  }

  std::unique_ptr<TsSkinManager> Manager;
  std::unique_ptr<TBitmap> Picture, Target;
  TsMaskData Item;
};

TEST_F(SkinGlyph, NegativePositionSkipsLeadingColumnsNotIntoTheNextFrame) {
  Draw(-3, 0, 0);
  EXPECT_EQ(Colour(0, 0), SourcePixel(3, 0) & 0xFFFFFF);
  EXPECT_EQ(Colour(0, 3), SourcePixel(3, 3) & 0xFFFFFF);
  EXPECT_EQ(Colour(1, 0), kSentinel & 0xFFFFFF);
}

TEST_F(SkinGlyph, StatePastTheStripDrawsTheLastFrame) {
  Draw(2, 2, 7);
  EXPECT_EQ(Colour(2, 2), SourcePixel(8, 0) & 0xFFFFFF);
  EXPECT_EQ(Colour(5, 5), SourcePixel(11, 3) & 0xFFFFFF);
  EXPECT_EQ(Colour(6, 6), kSentinel & 0xFFFFFF);
}

TEST_F(SkinGlyph, MaskOf255KeepsColourAndAlpha) {
  SetPixel32(*Picture, 0, kSize, 0xFFFFFFFF);
  Draw(0, 0, 0);
  EXPECT_EQ(GetPixel32(*Target, 0, 0), kSentinel);
  EXPECT_EQ(Colour(1, 0), SourcePixel(1, 0) & 0xFFFFFF);
}

TEST_F(SkinGlyph, GlyphsAtOrPastTheEdgesAreCut) {
  Draw(8, 8, 0);  // only its first 2 x 2 fits
  EXPECT_EQ(Colour(9, 9), SourcePixel(1, 1) & 0xFFFFFF);
  for (POINT p : {POINT{10, 0}, POINT{0, 10}, POINT{-4, 0}, POINT{-40, -40}, POINT{1000, 1000}}) {
    SetUp();
    Draw(p.x, p.y, 0);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) ASSERT_EQ(GetPixel32(*Target, x, y), kSentinel) << p.x << "," << p.y;
  }
  Item.ImageCount = 0;
  Draw(0, 0, 0);
  EXPECT_EQ(GetPixel32(*Target, 0, 0), kSentinel);
}

TEST_F(SkinGlyph, PlainGlyphOtherModesAreFaded) {
  Item.MaskType = 0;
  Draw(0, 0, 0, 2);
  uint32_t got = Colour(0, 0), src = SourcePixel(0, 0);
  for (int shift = 0; shift < 24; shift += 8) {
    int expected = (int(src >> shift & 0xFF) * 75 + int(kSentinel >> shift & 0xFF) * 180) >> 8;
    EXPECT_EQ(int(got >> shift & 0xFF), expected) << shift;
  }
}

// A fill colour of 0 is black, not "no colour": only 0xFF00FF means none.
TEST_F(SkinGlyph, MaskedTileTakesABlackFillColour) {
  SetPixel32(*Picture, 0, 0, 0xFFFF00FF);
  SetPixel32(*Picture, 1, 0, 0xFFFF00FF);
  TacBackgroundSource black = EmptyBackgroundSource;
  black.FillColor = 0;
  CopyMaskedTile(RECT{0, 0, 4, 4}, RECT{0, 0, 4, 4}, *Target, black, Item);
  EXPECT_EQ(GetPixel32(*Target, 0, 0), 0xFF000000u);
  CopyMaskedTile(RECT{1, 0, 5, 4}, RECT{1, 0, 5, 4}, *Target, EmptyBackgroundSource, Item);
  EXPECT_EQ(GetPixel32(*Target, 1, 0), 0xFF000000u);  // no colour: left as it was
  EXPECT_EQ(Colour(2, 0), SourcePixel(2, 0) & 0xFFFFFF);
}

TEST_F(SkinGlyph, TransparentPixelsWithoutItemClearAlphaAndTakeTheSource) {
  SetPixel32(*Target, 1, 1, 0x80FF00FF);
  auto source = NewBitmap32(4, 4);
  FillRect32(*source, RECT{0, 0, 4, 4}, 0x00112233, 255);
  CopyTransparentPixels(*Target, *source, RECT{0, 0, 6, 6}, POINT{-1, -1}, -1, nullptr, 0);
  EXPECT_EQ(GetPixel32(*Target, 1, 1), GetPixel32(*source, 0, 0));
  EXPECT_EQ(GetPixel32(*Target, 2, 2), kSentinel & 0x00FFFFFF);
  EXPECT_EQ(GetPixel32(*Target, 7, 7), kSentinel);
}

}  // namespace
