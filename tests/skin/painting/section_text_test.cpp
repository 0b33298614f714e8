// Text in a section's colours: outline copies, the disabled mix, and the
// plain fallback, judged by colours that hold on any rasteriser.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/Application.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/SectionText.h"
#include "tests/skin/support/PixelHelpers.h"
#include "tests/skin/support/text_skin.h"

namespace {

// LABEL: green text, a red outline on the right only. PLAIN: white text,
// no outline. State 2 of both has other colours, which a disabled caption
// must not take.
const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[LABEL]\r\nCOLOR=$000000\r\nFONTCOLOR=$00FF00\r\nTCLEFT=-1\r\nTCTOP=-1\r\nTCRIGHT=$0000FF\r\nTCBOTTOM=-1\r\n"
    "FONTCOLOR2=$FF0000\r\nCOLOR2=$FF0000\r\n"
    "[PLAIN]\r\nCOLOR=$000000\r\nFONTCOLOR=$FFFFFF\r\nTCLEFT=-1\r\nTCTOP=-1\r\nTCRIGHT=-1\r\nTCBOTTOM=-1\r\n";

// Which way a pixel's colour leans.
enum Lean { kNone, kRed, kGreen, kBlue, kGrey };
Lean LeanOf(uint32_t p) {
  const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
  if (r == 0 && g == 0 && b == 0) return kNone;
  if (r == g && g == b) return kGrey;
  if (r > g && r > b) return kRed;
  if (g > r && g > b) return kGreen;
  if (b > r && b > g) return kBlue;
  return kNone;
}

struct Census {
  int Count[5] = {};
  RECT Box{1 << 20, 1 << 20, -1, -1};
  Lean RightmostLean = kNone, LeftmostLean = kNone;
};

// Counts the leanings of the pixels differing from the black ground.
Census Take(TBitmap& Bmp, uint32_t Mask = 0xFFFFFF) {
  GdiFlush();
  Census c;
  for (int y = 0; y < Bmp.Height(); ++y)
    for (int x = 0; x < Bmp.Width(); ++x) {
      const uint32_t p = PixelAt(Bmp, x, y) & Mask;
      if (!p) continue;
      const Lean l = LeanOf(p);
      ++c.Count[l];
      if (x < c.Box.left) c.Box.left = x, c.LeftmostLean = l;
      if (x + 1 > c.Box.right) c.Box.right = x + 1, c.RightmostLean = l;
      c.Box.top = std::min<LONG>(c.Box.top, y), c.Box.bottom = std::max<LONG>(c.Box.bottom, y + 1);
    }
  return c;
}

class SectionText : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    Manager = TextSkinManager(L"Text colours", kSkin).release();
  }
  static void TearDownTestSuite() {
    delete Manager;
    Manager = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(Manager->IsSkinLoaded());
    Label = Manager->GetSectionIndex(L"LABEL");
    Plain = Manager->GetSectionIndex(L"PLAIN");
    ASSERT_GE(Label, 0);
    ASSERT_GE(Plain, 0);
  }
  // A black bitmap with a 20-pixel bold font on its canvas.
  struct Target {
    std::unique_ptr<TBitmap> Bmp{FilledBitmap32(120, 40, 0)};
    TCanvas Canvas{Bmp->DC()};
    Target() {
      Canvas.Font().SetName(L"Arial");
      Canvas.Font().SetHeight(-20);
      Canvas.Font().SetStyle(fsBold);
      Canvas.Font().SetColor(0xFF0000);  // blue
    }
  };
  static inline TsSkinManager* Manager = nullptr;
  int Label = -1, Plain = -1;
  const RECT R{10, 5, 110, 35};
};

}  // namespace

TEST_F(SectionText, OutlineColourAppearsAtItsEdgeOnly) {
  Target T;
  DrawSectionText(T.Canvas, L"HIH", true, R, DT_SINGLELINE, Label, 0, Manager);
  Census c = Take(*T.Bmp);
  EXPECT_GT(c.Count[kGreen], 30);
  EXPECT_GT(c.Count[kRed], 5);
  EXPECT_EQ(c.Count[kBlue], 0);
  EXPECT_EQ(c.RightmostLean, kRed);   // the right outline sticks out one pixel
  EXPECT_EQ(c.LeftmostLean, kGreen);  // no outline on the left
}

TEST_F(SectionText, WithoutOutlinesTheTextIsDrawnOnceInTheFontColour) {
  Target T;
  DrawSectionText(T.Canvas, L"HIH", true, R, DT_SINGLELINE, Plain, 0, Manager);
  Census c = Take(*T.Bmp);
  EXPECT_GT(c.Count[kGrey], 30);
  EXPECT_EQ(c.Count[kRed] + c.Count[kGreen] + c.Count[kBlue], 0);
}

TEST_F(SectionText, DisabledTextMixesTheStateZeroColoursWhateverTheState) {
  const uint32_t Want = MixColors(0x00FF00, 0x000000, 100);
  for (int State : {0, 1, 2}) {
    Target T;
    DrawSectionText(T.Canvas, L"HIH", false, R, DT_SINGLELINE, Label, State, Manager);
    Census c = Take(*T.Bmp);
    EXPECT_GT(c.Count[kGreen], 30) << State;
    EXPECT_EQ(c.Count[kRed] + c.Count[kBlue], 0) << State;  // neither outline nor state 2's colours
    int Exact = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) Exact += (PixelAt(*T.Bmp, x, y) & 0xFFFFFF) == ExchangeRedBlue(Want);
    EXPECT_GT(Exact, 10) << State;
  }
}

TEST_F(SectionText, NoValidSectionDrawsInTheCanvasColour) {
  for (int Section : {-1, 9999}) {
    Target T;
    DrawSectionText(T.Canvas, L"HIH", true, R, DT_SINGLELINE, Section, 0, Manager);
    Census c = Take(*T.Bmp);
    EXPECT_GT(c.Count[kBlue], 30) << Section;
    EXPECT_EQ(c.Count[kRed] + c.Count[kGreen], 0) << Section;
  }
}

TEST_F(SectionText, SkinTextAlphaOutlinesOnlyInAlphaMode) {
  struct {
    bool AlphaMode;
    bool WantRed;
  } Cases[] = {{true, true}, {false, false}};
  for (auto& k : Cases) {
    std::unique_ptr<TBitmap> Bmp(FilledBitmap32(120, 40, 0));
    TOwnedFont Font(CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    TSelectObject Select(Bmp->DC(), Font.get());
    DrawSkinTextAlpha(*Bmp, L"HIH", k.AlphaMode, R, DT_SINGLELINE, Label, 0, Manager);
    Census c = Take(*Bmp, 0xFFFFFFFF);
    ASSERT_GT(c.Count[kGreen], 30) << k.AlphaMode;
    EXPECT_EQ(c.Count[kRed] > 0, k.WantRed) << k.AlphaMode;
    EXPECT_EQ(c.RightmostLean == kRed, k.WantRed) << k.AlphaMode;
    // Nothing outside the text box: the outline stays within one pixel of R.
    EXPECT_GE(c.Box.left, R.left);
    EXPECT_LE(c.Box.right, R.right + 1);
    for (int x = 0; x < 120; ++x) EXPECT_EQ(PixelAt(*Bmp, x, 0), 0u);
  }
}

TEST_F(SectionText, SkinTextAlphaWithoutASectionTakesTheDcColourAndSkipsEmptyInput) {
  std::unique_ptr<TBitmap> Bmp(FilledBitmap32(120, 40, 0));
  TOwnedFont Font(CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  TSelectObject Select(Bmp->DC(), Font.get());
  DrawSkinTextAlpha(*Bmp, L"", true, R, DT_SINGLELINE, Label, 0, Manager);
  DrawSkinTextAlpha(*Bmp, L"HIH", true, RECT{10, 5, 10, 35}, DT_SINGLELINE, Label, 0, Manager);
  EXPECT_EQ(Take(*Bmp, 0xFFFFFFFF).Count[kGreen], 0);
  SetTextColor(Bmp->DC(), RGB(0, 0, 255));
  DrawSkinTextAlpha(*Bmp, L"HIH", true, R, DT_SINGLELINE, -1, 0, Manager);
  Census c = Take(*Bmp, 0xFFFFFFFF);
  EXPECT_GT(c.Count[kBlue], 30);
  EXPECT_EQ(c.Count[kRed] + c.Count[kGreen], 0);
}
