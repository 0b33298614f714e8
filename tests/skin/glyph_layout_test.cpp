#include <gtest/gtest.h>

#include "skin/core/GlyphLayout.h"

namespace {

struct LayoutCase {
  const char* What;
  RECT R;
  POINT Glyph, Text;
  uint8_t Layout, Alignment;
  int Margin, Spacing;
  uint8_t Flags, VAlign;
  POINT WantGlyph;
  RECT WantText;
};

}  // namespace

TEST(GlyphLayout, PlacesGlyphAndCaption) {
  const LayoutCase Cases[] = {
      {"left, centred, automatic margin",
       {0, 0, 100, 30},
       {16, 16},
       {40, 12},
       0,
       2,
       -1,
       4,
       0,
       2,
       {20, 7},
       {40, 9, 80, 21}},
      {"the same moved", {10, 5, 110, 35}, {16, 16}, {40, 12}, 0, 2, -1, 4, 0, 2, {30, 12}, {50, 14, 90, 26}},
      {"glyph right, right aligned", {0, 0, 100, 30}, {16, 16}, {40, 12}, 1, 1, 3, 2, 0, 2, {81, 7}, {0, 9, 79, 21}},
      {"mirrored", {0, 0, 100, 30}, {16, 16}, {40, 12}, 1, 1, 3, 2, acLayoutRightToLeft, 2, {3, 7}, {21, 9, 100, 21}},
      {"above, both automatic", {0, 0, 60, 50}, {16, 16}, {30, 12}, 2, 2, -1, -1, 0, 2, {22, 7}, {15, 30, 45, 42}},
      {"below, top aligned", {0, 0, 60, 50}, {16, 16}, {30, 12}, 3, 2, 4, 2, 0, 0, {22, 18}, {15, 4, 45, 16}},
      {"no glyph, bottom aligned", {0, 0, 100, 30}, {0, 0}, {40, 12}, 0, 0, 5, -1, 0, 1, {0, 25}, {5, 13, 50, 25}},
  };
  for (const auto& c : Cases) {
    POINT Glyph{0, 0};
    RECT Text{};
    LayoutGlyphAndCaption(c.R, c.Glyph, c.Text, c.Layout, c.Alignment, c.Margin, c.Spacing, Glyph, Text, c.Flags,
                          c.VAlign);
    EXPECT_EQ(Glyph.x, c.WantGlyph.x) << c.What;
    EXPECT_EQ(Glyph.y, c.WantGlyph.y) << c.What;
    EXPECT_EQ(Text.left, c.WantText.left) << c.What;
    EXPECT_EQ(Text.top, c.WantText.top) << c.What;
    EXPECT_EQ(Text.right, c.WantText.right) << c.What;
    EXPECT_EQ(Text.bottom, c.WantText.bottom) << c.What;
  }
}
