// Captions of skinned controls: underlined web buttons, the section chosen
// by the control's background, outlines, disabled and embossed text, glow,
// and the control's colour effects. Judged by pixel colours that hold on
// any rasteriser.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/ControlText.h"
#include "tests/skin/support/PixelHelpers.h"
#include "tests/skin/support/text_skin.h"

namespace {

// WEBBUTTON and BUTTON: green text. LABEL: green text with a red outline on
// the right. GREY: white text over a black global colour. GLOWING: green
// text with a red glow of 3 pixels.
const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\nCOLOR=$000000\r\n"
    "[WEBBUTTON]\r\nFONTCOLOR=$00FF00\r\nHOTFONTCOLOR=$00FF00\r\n"
    "[BUTTON]\r\nFONTCOLOR=$00FF00\r\nTCLEFT=-1\r\nTCTOP=-1\r\nTCRIGHT=-1\r\nTCBOTTOM=-1\r\n"
    "[LABEL]\r\nFONTCOLOR=$00FF00\r\nTCLEFT=-1\r\nTCTOP=-1\r\nTCRIGHT=$0000FF\r\nTCBOTTOM=-1\r\n"
    "[GREY]\r\nCOLOR=$FFFFFF\r\nFONTCOLOR=$FFFFFF\r\nTCLEFT=-1\r\nTCTOP=-1\r\nTCRIGHT=-1\r\nTCBOTTOM=-1\r\n"
    "[GLOWING]\r\nFONTCOLOR=$00FF00\r\nTCLEFT=-1\r\nTCTOP=-1\r\nTCRIGHT=-1\r\nTCBOTTOM=-1\r\nGSIZE=3\r\nGCOL=$"
    "0000FF\r\n";

enum Lean { kNone, kRed, kGreen, kBlue, kGrey };
Lean LeanOf(uint32_t p) {
  const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
  if (r == 0 && g == 0 && b == 0) return kNone;
  // Saturation taken away leaves a channel or so of rounding.
  if (std::max({r, g, b}) - std::min({r, g, b}) <= 2) return kGrey;
  if (r > g && r > b) return kRed;
  if (g > r && g > b) return kGreen;
  if (b > r && b > g) return kBlue;
  return kNone;
}

struct Census {
  int Count[5] = {};
  int Brightest = 0;  // highest channel of any pixel
  Lean RightmostLean = kNone;
  int Right = -1;
  int LongestRow = 0;  // the longest run of lit pixels in one row
};

Census Take(TBitmap& Bmp) {
  GdiFlush();
  Census c;
  for (int y = 0; y < Bmp.Height(); ++y) {
    int run = 0;
    for (int x = 0; x < Bmp.Width(); ++x) {
      const uint32_t p = PixelAt(Bmp, x, y) & 0xFFFFFF;
      run = p ? run + 1 : 0;
      c.LongestRow = std::max(c.LongestRow, run);
      if (!p) continue;
      const Lean l = LeanOf(p);
      ++c.Count[l];
      c.Brightest = std::max({c.Brightest, int(p >> 16), int(p >> 8 & 0xFF), int(p & 0xFF)});
      if (x > c.Right) c.Right = x, c.RightmostLean = l;
    }
  }
  return c;
}

class ControlText : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    Manager = TextSkinManager(L"Caption colours", kSkin).release();
  }
  static void TearDownTestSuite() {
    delete Manager;
    Manager = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(Manager->IsSkinLoaded()); }

  // A skin state without an owner control, on one of our sections.
  std::unique_ptr<TsCommonData> StateOn(const wchar_t* Section) {
    auto data = std::make_unique<TsCommonData>(nullptr, true);
    data->SetSkinManager(Manager);
    data->SkinIndex = Manager->GetSectionIndex(Section);
    return data;
  }
  // A black bitmap with a 20-pixel bold font on its canvas, in blue.
  struct Target {
    std::unique_ptr<TBitmap> Bmp{FilledBitmap32(140, 40, 0)};
    TCanvas Canvas{Bmp->DC()};
    Target() {
      Canvas.Font().SetName(L"Arial");
      Canvas.Font().SetHeight(-20);
      Canvas.Font().SetStyle(fsBold);
      Canvas.Font().SetColor(0xFF0000);
    }
  };
  static inline TsSkinManager* Manager = nullptr;
  const RECT R{10, 5, 130, 35};
};

}  // namespace

TEST_F(ControlText, NilTextDrawsNothing) {
  Target T;
  auto data = StateOn(L"LABEL");
  DrawTextWithEffects(T.Canvas, nullptr, true, R, DT_SINGLELINE, *data, 0, true);
  EXPECT_EQ(Take(*T.Bmp).Right, -1);
}

TEST_F(ControlText, WebButtonIsUnderlinedOnlyOutOfStateZero) {
  for (int state : {0, 1, 2}) {
    SCOPED_TRACE(state);
    Target T;
    auto data = StateOn(L"WEBBUTTON");
    // Letters apart: only an underline joins them into one long row.
    DrawTextWithEffects(T.Canvas, L"I   I   I", true, R, DT_SINGLELINE, *data, state, false);
    Census c = Take(*T.Bmp);
    EXPECT_GT(c.Count[kGreen], 20);
    const bool underlined = (T.Canvas.Font().Style() & fsUnderline) != 0;
    EXPECT_EQ(underlined, state != 0);
    if (state != 0)
      EXPECT_GT(c.LongestRow, 30);
    else
      EXPECT_LT(c.LongestRow, 10);
  }
}

TEST_F(ControlText, OutlinesAndFontColourGoThroughTheControlsColourEffects) {
  struct Case {
    int Saturation;
    bool Grey;
  } cases[] = {{0, false}, {-100, true}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Saturation);
    Target T;
    auto data = StateOn(L"LABEL");
    data->Saturation = k.Saturation;
    DrawTextWithEffects(T.Canvas, L"HIH", true, R, DT_SINGLELINE, *data, 0, false);
    Census c = Take(*T.Bmp);
    if (k.Grey) {
      EXPECT_EQ(c.Count[kRed] + c.Count[kGreen] + c.Count[kBlue], 0);
      EXPECT_GT(c.Count[kGrey], 30);
    } else {
      EXPECT_GT(c.Count[kGreen], 30);
      EXPECT_EQ(c.RightmostLean, kRed);  // the right outline sticks out
      EXPECT_EQ(c.Count[kBlue], 0);      // the canvas colour is not used
    }
  }
}

TEST_F(ControlText, DisabledSkinnedTextMixesTheFontColourWithTheGlobalColour) {
  Target T;
  auto data = StateOn(L"GREY");
  // White mixed at 100 of 255 into black: 0x63; no outline, no emboss.
  DrawTextWithEffects(T.Canvas, L"HIH", false, R, DT_SINGLELINE, *data, 0, false);
  Census c = Take(*T.Bmp);
  EXPECT_GT(c.Count[kGrey], 30);
  EXPECT_LE(c.Brightest, 0x64);
}

TEST_F(ControlText, UnskinnedDisabledTextIsEmbossed) {
  Target T;
  auto data = StateOn(L"NO SUCH SECTION");
  ASSERT_FALSE(data->IsSkinned());
  DrawTextWithEffects(T.Canvas, L"HIH", false, R, DT_SINGLELINE, *data, 0, false);
  GdiFlush();
  const uint32_t light = ColorToRGB(clSystemColor | COLOR_BTNHIGHLIGHT);
  const uint32_t shadow = ColorToRGB(clSystemColor | COLOR_BTNSHADOW);
  int lit = 0, dark = 0;
  for (int y = 0; y < T.Bmp->Height(); ++y)
    for (int x = 0; x < T.Bmp->Width(); ++x) {
      const uint32_t p = PixelAt(*T.Bmp, x, y) & 0xFFFFFF;
      const uint32_t v = (p & 0xFF) << 16 | (p & 0xFF00) | p >> 16;  // as a colour value
      lit += v == light, dark += v == shadow;
    }
  EXPECT_GT(lit, 5);  // the highlight copy shows right and below the shadow copy
  EXPECT_GT(dark, 30);
}

TEST_F(ControlText, GlowGoesIntoTheCacheOnlyWhenAllowed) {
  for (bool allow : {false, true}) {
    SCOPED_TRACE(allow);
    auto data = StateOn(L"GLOWING");
    data->CacheBmp.reset(FilledBitmap32(140, 40, 0));
    TCanvas canvas(data->CacheBmp->DC());
    canvas.Font().SetName(L"Arial");
    canvas.Font().SetHeight(-20);
    DrawTextWithEffects(canvas, L"HIH", true, R, DT_SINGLELINE, *data, 0, allow);
    Census c = Take(*data->CacheBmp);
    EXPECT_GT(c.Count[kGreen], 20);
    EXPECT_EQ(c.Count[kRed] > 20, allow);
  }
}

// The control is asked which section lies under a see-through one.
TEST_F(ControlText, SeeThroughSectionsTakeTheColoursOfWhatLiesBeneath) {
  struct Case {
    const char* Name;
    LRESULT Answer;
    const wchar_t* Written;  // the section the receiver writes back
    Lean Expected;
    bool RedOutline;
  } cases[] = {
      {"keep own section", -1, nullptr, kGreen, false},
      {"no section: parent's font colour", 0, nullptr, kBlue, false},
      {"the section beneath", 1, L"LABEL", kGreen, true},
  };
  TForm form(Application, CreateNew);
  form.Font().SetColor(0xFF0000);  // the parent's font colour: blue
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    TCustomControl box(nullptr);
    box.SetParent(&form);
    box.SetBounds(3, 4, 50, 20);
    int asked = 0;
    const TWndMethod inherited = box.WindowProc;
    box.WindowProc = [&](TMessage& m) {
      if (m.Msg != WM_SKINCOMMAND || SkinCommandCode(m.WParam) != AC_GETBGSKININDEX) return inherited(m);
      ++asked;
      auto* q = reinterpret_cast<TacBgIndexQuery*>(m.LParam);
      EXPECT_EQ(q->SectionIndex, Manager->GetSectionIndex(L"BUTTON"));
      EXPECT_EQ(q->Rect.left, 3);
      if (k.Written) q->SectionIndex = Manager->GetSectionIndex(k.Written);
      m.Result = k.Answer;
    };
    TsCommonData data(&box, true);
    data.SetSkinManager(Manager);
    data.SkinIndex = Manager->GetSectionIndex(L"BUTTON");
    Target T;
    T.Canvas.Font().SetColor(0x0000FF);  // red: never expected
    DrawTextWithEffects(T.Canvas, L"HIH", true, R, DT_SINGLELINE, data, 0, false);
    EXPECT_EQ(asked, 1);
    Census c = Take(*T.Bmp);
    EXPECT_GT(c.Count[k.Expected], 30);
    EXPECT_EQ(c.RightmostLean == kRed, k.RedOutline);
    box.WindowProc = inherited;
  }
}

TEST(ControlColorEffects, ToneHueSaturationAsATable) {
  struct Case {
    const char* Name;
    uint32_t Tone;
    int Hue, Saturation;
    uint32_t In, Out;
  } cases[] = {
      {"no effects", acColorUnset, 0, 0, 0x123456, 0x123456},
      {"system colour resolved", acColorUnset, 0, 0, uint32_t(clBtnFace), GetSysColor(COLOR_BTNFACE)},
      // The brightest channel carries the tone: 0x80 x 0xFF shr 8.
      {"tone red", 0x0000FF, 0, 0, 0x808080, 0x00007F},
      {"tone blue", 0xFF0000, 0, 0, 0x004080, 0x7F0000},
      {"saturation gone", acColorUnset, 0, -100, 0x0000FF, 0},  // Out checked as grey below
      {"hue a third round", acColorUnset, 120, 0, 0x0000FF, 0x00FF00},
  };
  TsCommonData data(nullptr, false);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    data.ColorTone = k.Tone;
    data.HUEOffset = k.Hue;
    data.Saturation = k.Saturation;
    const uint32_t out = ApplyControlColorEffects(k.In, data);
    if (k.Saturation < 0) {
      EXPECT_NEAR(int(out & 0xFF), int(out >> 8 & 0xFF), 1);
      EXPECT_NEAR(int(out & 0xFF), int(out >> 16 & 0xFF), 1);
    } else {
      EXPECT_EQ(out, k.Out);
    }
  }
}
