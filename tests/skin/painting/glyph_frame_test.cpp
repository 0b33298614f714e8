// One frame of a glyph strip: which frame each state takes, the key colour
// left out, the disabled blend and the reflection.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/GlyphFrame.h"
#include "tests/skin/support/PixelHelpers.h"

namespace {

// Frame i of a strip is filled with kFrameColour[i] except its bottom-left
// pixel, the key colour.
constexpr uint32_t kFrameColour[] = {0xFF101010, 0xFF202020, 0xFF303030, 0xFF404040, 0xFF505050};
constexpr uint32_t kKey = 0x00FF00FF;
constexpr int kFrame = 4;

std::unique_ptr<TBitmap> Strip(int FrameCount) {
  std::unique_ptr<TBitmap> b(FilledBitmap32(kFrame * FrameCount, kFrame, 0));
  for (int f = 0; f < FrameCount; ++f)
    for (int y = 0; y < kFrame; ++y)
      for (int x = 0; x < kFrame; ++x)
        SetPixelAt(*b, f * kFrame + x, y, x == 0 && y == kFrame - 1 ? kKey : kFrameColour[f]);
  return b;
}

// The frame found at (3, 3) of a black 12 x 12 target with R at (2, 2); -1
// when untouched or unknown.
int FrameDrawn(TBitmap& Dst) {
  const uint32_t p = PixelAt(Dst, 3, 3);
  for (int i = 0; i < 5; ++i)
    if (p == kFrameColour[i]) return i;
  return -1;
}

struct Case {
  const char* Name;
  int FrameCount;
  bool Enabled;
  int StateKind, StateIndex;
  int Want;
};

void Check(const Case& k) {
  SCOPED_TRACE(k.Name);
  auto glyph = Strip(k.FrameCount);
  std::unique_ptr<TBitmap> dst(FilledBitmap32(12, 12, 0xFF000000));
  DrawGlyphFrame(*glyph, *dst, RECT{2, 2, 6, 6}, k.FrameCount, k.Enabled, k.StateKind, 0, k.StateIndex, false);
  GdiFlush();
  EXPECT_EQ(FrameDrawn(*dst), k.Want);
  EXPECT_EQ(PixelAt(*dst, 2, 5), 0xFF000000u);  // the key pixel is left out
}

}  // namespace

// Run first: no skin manager exists yet, so the standard glyph order holds.
TEST(GlyphFrame, AStandardOrderWithoutAManager) {
  ASSERT_EQ(TsSkinManager::DefaultManager(), nullptr);
  const Case cases[] = {
      {"hot takes the first frame", 4, true, 1, 0, 0},
      {"a state past the strip takes the first frame", 4, true, 2, 5, 0},
      {"a state in the strip", 4, true, 2, 1, 3},
  };
  for (const Case& k : cases) Check(k);
}

TEST(GlyphFrame, FramesByStateInTheSkinsOrder) {
  InitApplication();
  TsSkinManager manager(nullptr);
  ASSERT_EQ(TsSkinManager::DefaultManager(), &manager);
  ASSERT_FALSE(manager.Options().StdGlyphsOrder());
  const Case cases[] = {
      {"one frame always draws frame 0", 1, true, 2, 0, 0},
      {"one frame, hot", 1, true, 1, 0, 0},
      {"disabled", 4, false, 3, 0, 0},
      {"normal", 4, true, 0, 0, 0},
      {"hot", 4, true, 1, 0, 1},
      {"state index 1", 4, true, 2, 1, 3},
      {"state index past the strip", 4, true, 2, 2, 1},
      {"pressed", 4, true, 3, 0, 2},
      {"pressed with two frames", 2, true, 3, 0, 0},
      {"a negative state index", 4, true, 2, -5, 0},
  };
  for (const Case& k : cases) Check(k);
}

TEST(GlyphFrame, ADisabledGlyphIsBlendedByItsPercent) {
  auto glyph = Strip(1);
  std::unique_ptr<TBitmap> dst(FilledBitmap32(12, 12, 0xFFFFFFFF));
  // Blend 50: about half of the glyph's 0x10 and half of the white target.
  DrawGlyphFrame(*glyph, *dst, RECT{2, 2, 6, 6}, 1, false, 0, 50, 0, false);
  GdiFlush();
  const uint32_t blue = PixelAt(*dst, 3, 3) & 0xFF;
  EXPECT_GT(blue, 0x70u);
  EXPECT_LT(blue, 0x98u);
}

TEST(GlyphFrame, AReflectionIsDrawnUnderTheRaisedGlyph) {
  auto glyph = Strip(1);
  std::unique_ptr<TBitmap> dst(FilledBitmap32(12, 30, 0xFF000000));
  // R 8 high: the glyph rises by 1 to row 1; the reflection starts at row 9.
  DrawGlyphFrame(*glyph, *dst, RECT{2, 2, 6, 10}, 1, true, 0, 0, 0, true);
  GdiFlush();
  EXPECT_EQ(PixelAt(*dst, 3, 1), kFrameColour[0]);
  EXPECT_EQ(PixelAt(*dst, 3, 5), 0xFF000000u);
  const uint32_t mirrored = PixelAt(*dst, 3, 9) & 0xFF;
  EXPECT_GT(mirrored, 0u);
  EXPECT_LT(mirrored, 0x10u);
}

TEST(GlyphFrame, NothingOutsideTheTargetOrFromAnEmptyGlyph) {
  auto glyph = Strip(2);
  std::unique_ptr<TBitmap> dst(FilledBitmap32(4, 4, 0xFF000000));
  DrawGlyphFrame(*glyph, *dst, RECT{-20, -20, -16, -16}, 2, true, 0, 0, 0, true);
  DrawGlyphFrame(*glyph, *dst, RECT{0, 0, 4, 4}, 0, true, 0, 0, 0, false);
  TBitmap empty;
  DrawGlyphFrame(empty, *dst, RECT{0, 0, 4, 4}, 1, true, 0, 0, 0, false);
  GdiFlush();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(*dst, x, y), 0xFF000000u);
}
