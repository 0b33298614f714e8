// Bubbles drawn from the skin's hint section: when the section is used,
// how far its borders widen the text, and the picture cut to the
// section's shape with the text keeping the body's alpha.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/graphics/Bitmap32.h"
#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintPlacement.h"
#include "skin/hints/HintSkinBody.h"
#include "skin/hints/HintTimers.h"
#include "skin/hints/HintWindows.h"
#include "skin/manager/SkinManager.h"
#include "framework/GdiHandles.h"
#include "support/hint_fixture.h"
#include "tests/skin/support/text_skin.h"

namespace {

constexpr int kBorder = 4;

// "HINT": a filled section with a 12 x 12 border image whose borders are
// kBorder wide. "ROUND": no border image, corners cut round. "GLASS": a
// see-through section whose border image is its whole body. "SHADOWED": a
// section that brings its own outer shadow. "HALF": a fill 40 % see-through.
const std::string kOptions =
    "[GLOBALINFO]\r\nVERSION=12.50\r\nMASTERBITMAP=HINT.BMP\r\n"
    "[HINT]\r\nCOLOR=$00E0C080\r\nBORDERSMASK=&0000000000120012000400040004000410000000000\r\n"
    "[ROUND]\r\nCOLOR=$00E0C080\r\nBORDERRADIUS=6\r\nBORDERCOLOR0=$00404040\r\n"
    "[GLASS]\r\nCOLOR=$00E0C080\r\nTRANSPARENCY=100\r\n"
    "BORDERSMASK=&0000000000120012000400040004000410000000000\r\n"
    "[HALF]\r\nCOLOR=$00E0C080\r\nTRANSPARENCY=40\r\n"
    "[SHADOWED]\r\nCOLOR=$00E0C080\r\nOUTERMODE=3\r\nOUTOFFSL=3\r\nOUTOFFST=2\r\nOUTOFFSR=5\r\nOUTOFFSB=6\r\n";

std::unique_ptr<TsSkinManager> HintSkinManager() {
  return PackedSkinManager(L"Hints", {{"Options.dat", kOptions}, {"HINT.BMP", SolidBitmapFile(0x204080)}});
}

std::unique_ptr<TsAlphaHints> SkinHints(const String& Section, bool UseSkinData = true) {
  return LoadedHints([&](TsAlphaHints& h) {
    h.SetSkinSection(Section);
    h.SetUseSkinData(UseSkinData);
    h.SetMaxWidth(0);
    h.SetAnimated(false);
  });
}

RECT Measured(const String& Text) {
  TacPngHintWindow window(nullptr);
  return window.CalcHintRect(0, Text, nullptr);
}

}  // namespace

TEST(SkinHints, SectionIsUsedOnlyWhenAskedForAndPresent) {
  struct Case {
    const char* name;
    bool manager;
    bool useSkinData;
    const wchar_t* section;
    bool skinned;
    bool shadow;
  } cases[] = {
      {"UseSkinData off", true, false, L"HINT", false, false},
      {"no manager", false, true, L"HINT", false, false},
      {"section missing", true, true, L"NO SUCH", false, false},
      {"present", true, true, L"HINT", true, false},
      {"present with its own shadow", true, true, L"SHADOWED", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto manager = c.manager ? HintSkinManager() : nullptr;
    if (manager) ASSERT_TRUE(manager->IsSkinLoaded());
    auto hints = SkinHints(c.section, c.useSkinData);
    ASSERT_EQ(ActiveHints, hints.get());
    EXPECT_EQ(hints->IsSkinned(), c.useSkinData && c.skinned);
    const int index = hints->GetSkinIndex();
    if (c.skinned) {
      EXPECT_EQ(index, manager->GetSkinDataForPPI(96)->SectionIndex(c.section));
      EXPECT_GE(index, 0);
    } else {
      EXPECT_EQ(index, -1);
    }
    EXPECT_EQ(hints->SkinDrawsShadow, c.shadow);
  }
}

TEST(SkinHints, BordersAndGapsWidenTheText) {
  auto manager = HintSkinManager();
  const String text = L"Skinned hint";
  const int gap = HintContentGap();

  // The text as the bubble measures it: the screen's hint font at -12.
  TFont font;
  AssignScreenHintFont(font);
  ScaleHintFont(font, false);
  TMemoryDC dc = TMemoryDC::ForScreen();
  TCanvas canvas(dc.get());
  canvas.Font().Assign(font);
  RECT textRect{0, 0, GetSystemMetrics(SM_CXSCREEN), 0};
  canvas.DrawText(text, textRect, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
  ASSERT_GT(textRect.right, 0);

  struct Case {
    const wchar_t* section;
    RECT borders;
  } cases[] = {
      {L"ROUND", RECT{0, 0, 0, 0}},
      {L"HINT", RECT{kBorder, kBorder, kBorder, kBorder}},
      {L"SHADOWED", RECT{3, 2, 5, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.section));
    auto hints = SkinHints(c.section);
    const RECT r = Measured(text);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, textRect.right + c.borders.left + c.borders.right + 2 * gap);
    EXPECT_EQ(r.bottom, textRect.bottom + c.borders.top + c.borders.bottom + 2 * gap);
  }
}

namespace {

struct SkinPicture {
  int wrongAlpha = 0;
  int notPremultiplied = 0;
  int textPixels = 0;
  int textWithoutAlpha = 0;
  uint32_t corner = 0;
  uint32_t centre = 0;
};

// The picture of a 90 x 40 bubble of Section with Text.
SkinPicture RenderSkinBubble(TacPngHintWindow& Window, const String& Text) {
  SkinPicture out;
  Window.CalcHintRect(0, Text, nullptr);
  EXPECT_GE(Window.SectionIndex, 0);
  Window.HintText = Text;
  ActiveHints->TargetBounds = RECT{0, 0, 90, 40};
  Window.PrepareAlphaBmp(90, 40);
  TBitmap& pic = *Window.Picture;
  EXPECT_EQ(pic.Width(), 90);
  out.corner = static_cast<uint32_t*>(pic.ScanLine(0))[0];
  out.centre = static_cast<uint32_t*>(pic.ScanLine(2))[45];
  for (int y = 0; y < pic.Height(); ++y) {
    auto* row = static_cast<uint32_t*>(pic.ScanLine(y));
    for (int x = 0; x < pic.Width(); ++x) {
      const uint32_t px = row[x];
      const uint8_t a = px >> 24;
      if (a != 0 && a != 255) ++out.wrongAlpha;
      if (((px >> 16) & 0xFF) > a || ((px >> 8) & 0xFF) > a || (px & 0xFF) > a) ++out.notPremultiplied;
      const bool inner = x > 8 && x < 82 && y > 8 && y < 32;
      if (inner && (px & 0xFFFFFF) != (out.centre & 0xFFFFFF)) {
        ++out.textPixels;
        if (a != 255) ++out.textWithoutAlpha;
      }
    }
  }
  return out;
}

}  // namespace

TEST(SkinHints, PictureIsCutToTheSectionsShapeWithOpaqueText) {
  auto manager = HintSkinManager();
  auto hints = SkinHints(L"ROUND");
  TacPngHintWindow window(nullptr);
  const SkinPicture blank = RenderSkinBubble(window, L"");
  EXPECT_EQ(blank.corner, 0u) << "outside the round corner: transparent black";
  EXPECT_EQ(blank.centre >> 24, 255u);
  EXPECT_EQ(blank.centre & 0xFFFFFF, 0x80C0E0u) << "the section's colour";
  EXPECT_EQ(blank.wrongAlpha, 0);
  EXPECT_EQ(blank.notPremultiplied, 0);
  EXPECT_EQ(blank.textPixels, 0);

  const SkinPicture text = RenderSkinBubble(window, L"Hint text");
  EXPECT_GT(text.textPixels, 20);
  EXPECT_EQ(text.textWithoutAlpha, 0) << "the text must not punch holes into the body";
  EXPECT_EQ(text.wrongAlpha, 0);
  EXPECT_EQ(text.notPremultiplied, 0);
  ASSERT_NE(window.ShapeMask, nullptr);
  EXPECT_EQ(GetPixel(window.ShapeMask->DC(), 0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(GetPixel(window.ShapeMask->DC(), 45, 20) & 0xFFFFFF, 0u);
}

TEST(SkinHints, WindowRegionFollowsTheShapeExceptForTrackWindows) {
  auto manager = HintSkinManager();
  auto hints = SkinHints(L"ROUND");
  TacPngHintWindow window(nullptr);
  window.HandleNeeded();
  RenderSkinBubble(window, L"Region");
  TOwnedGdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window.Handle(), rgn.get()), ERROR);
  EXPECT_FALSE(PtInRegion(rgn.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(rgn.get(), 45, 20));

  TacTrackHintWindow track(nullptr);
  track.HandleNeeded();
  RenderSkinBubble(track, L"Region");
  EXPECT_EQ(GetWindowRgn(track.Handle(), rgn.get()), ERROR) << "a track window never gets a region";
}

TEST(SkinHints, LayeredBodyAndShadowBandsFollowTheSection) {
  auto manager = HintSkinManager();
  struct Case {
    const wchar_t* section;
    bool layered;
    RECT shadow;
  } cases[] = {
      {L"ROUND", false, RECT{0, 0, 0, 0}},
      {L"HINT", false, RECT{0, 0, 0, 0}},
      {L"GLASS", true, RECT{kBorder - 1, kBorder - 1, kBorder - 1, kBorder - 1}},
      {L"SHADOWED", true, RECT{2, 1, 4, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.section));
    auto hints = SkinHints(c.section);
    TacPngHintWindow window(nullptr);
    window.CalcHintRect(0, L"Hint", nullptr);
    EXPECT_EQ(window.HintUsesLayeredBody(), c.layered);
    const RECT s = window.GetHintShadowSizes();
    EXPECT_TRUE(EqualRect(&s, &c.shadow)) << s.left << "," << s.top << "," << s.right << "," << s.bottom;
  }
}

TEST(SkinHints, SeeThroughSectionShowsItsBorderImageAsTheBody) {
  auto manager = HintSkinManager();
  auto hints = SkinHints(L"GLASS");
  TacPngHintWindow window(nullptr);
  const SkinPicture blank = RenderSkinBubble(window, L"");
  // Opaque in the master bitmap's colour, premultiplied (within rounding).
  for (uint32_t px : {blank.corner, blank.centre}) {
    EXPECT_EQ(px >> 24, 255u);
    EXPECT_NEAR(int((px >> 16) & 0xFF), 0x20, 1);
    EXPECT_NEAR(int((px >> 8) & 0xFF), 0x40, 1);
    EXPECT_NEAR(int(px & 0xFF), 0x80, 1);
  }
  EXPECT_EQ(blank.wrongAlpha, 0);
  const SkinPicture text = RenderSkinBubble(window, L"Hint text");
  EXPECT_GT(text.textPixels, 20);
  EXPECT_EQ(text.notPremultiplied, 0);
}

TEST(SkinHints, ShowAnimationEndsAtTheOpacityTheSectionLeaves) {
  auto manager = HintSkinManager();
  struct Case {
    const wchar_t* section;
    bool useSkinData;
    int floor;
  } cases[] = {
      {L"ROUND", true, 0},
      {L"HALF", true, 40 * 255 / 100},
      // All see-through: the border image is the body and must still show.
      {L"GLASS", true, 0},
      {L"HALF", false, 0},  // a template bubble
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.section) + (c.useSkinData ? L"" : L" off"));
    auto hints = SkinHints(c.section, c.useSkinData);
    TacPngHintWindow window(nullptr);
    const RECT r = window.CalcHintRect(0, L"Hint", nullptr);
    hints->TargetBounds = r;
    TsShowTimer timer;
    InitHintShowAnimation(timer, &window, r.right, r.bottom, 5);
    timer.SetEnabled(false);
    EXPECT_EQ(timer.AlphaFloor, c.floor);
    EXPECT_DOUBLE_EQ(timer.Increment, (255.0 - c.floor) / 5);
  }
}

namespace {

TControl* NoMouseControl() { return nullptr; }

// A hint shown through ShowHintAt on one large monitor, with nothing under
// the mouse; the lookups are given back afterwards.
class ShownSkinHint : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication().OnShowHint = nullptr;
    savedLookup = HintWorkAreaLookup();
    HintWorkAreaLookup() = [](POINT, RECT& Area) {
      Area = RECT{0, 0, 4000, 3000};
      return true;
    };
    savedMouse = HintMouseControl;
    HintMouseControl = NoMouseControl;
    manager = HintSkinManager();
  }
  void TearDown() override {
    hints.reset();
    manager.reset();
    HintWorkAreaLookup() = savedLookup;
    HintMouseControl = savedMouse;
  }
  TacWorkAreaLookup savedLookup;
  TControl* (*savedMouse)() = nullptr;
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TsAlphaHints> hints;
};

}  // namespace

TEST_F(ShownSkinHint, LayeredBodyIsPlacedByItsShadowBands) {
  hints = SkinHints(L"GLASS");
  const RECT size = Measured(L"Shown");
  hints->ShowHintAt(POINT{300, 200}, L"Shown", 60000);
  const RECT target = hints->TargetBounds;
  EXPECT_EQ(target.left, 300 - (kBorder - 1));
  EXPECT_EQ(target.top, 200 - (kBorder - 1));
  EXPECT_EQ(target.right - target.left, size.right);
  EXPECT_EQ(target.bottom - target.top, size.bottom);
  ASSERT_NE(hints->PrevPicture, nullptr) << "the shown picture";
  EXPECT_EQ(hints->PrevPicture->Width(), size.right);
  EXPECT_EQ(hints->PrevPicture->Height(), size.bottom);
}

TEST_F(ShownSkinHint, ShapedBodyGivesTheHintWindowItsRegion) {
  hints = SkinHints(L"ROUND");
  hints->ShowHintAt(POINT{300, 200}, L"Shown", 60000);
  EXPECT_EQ(hints->TargetBounds.left, 300) << "no shadow bands without a layered body";
  ASSERT_NE(hints->OwnWindow, nullptr);
  TOwnedGdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(hints->OwnWindowHandle, rgn.get()), ERROR);
  EXPECT_FALSE(PtInRegion(rgn.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(rgn.get(), 10, 10));
}
