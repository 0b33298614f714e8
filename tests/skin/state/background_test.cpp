// What a skin state tells its children and painters about the background:
// the colour (mixed by the section's transparency), the kind of answer to
// AC_GETBG, the parent's background, and the hot state by control kind.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/state/CommonData.h"
#include "skin/state/StateQueries.h"
#include "tests/skin/state/support/state_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr uint32_t kGlobalColor = 0x345678;  // GLOBALINFO COLOR, red in the low byte
constexpr uint32_t kParentColor = 0x204060;

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\nCOLOR=$00345678\r\n"
    "[PARENT]\r\nCOLOR=$00204060\r\nSTATES=1\r\n"
    "[CHILD]\r\nCOLOR=$00A0C0E0\r\nFONTCOLOR=$00010203\r\nHOTCOLOR=$00102030\r\nHOTFONTCOLOR=$00040506\r\n"
    "STATES=2\r\n";

// A windowed control with its own skin state that answers the background
// commands the way skinned controls do. Its cache is built on AC_BUILDCACHE
// in CacheFill unless Refuse says the control cannot paint yet.
class TBgBox : public TCustomControl {
 public:
  TBgBox(TComponent* owner, bool cache, uint8_t kind = 1) : TCustomControl(owner) {
    Data = std::make_unique<TsCommonData>(this, cache);
    Data->CtrlKind = kind;
  }
  ~TBgBox() override {
    Destroying_();
    Data.reset();
  }
  std::unique_ptr<TsCommonData> Data;
  uint32_t CacheFill = 0x00FF8800;
  bool Refuse = false;
  int Builds = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && Data) {
      switch (SkinCommandCode(m.WParam)) {
        case AC_ISSKINNED:
          m.Result = Data->IsSkinned() ? 1 : 0;
          return;
        case AC_GETBGCOLOR:
          m.Result = Data->GetBgColor();
          return;
        case AC_GETBG:
          Data->GetBgInfo(*reinterpret_cast<TacBackgroundInfo*>(m.LParam), 0);
          return;
        case AC_BUILDCACHE:
          ++Builds;
          if (Refuse || !Data->CacheBmp) return;
          Data->CacheBmp->SetSize(Width(), Height());
          FillBitmap32(*Data->CacheBmp, CacheFill);
          Data->BGChanged = false;
          return;
      }
    }
    TCustomControl::WndProc(m);
  }

 private:
  static void FillBitmap32(TBitmap& Bmp, uint32_t Pixel) {
    for (int y = 0; y < Bmp.Height(); ++y)
      for (int x = 0; x < Bmp.Width(); ++x) SetPixel32(Bmp, x, y, Pixel);
  }
};

class BackgroundTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = std::make_unique<TForm>(Application, CreateNew);
    form->SetBounds(0, 0, 200, 200);
    form->HandleNeeded();
  }
  void MakeManager() {
    manager = skins.Manager();
    ASSERT_TRUE(manager->IsSkinLoaded());
    // Outer shadows are painted into the parents' caches, which makes every
    // opaque answer a cache answer; the cases about them turn them on.
    manager->Effects().SetAllowOuterEffects(false);
  }
  TBgBox* MakeBox(TWinControl* parent, const wchar_t* section, bool cache = true, uint8_t kind = 1) {
    auto* box = new TBgBox(form.get(), cache, kind);
    box->SetBounds(10, 20, 40, 30);
    box->SetParent(parent);
    box->HandleNeeded();
    box->Data->AttachWindow();
    box->Data->Loaded(false);
    if (section) box->Data->SetSkinSection(section);
    return box;
  }
  // The section of a box, to be changed per case.
  static TsGeneralData& SectionOf(TBgBox* box) {
    return box->Data->GetScaledSkinData()->GeneralDataArray[box->Data->SkinIndex];
  }
  TSmallSkinFolder skins{kSkin};
  std::unique_ptr<TForm> form;
  std::unique_ptr<TsSkinManager> manager;
};

TEST_F(BackgroundTest, WithoutAnyManagerTheControlsColourIsTheAnswer) {
  ASSERT_EQ(TsSkinManager::DefaultManager(), nullptr);
  TBgBox* box = MakeBox(form.get(), nullptr);
  box->SetColor(TColor(0x0000C0));
  EXPECT_FALSE(box->Data->IsSkinned());
  TacBackgroundInfo info;
  info.Color = 0x123456;
  box->Data->GetBgInfo(info, 0);
  EXPECT_EQ(info.BgKind, bgkColor);
  EXPECT_EQ(info.Bmp, nullptr);
  EXPECT_EQ(info.Color, 0x0000C0u);
  EXPECT_EQ(box->Data->GetBgColor(), TColor(0x0000C0));
  EXPECT_EQ(box->Data->GetLightColor(0), -1);
  EXPECT_TRUE(box->Data->DependsOnParentBg());
}

TEST_F(BackgroundTest, BgColorMixesTheParentsByTransparency) {
  MakeManager();
  TBgBox* parent = MakeBox(form.get(), L"PARENT");
  TBgBox* child = MakeBox(parent, L"CHILD");
  child->SetColor(TColor(0x0000C0));
  constexpr uint32_t kOwn = 0xA0C0E0, kHot = 0x102030;
  struct Case {
    const char* name;
    int transparency;
    int hotTransparency;
    int useState;
    bool customColor;
    uint32_t expected;
  } cases[] = {
      {"opaque", 0, 0, 0, false, kOwn},
      {"opaque with a custom colour", 0, 0, 0, true, 0x0000C0},
      {"a quarter see-through", 25, 0, 0, false, MixColors(kParentColor, kOwn, 25 * 255 / 100)},
      {"half see-through", 50, 0, 0, false, MixColors(kParentColor, kOwn, 127)},
      {"nearly clear", 90, 0, 0, false, MixColors(kParentColor, kOwn, 90 * 255 / 100)},
      {"clear", 100, 0, 0, false, kParentColor},
      {"clear, whatever the custom colour", 100, 0, 0, true, kParentColor},
      {"hot state asked", 0, 0, 1, false, kHot},
      {"hot state half see-through", 0, 50, 1, false, MixColors(kParentColor, kHot, 127)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SectionOf(child).Props[0].Transparency = c.transparency;
    SectionOf(child).Props[1].Transparency = c.hotTransparency;
    child->Data->SetCustomColor(c.customColor);
    EXPECT_EQ(uint32_t(child->Data->GetBgColor(c.useState)), c.expected);
    child->Data->SetCustomColor(false);
  }
  // Nearly clear shows mostly the parent, as the section painter mixes it.
  SectionOf(child).Props[0].Transparency = 90;
  const uint32_t nearlyClear = uint32_t(child->Data->GetBgColor());
  for (int shift = 0; shift < 24; shift += 8)
    EXPECT_LT(std::abs(int(nearlyClear >> shift & 0xFF) - int(kParentColor >> shift & 0xFF)), 0x10) << shift;
}

TEST_F(BackgroundTest, BgInfoKinds) {
  MakeManager();
  TBgBox* parent = MakeBox(form.get(), L"PARENT");
  SectionOf(parent).Props[0].ImagePercent = 40;  // answers with its cache
  struct Case {
    const char* name;
    bool outerEffects;
    int transparency;
    int imagePercent;
    bool cache;
    bool refuse;
    bool stale;
    uint8_t kind;
    // What the answer holds: the own cache, the parent's cache, or a colour.
    enum { OwnCache, ParentCache, Colour } source;
    uint32_t color;
  } cases[] = {
      {"opaque plain colour", false, 0, 0, true, false, true, bgkColor, Case::Colour, 0xA0C0E0},
      {"opaque plain colour, outer shadows on", true, 0, 0, true, false, true, bgkBitmap, Case::OwnCache, kGlobalColor},
      {"opaque with an image", false, 0, 40, true, false, true, bgkBitmap, Case::OwnCache, kGlobalColor},
      {"opaque image, cannot paint yet", false, 0, 40, true, true, true, bgkNotReady, Case::Colour, kGlobalColor},
      {"see-through without cache", false, 50, 0, false, false, true, bgkColor, Case::Colour, 0xFF00FF},
      {"see-through with cache", false, 50, 0, true, false, true, bgkBitmap, Case::OwnCache, 0},
      {"see-through, cannot paint yet", false, 50, 0, true, true, true, bgkNotReady, Case::Colour, 0},
      {"clear with fresh cache", false, 100, 0, true, false, false, bgkBitmap, Case::OwnCache, 0},
      {"clear with stale cache that cannot be built", false, 100, 0, true, true, true, bgkColor, Case::Colour,
       kParentColor},
      {"clear without cache", false, 100, 0, false, false, true, bgkBitmap, Case::ParentCache, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager->Effects().SetAllowOuterEffects(c.outerEffects);
    TBgBox* child = MakeBox(parent, L"CHILD", c.cache);
    child->Refuse = c.refuse;
    SectionOf(child).Props[0].Transparency = c.transparency;
    SectionOf(child).Props[0].ImagePercent = c.imagePercent;
    if (!c.stale) {
      child->Data->CacheBmp->SetSize(child->Width(), child->Height());
      child->Data->BGChanged = false;
    }
    TacBackgroundInfo info;
    child->Data->GetBgInfo(info, 0);
    EXPECT_EQ(info.BgKind, c.kind);
    switch (c.source) {
      case Case::OwnCache:
        EXPECT_EQ(info.Bmp, child->Data->CacheBmp.get());
        EXPECT_EQ(info.OffsetX, 0);
        EXPECT_EQ(info.OffsetY, 0);
        break;
      case Case::ParentCache:
        // The parent's cache, where the child lies in it.
        EXPECT_EQ(info.Bmp, parent->Data->CacheBmp.get());
        EXPECT_EQ(info.OffsetX, child->Left());
        EXPECT_EQ(info.OffsetY, child->Top());
        break;
      case Case::Colour:
        EXPECT_EQ(info.Bmp, nullptr);
        break;
    }
    if (c.color != 0) EXPECT_EQ(info.Color, c.color);
    if (c.kind == bgkNotReady && c.transparency > 0) EXPECT_TRUE(child->Data->Updating);
    delete child;
  }
}

TEST_F(BackgroundTest, ClearSectionOverAnUnskinnedParentTakesTheSkinsColour) {
  MakeManager();
  form->SetColor(TColor(0x0000FF));
  TBgBox* child = MakeBox(form.get(), L"CHILD", false);
  SectionOf(child).Props[0].Transparency = 100;
  TacBackgroundInfo info;
  child->Data->GetBgInfo(info, 0);
  EXPECT_EQ(info.BgKind, bgkColor);
  EXPECT_EQ(info.Color, kGlobalColor);
}

TEST_F(BackgroundTest, CustomColourAndMissingSectionAnswerTheControlsColour) {
  MakeManager();
  for (const wchar_t* section : {L"CHILD", L"NOSUCHSECTION"}) {
    TBgBox* box = MakeBox(form.get(), section);
    box->SetColor(TColor(0x00C000));
    if (box->Data->IsSkinned()) box->Data->SetCustomColor(true);
    TacBackgroundInfo info;
    box->Data->GetBgInfo(info, 0);
    EXPECT_EQ(info.BgKind, bgkColor);
    EXPECT_EQ(info.Color, 0x00C000u);
    delete box;
  }
}

// A black background is an answer like any other colour: the child takes
// black, not its own colour or "none".
TEST_F(BackgroundTest, ABlackAnswerStaysBlack) {
  MakeManager();
  TBgBox* parent = MakeBox(form.get(), L"PARENT");
  SectionOf(parent).Props[0].Color = 0;
  TBgBox* child = MakeBox(parent, L"CHILD");

  TacBackgroundInfo info;
  info.Color = 0x123456;
  parent->Data->GetBgInfo(info, 0);
  EXPECT_EQ(info.BgKind, bgkColor);
  EXPECT_EQ(info.Color, 0u);

  TacBackgroundSource source;
  child->Data->GetParentBg(source);
  EXPECT_FALSE(source.Ready);
  EXPECT_EQ(source.FillColor, 0u);

  SectionOf(child).Props[0].Transparency = 100;
  EXPECT_EQ(child->Data->GetBgColor(), 0);
  SectionOf(child).Props[0].Transparency = 50;
  EXPECT_EQ(uint32_t(child->Data->GetBgColor()), MixColors(0, 0xA0C0E0, 127));
}

TEST_F(BackgroundTest, ParentBgIsTheParentsAnswer) {
  MakeManager();
  TBgBox* parent = MakeBox(form.get(), L"PARENT");
  SectionOf(parent).Props[0].Transparency = 50;
  TBgBox* child = MakeBox(parent, L"CHILD");
  TacBackgroundSource source;
  child->Data->GetParentBg(source);
  EXPECT_TRUE(source.Ready);
  EXPECT_EQ(source.Bmp, parent->Data->CacheBmp.get());

  // A parent that cannot paint yet: no colour.
  parent->Refuse = true;
  parent->Data->CacheBmp->SetSize(0, 0);
  child->Data->GetParentBg(source);
  EXPECT_FALSE(source.Ready);
  EXPECT_EQ(source.FillColor, 0xFF00FFu);

  // Without skin the own colour, at no offset.
  TBgBox* plain = MakeBox(parent, L"NOSUCHSECTION");
  plain->SetColor(TColor(0x00C000));
  plain->Data->GetParentBg(source);
  EXPECT_FALSE(source.Ready);
  EXPECT_EQ(source.Bmp, nullptr);
  EXPECT_EQ(source.FillColor, 0x00C000u);

  // A foreign window without parent has nothing under it.
  TsCommonData foreign(nullptr, false);
  foreign.GetWndParentBg(form->Handle(), source);
  EXPECT_EQ(source.FillColor, 0x1FFFFFFFu);
}

TEST_F(BackgroundTest, PleaseDrawCopiesTheCacheUnderTheRectangle) {
  MakeManager();
  TBgBox* parent = MakeBox(form.get(), L"PARENT");
  parent->CacheFill = 0x00102030;
  auto target = NewBitmap32(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel32(*target, x, y, 0x00FFFFFF);
  TacBackgroundInfo info;
  info.PleaseDraw = true;
  info.DrawDC = target->DC();
  info.R = RECT{0, 0, 8, 8};
  // The rectangle reaches past the parent's cache (40 x 30): only what the
  // cache holds is copied.
  info.OffsetX = parent->Width() - 4;
  info.OffsetY = parent->Height() - 4;
  parent->Data->GetBgInfo(info, 0);
  GdiFlush();
  EXPECT_EQ(info.BgKind, bgkBitmap);
  EXPECT_EQ(parent->Builds, 1);
  EXPECT_EQ(GetPixel32(*target, 0, 0) & 0xFFFFFF, 0x102030u);
  EXPECT_EQ(GetPixel32(*target, 3, 3) & 0xFFFFFF, 0x102030u);
  EXPECT_EQ(GetPixel32(*target, 4, 4) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(GetPixel32(*target, 7, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(BackgroundTest, HotStateByControlKind) {
  MakeManager();
  struct Case {
    const char* name;
    uint8_t kind;
    bool mouseAbove;
    bool focused;
    bool enabled;
    bool noMouseHover;
    int expected;
  } cases[] = {
      {"kind 1 under the mouse", 1, true, false, true, false, 1},
      {"kind 1 away from the mouse", 1, false, false, true, false, 0},
      {"kind 2 under the mouse, no focus", 2, true, false, true, false, 0},
      {"kind 2 with the forced hot look", 2, false, true, true, false, 1},
      {"kind 51 never hot by hovering", 51, true, false, true, false, 0},
      {"kind 132 needs the focus", 132, true, false, true, false, 0},
      {"disabled", 1, true, true, false, false, 0},
      {"hover switched off", 1, true, false, true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager->Options().SetBool(TacOptions::boNoMouseHover, c.noMouseHover);
    TBgBox* box = MakeBox(form.get(), L"CHILD", true, c.kind);
    box->SetEnabled(c.enabled);
    box->Data->MouseAbove = c.mouseAbove;
    box->Data->Focused = c.focused;
    EXPECT_EQ(box->Data->GetCtrlState(), c.expected);
    delete box;
  }
  manager->Options().SetBool(TacOptions::boNoMouseHover, false);
}

TEST_F(BackgroundTest, StateColorsGoToControlsOfColourKinds) {
  MakeManager();
  struct Case {
    const char* name;
    uint8_t kind;
    int transparency;
    bool changed;
  } cases[] = {
      {"a colour kind", 3, 0, true},
      {"no colour kind", 1, 0, false},
      {"a colour kind, clear in both states", 3, 100, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBgBox* box = MakeBox(form.get(), L"CHILD", true, c.kind);
    box->SetColor(TColor(0x0000C0));
    box->Font().SetColor(TColor(0x00C000));
    SectionOf(box).Props[0].Transparency = SectionOf(box).Props[1].Transparency = c.transparency;
    box->Data->ApplySkinColors(false);
    EXPECT_EQ(uint32_t(box->Color()), c.changed ? 0xA0C0E0u : 0x0000C0u);
    EXPECT_EQ(uint32_t(box->Font().Color()), c.changed ? 0x010203u : 0x00C000u);
    EXPECT_EQ(box->Data->StateBits & acsApplyingColors, 0u);
    SectionOf(box).Props[0].Transparency = SectionOf(box).Props[1].Transparency = 0;
    delete box;
  }

  // The state's colours follow the hot state; custom ones stay.
  TBgBox* box = MakeBox(form.get(), L"CHILD", true, 1);
  box->Data->MouseAbove = true;
  box->Data->ApplyStateColors(false);
  EXPECT_EQ(uint32_t(box->Color()), 0x102030u);
  EXPECT_EQ(uint32_t(box->Font().Color()), 0x040506u);
  box->Data->MouseAbove = false;
  box->Data->SetCustomFont(true);
  box->Data->ApplyStateColors(true);
  EXPECT_EQ(uint32_t(box->Color()), 0xA0C0E0u);
  EXPECT_EQ(uint32_t(box->Font().Color()), 0x040506u);
}

// Border masks made by hand in the table: their margins and drawing flags.
TEST_F(BackgroundTest, BorderMaskQuestions) {
  MakeManager();
  TBgBox* box = MakeBox(form.get(), L"CHILD");
  TacSkinData* data = box->Data->GetScaledSkinData();
  struct Case {
    const char* name;
    bool mask;
    uint16_t drawMode;
    int transparency;
    int state;
    int borderWidth;
    bool showsParent;
  } cases[] = {
      {"no mask, opaque", false, 0, 0, 0, 0, false},
      {"no mask, mostly clear", false, 0, 60, 0, 0, true},
      {"mask as a plain image", true, dmNothingInState0, 60, 0, 0, true},
      {"mask with centre, normal state", true, dmPaintCentre, 60, 0, 6, false},
      {"mask with centre, hot state", true, dmPaintCentre, 60, 1, 6, false},
      {"mask without centre, hot state", true, 0, 60, 1, 6, true},
      {"mask, half clear", true, dmPaintCentre, 50, 0, 6, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TsGeneralData& section = SectionOf(box);
    section.BorderIndex = -1;
    if (c.mask) {
      TsMaskData m;
      m.WL = 2, m.WT = 6, m.WR = 3, m.WB = 4;
      m.DrawMode = c.drawMode;
      m.ImageCount = 2;
      data->MaskArray.push_back(m);
      section.BorderIndex = int(data->MaskArray.size()) - 1;
    }
    section.Props[0].Transparency = section.Props[1].Transparency = c.transparency;
    EXPECT_EQ(box->Data->GetMaskBorderWidth(), c.borderWidth);
    EXPECT_EQ(box->Data->ShowsParentInState(c.state), c.showsParent);
    EXPECT_EQ(SectionShowsParentIn(data, box->Data->SkinIndex, c.state, box), c.showsParent);
    if (c.mask) data->MaskArray.pop_back();
    section.BorderIndex = -1;
  }
  // Without a parent nothing shows through.
  EXPECT_FALSE(SectionShowsParentIn(data, box->Data->SkinIndex, 0, nullptr));
}

}  // namespace
