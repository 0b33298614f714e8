// The check-box glyph without skin pictures: the system's classic check box
// over the background strip, checked, grayed and inactive. Wine runs
// without visual styles; where a theme is active these cases are skipped.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "skin/graphics/ThemeServices.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/CheckBoxGlyph.h"
#include "tests/skin/support/PixelHelpers.h"
#include "tests/skin/support/text_skin.h"

namespace {

const std::string kSkin = "[GLOBALINFO]\r\nVERSION=12.50\r\n[CHECKBOX]\r\nCOLOR=$000000\r\n";

COLORREF ColourAt(TBitmap& Bmp, int X, int Y) {
  const uint32_t p = PixelAt(Bmp, X, Y);
  return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

class CheckBoxGlyph : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    Manager = TextSkinManager(L"No glyphs", kSkin).release();
  }
  static void TearDownTestSuite() {
    delete Manager;
    Manager = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(Manager->IsSkinLoaded());
    Data = Manager->GetSkinDataForPPI(96);
    ASSERT_NE(Data, nullptr);
  }
  static inline TsSkinManager* Manager = nullptr;
  TacSkinData* Data = nullptr;
};

}  // namespace

TEST_F(CheckBoxGlyph, WithoutSkinGlyphsTheSystemSizeIsUsed) {
  const SIZE system = SystemCheckBoxSize();
  EXPECT_GT(system.cx, 0);
  EXPECT_GT(system.cy, 0);
  EXPECT_EQ(CheckBoxGlyphWidth(Data, false), system.cx);
  EXPECT_EQ(CheckBoxGlyphHeight(Data, true), system.cy);
  EXPECT_EQ(CheckBoxGlyphWidth(nullptr, false), system.cx);
}

TEST_F(CheckBoxGlyph, NothingWithoutSkinData) {
  std::unique_ptr<TBitmap> bmp(FilledBitmap32(40, 40, 0xFF123456));
  TacBackgroundSource bg;
  bg.FillColor = 0x00FF00;
  DrawCheckBoxGlyph(RECT{0, 0, 40, 40}, 1, true, *bmp, bg, nullptr, false, 0);
  GdiFlush();
  EXPECT_EQ(PixelAt(*bmp, 20, 20), 0xFF123456u);
  EXPECT_EQ(PixelAt(*bmp, 0, 0), 0xFF123456u);
}

TEST_F(CheckBoxGlyph, ClassicCheckBoxByStateAndEnabled) {
  if (ThemesActive()) GTEST_SKIP() << "a visual style is active";
  const SIZE size = SystemCheckBoxSize();
  const RECT r{0, 0, size.cx + 10, size.cy + 20};
  const POINT at{(r.right - size.cx) / 2, (r.bottom - size.cy) / 2};
  struct Case {
    const char* Name;
    int State;
    bool Enabled;
    int Inside;   // system colour of the box's inside next to its edge
    bool Marked;  // a check mark in the middle
  } cases[] = {
      {"unchecked", 0, true, COLOR_WINDOW, false},
      {"checked", 1, true, COLOR_WINDOW, true},
      {"unchecked inactive", 0, false, COLOR_BTNFACE, false},
      {"checked inactive", 1, false, COLOR_BTNFACE, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    std::unique_ptr<TBitmap> bmp(FilledBitmap32(r.right, r.bottom, 0xFF123456));
    TacBackgroundSource bg;
    bg.FillColor = 0x00FF00;  // green
    DrawCheckBoxGlyph(r, k.State, k.Enabled, *bmp, bg, Data, false, 0);
    GdiFlush();
    // The strip at the left takes the fill colour above the box; right of
    // the strip nothing is touched.
    EXPECT_EQ(ColourAt(*bmp, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(*bmp, r.right - 1, 0), 0xFF123456u);
    EXPECT_EQ(ColourAt(*bmp, at.x + 2, at.y + 2), GetSysColor(k.Inside));
    int dark = 0;
    for (int y = at.y + 3; y < at.y + size.cy - 3; ++y)
      for (int x = at.x + 3; x < at.x + size.cx - 3; ++x) dark += ColourAt(*bmp, x, y) != GetSysColor(k.Inside);
    EXPECT_EQ(dark > 3, k.Marked);
  }
}

TEST_F(CheckBoxGlyph, TheStripIsCopiedFromAReadyBackgroundOneInAndDown) {
  if (ThemesActive()) GTEST_SKIP() << "a visual style is active";
  const SIZE size = SystemCheckBoxSize();
  const RECT r{2, 0, size.cx + 12, size.cy + 20};
  // The parent's picture: red, with one white pixel where (R.Left, R.Top)
  // of the strip is taken from: (X + R.Left + 1, Y + R.Top + 1).
  std::unique_ptr<TBitmap> parent(FilledBitmap32(60, 60, 0xFFFF0000));
  SetPixelAt(*parent, 5 + 2 + 1, 7 + 0 + 1, 0xFFFFFFFF);
  TacBackgroundSource bg;
  bg.Bmp = parent.get();
  bg.X = 5;
  bg.Y = 7;
  bg.Ready = true;
  std::unique_ptr<TBitmap> bmp(FilledBitmap32(r.right, r.bottom, 0xFF123456));
  DrawCheckBoxGlyph(r, 0, true, *bmp, bg, Data, false, 0);
  GdiFlush();
  EXPECT_EQ(PixelAt(*bmp, 2, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(PixelAt(*bmp, 3, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(PixelAt(*bmp, 0, 0), 0xFF123456u);  // left of R: untouched
}
