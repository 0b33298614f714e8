// The unskinned push-button face: the classic drawing per kind, the room it
// leaves for the content and the focus rectangle. Wine runs without visual
// styles, so the themed path is only reached where a theme is active.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Graphics.h"
#include "skin/graphics/SystemButtonFace.h"
#include "skin/graphics/ThemeServices.h"
#include "support/PixelHelpers.h"

namespace {

COLORREF ColourAt(TBitmap& Bmp, int X, int Y) {
  const uint32_t p = PixelAt(Bmp, X, Y);
  return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

constexpr int kSize = 40;

}  // namespace

TEST(SystemButtonFace, ClassicFacesByKind) {
  if (ThemesActive()) GTEST_SKIP() << "a visual style is active";
  struct Case {
    int Kind;
    int Inset;        // how far R shrinks
    POINT Probe;      // a pixel of the kind's own frame
    int ProbeColour;  // its system colour
  } cases[] = {
      {0, 2, {kSize - 1, kSize - 1}, COLOR_3DDKSHADOW},
      {1, 2, {kSize - 1, kSize - 1}, COLOR_3DDKSHADOW},
      {2, 1, {1, 1}, COLOR_BTNSHADOW},  // sunken: a shadow outline one pixel in
      {3, 3, {0, 0}, COLOR_WINDOWFRAME},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Kind);
    std::unique_ptr<TBitmap> bmp(FilledBitmap32(kSize, kSize, 0xFF123456));
    TCanvas canvas(bmp->DC());
    RECT r{0, 0, kSize, kSize};
    DrawSystemButtonFace(canvas, r, true, false, k.Kind);
    GdiFlush();
    EXPECT_EQ(r.left, k.Inset);
    EXPECT_EQ(r.top, k.Inset);
    EXPECT_EQ(r.right, kSize - k.Inset);
    EXPECT_EQ(r.bottom, kSize - k.Inset);
    EXPECT_EQ(ColourAt(*bmp, kSize / 2, kSize / 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColourAt(*bmp, k.Probe.x, k.Probe.y), GetSysColor(k.ProbeColour));
  }
}

TEST(SystemButtonFace, FocusRectangleThreePixelsIn) {
  if (ThemesActive()) GTEST_SKIP() << "a visual style is active";
  for (bool focused : {false, true}) {
    SCOPED_TRACE(focused);
    std::unique_ptr<TBitmap> bmp(FilledBitmap32(kSize, kSize, 0xFF123456));
    TCanvas canvas(bmp->DC());
    RECT r{0, 0, kSize, kSize};
    DrawSystemButtonFace(canvas, r, true, focused, 0);
    GdiFlush();
    int marked = 0;
    for (int x = 3; x < kSize - 3; ++x) marked += ColourAt(*bmp, x, 3) != GetSysColor(COLOR_BTNFACE);
    if (focused)
      EXPECT_GT(marked, 10);  // dotted
    else
      EXPECT_EQ(marked, 0);
  }
}
