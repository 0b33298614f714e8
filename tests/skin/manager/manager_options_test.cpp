// The skin manager's options: their defaults, the scale modes with the scale
// change, scroll-bar widths, the class-name lists and the main font.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Form.h"
#include "skin/core/SkinCommand.h"
#include "skin/core/SkinConstants.h"
#include "skin/core/SkinUtils.h"
#include "skin/manager/SkinManager.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kSkin = "[GLOBALINFO]\r\nVERSION=12.50\r\nMainFont=Skin Sans\r\n[BUTTON]\r\nCOLOR=$00112233\r\n";
const std::string kSkinWithScrolls =
    "[GLOBALINFO]\r\nVERSION=12.50\r\nSCROLLSWIDTH=14\r\n[BUTTON]\r\nCOLOR=$00112233\r\n";

class ManagerOptionsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->OnShowError = [this](const String& text) { errors.push_back(text); };
    manager->SetSkinDirectory(skins.Path());
  }
  void LoadFolderSkin(const String& name, const std::string& options) {
    CreateDirectoryW((skins.Path() + name).c_str(), nullptr);
    ScratchFolder::WriteBytes(skins.Path() + name + L"\\Options.dat", options);
    manager->SetSkinName(name);
    ASSERT_TRUE(manager->IsSkinLoaded());
  }
  int Detected() const { return manager->DetectedScaleIndex(); }

  ScratchFolder skins;
  std::unique_ptr<TsSkinManager> manager;
  std::vector<String> errors;
};

TEST_F(ManagerOptionsTest, OptionObjectsStartWithTheirDefaults) {
  TsSkinManager& m = *manager;
  const TacAnimEffects& a = m.AnimEffects();
  struct Case {
    const char* name;
    int actual, expected;
  };
  const Case cases[] = {
      {"Effects.AllowAnimation", m.Effects().AllowAnimation(), true},
      {"Effects.AllowAeroBluring", m.Effects().AllowAeroBluring(), true},
      {"Effects.AllowGlowing", m.Effects().AllowGlowing(), true},
      {"Effects.AllowOuterEffects", m.Effects().AllowOuterEffects(), true},
      {"Effects.DiscoloredGlyphs", m.Effects().DiscoloredGlyphs(), false},
      {"BlendOnMoving.Active", a.BlendOnMoving.Active(), false},
      {"BlendOnMoving.Time", a.BlendOnMoving.Time(), 1000},
      {"BlendOnMoving.BlendValue", a.BlendOnMoving.BlendValue(), 170},
      {"Buttons.Events", int(a.Buttons.Events()), beMouseEnter | beMouseLeave | beMouseDown | beMouseUp},
      {"Buttons.LightingMode", int(a.Buttons.LightingMode()), int(TacLightingMode::lmActiveControl)},
      {"Buttons.ClickEffect", int(a.Buttons.ClickEffect()), int(TacClickEffect::ceCircle)},
      {"DialogShow.Active", a.DialogShow.Active(), true},
      {"DialogShow.Time", a.DialogShow.Time(), 0},
      {"DialogShow.Mode", int(a.DialogShow.Mode()), int(TacAnimType::atAero)},
      {"FormShow.Mode", int(a.FormShow.Mode()), int(TacAnimType::atAero)},
      {"FormHide.Active", a.FormHide.Active(), true},
      {"DialogHide.Mode", int(a.DialogHide.Mode()), int(TacAnimType::atAero)},
      {"Minimizing.Active", a.Minimizing.Active(), true},
      {"Minimizing.Time", a.Minimizing.Time(), 80},
      {"PageChange.Mode", int(a.PageChange.Mode()), int(TacAnimTypeCtrl::atcFade)},
      {"SkinChanging.Active", a.SkinChanging.Active(), true},
      {"SkinChanging.Time", a.SkinChanging.Time(), 100},
      {"SkinChanging.Mode", int(a.SkinChanging.Mode()), int(TacAnimType::atFading)},
      {"ButtonsOptions.ShowFocusRect", m.ButtonsOptions().ShowFocusRect(), false},
      {"ButtonsOptions.ShiftContentOnClick", m.ButtonsOptions().ShiftContentOnClick(), true},
      {"ButtonsOptions.AllowRTLSysButtons", m.ButtonsOptions().AllowRTLSysButtons(), true},
      {"ButtonsOptions.ModalButtonsColoring", int(m.ButtonsOptions().ModalButtonsColoring()), bcGlyph},
      {"LabelsOptions.TransparentAlways", m.LabelsOptions().TransparentAlways(), true},
      {"ScrollsOptions.ButtonsSize", m.ScrollsOptions().ButtonsSize(), -1},
      {"ScrollsOptions.ScrollSize", m.ScrollsOptions().ScrollSize(), -1},
      {"Options.ChangeSysColors", m.Options().ChangeSysColors(), false},
      {"Options.CheckEmptyAlpha", m.Options().CheckEmptyAlpha(), false},
      {"Options.DrawNonClientArea", m.Options().DrawNonClientArea(), true},
      {"Options.NativeBordersMaximized", m.Options().NativeBordersMaximized(), false},
      {"Options.NoMouseHover", m.Options().NoMouseHover(), false},
      {"Options.StdGlyphsOrder", m.Options().StdGlyphsOrder(), false},
      {"Options.StdImgTransparency", m.Options().StdImgTransparency(), false},
      {"Options.ArrowsStyle", int(m.Options().ArrowsStyle()), int(TacArrowsStyle::arsDefault)},
      {"Options.OptimizingPriority", int(m.Options().OptimizingPriority()), int(TacOptimizingPriority::opSpeed)},
      {"Options.ScaleMode", int(m.Options().ScaleMode()), int(TacScaleMode::smAuto)},
      {"Options.PixelsPerInch", m.Options().PixelsPerInch(), 96},
      {"Options.RotateArrows", m.Options().RotateArrows(), false},
      {"Options.GroupBoxStyle", int(m.Options().GroupBoxStyle()), int(TacGroupBoxStyle::gsStandard)},
      {"Fonts.MainMode", int(m.Fonts().MainMode()), int(TacFontMode::fmDefault)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
  EXPECT_EQ(m.Fonts().MainFont(), L"");
  EXPECT_EQ(m.ThirdParty().ThirdButtons(), L"TButton");
  EXPECT_EQ(m.ThirdParty().ThirdNativePaint(), L" ");
}

TEST_F(ManagerOptionsTest, ScaleIndexAndScaleIntFollowTheMode) {
  struct Case {
    TacScaleMode mode;
    int index;     // -1: the detected index
    int scaled;    // ScaleInt(100); -1: 100 scaled by the detected index
    int byIndex2;  // ScaleInt(100, 2)
  };
  const Case cases[] = {
      {TacScaleMode::sm100, 0, 100, 150},       {TacScaleMode::sm125, 1, 125, 150},
      {TacScaleMode::sm150, 2, 150, 150},       {TacScaleMode::sm200, 3, 200, 150},
      {TacScaleMode::smAuto, -1, -1, 150},      {TacScaleMode::smOldMode, 0, 100, 100},
      {TacScaleMode::smFramework, -1, -1, 150}, {TacScaleMode::smCustomPPI, 7, 150, 150},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode));
    manager->Options().SetScaleMode(c.mode);
    // Every change stores its density; the custom one is set after it.
    if (c.mode == TacScaleMode::smCustomPPI) manager->Options().SetPixelsPerInch(144);
    EXPECT_EQ(manager->GetScaleIndex(), c.index < 0 ? Detected() : c.index);
    EXPECT_EQ(manager->ScaleInt(100), c.scaled < 0 ? ScaleByIndex(100, Detected()) : c.scaled);
    EXPECT_EQ(manager->ScaleInt(100, 2), c.byIndex2);
  }
}

TEST_F(ManagerOptionsTest, FrameworkModeReadsBackAsAuto) {
  manager->Options().SetScaleMode(TacScaleMode::smFramework);
  EXPECT_EQ(manager->Options().ScaleMode(), TacScaleMode::smAuto);
  EXPECT_EQ(DefaultScaleMode, TacScaleMode::smFramework);
  EXPECT_TRUE(manager->Active());
}

TEST_F(ManagerOptionsTest, PixelsPerInchUnderAutoOnlyStores) {
  LoadFolderSkin(L"Plain", kSkin);
  int changes = 0, afterChanges = 0;
  manager->OnScaleModeChange = [&](TObject*, const TScaleChangeData&) { ++changes; };
  manager->OnAfterChange = [&](TObject*) { ++afterChanges; };
  manager->Options().SetPixelsPerInch(120);
  EXPECT_EQ(manager->Options().PixelsPerInch(), 120);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(afterChanges, 0);
  EXPECT_EQ(manager->ScaleInt(100), ScaleByIndex(100, Detected()));
  EXPECT_EQ(manager->SkinData()->PPI, acScalePPI[Detected()]);
}

TEST_F(ManagerOptionsTest, PixelsPerInchUnderCustomRescalesSkinAndForms) {
  LoadFolderSkin(L"Plain", kSkin);
  manager->Options().SetScaleMode(TacScaleMode::smCustomPPI);
  ASSERT_EQ(manager->SkinData()->PPI, 96);

  auto form = std::make_unique<TForm>(Application, CreateNew);
  form->HandleNeeded();
  form->SetClientSize(200, 100);
  std::vector<TScaleChangeData> changes;
  bool scalingSeen = false;
  TObject* changedSender = nullptr;
  manager->OnScaleModeChange = [&](TObject*, const TScaleChangeData& d) {
    changes.push_back(d);
    scalingSeen = manager->Scaling();
  };
  manager->OnScaleChanged = [&](TObject* Sender) { changedSender = Sender; };

  manager->Options().SetPixelsPerInch(120);
  ASSERT_EQ(changes.size(), 1u);
  const TScaleChangeData& d = changes[0];
  EXPECT_EQ(d.OldScaleMode, TacScaleMode::smCustomPPI);
  EXPECT_EQ(d.NewScaleMode, TacScaleMode::smCustomPPI);
  EXPECT_EQ(d.OldPercent, 100);
  EXPECT_EQ(d.NewPercent, 125);
  EXPECT_EQ(d.OldPPI, 96);
  EXPECT_EQ(d.NewPPI, 120);
  EXPECT_TRUE(scalingSeen);
  EXPECT_FALSE(manager->Scaling());
  EXPECT_EQ(changedSender, &manager->Options());
  EXPECT_EQ(manager->SkinData()->PPI, 120);
  EXPECT_TRUE(manager->IsSkinLoaded());
  EXPECT_EQ(form->ClientWidth(), 250);
  EXPECT_EQ(form->ClientHeight(), 125);

  // Unchanged does nothing.
  manager->Options().SetPixelsPerInch(120);
  EXPECT_EQ(changes.size(), 1u);
  EXPECT_TRUE(errors.empty());
}

TEST_F(ManagerOptionsTest, ModeChangeReportsOldAndNewScale) {
  std::vector<TScaleChangeData> changes;
  manager->OnScaleModeChange = [&](TObject*, const TScaleChangeData& d) { changes.push_back(d); };
  manager->Options().SetScaleMode(TacScaleMode::sm150);
  manager->Options().SetScaleMode(TacScaleMode::sm200);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].OldPercent, acScalePercents[Detected()]);
  EXPECT_EQ(changes[0].NewPercent, 150);
  EXPECT_EQ(changes[0].NewPPI, 144);
  EXPECT_EQ(changes[1].OldScaleMode, TacScaleMode::sm150);
  EXPECT_EQ(changes[1].OldPercent, 150);
  EXPECT_EQ(changes[1].OldPPI, 144);
  EXPECT_EQ(changes[1].NewPercent, 200);
  EXPECT_EQ(changes[1].NewPPI, 192);
  EXPECT_EQ(manager->Options().PixelsPerInch(), 192);
  // No skin name: the change reloads nothing and leaves the manager on.
  EXPECT_TRUE(manager->Active());
  EXPECT_FALSE(manager->IsSkinLoaded());
}

TEST_F(ManagerOptionsTest, ScrollWidthTakesOptionThenSkinThenSystem) {
  const int sys = GetSystemMetrics(SM_CXVSCROLL);
  manager->ScrollsOptions().SetScrollSize(20);
  EXPECT_EQ(manager->GetScrollWidth(144), 30);
  manager->ScrollsOptions().SetScrollSize(-1);
  EXPECT_EQ(manager->GetScrollWidth(96), sys);  // no skin

  LoadFolderSkin(L"Scrolls", kSkinWithScrolls);
  EXPECT_EQ(manager->GetScrollWidth(96), 14);
  manager->ScrollsOptions().SetScrollSize(0);
  EXPECT_EQ(manager->GetScrollWidth(96), 0);

  LoadFolderSkin(L"Plain", kSkin);
  manager->ScrollsOptions().SetScrollSize(-1);
  struct Case {
    TacScaleMode mode;
    int expected;
  };
  const Case cases[] = {
      {TacScaleMode::smAuto, sys},
      {TacScaleMode::smOldMode, sys},
      {TacScaleMode::sm200, MulDiv(sys, 200, acScalePercents[Detected()])},
      {TacScaleMode::smCustomPPI, MulDiv(sys, 144, acScalePPI[Detected()])},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode));
    manager->Options().SetScaleMode(c.mode);
    // Every change stores its density; the custom one is set after it.
    if (c.mode == TacScaleMode::smCustomPPI) manager->Options().SetPixelsPerInch(144);
    EXPECT_EQ(manager->GetScrollWidth(96), c.expected);
    EXPECT_EQ(manager->GetSysScrollWidth(96), c.expected);
  }
}

TEST_F(ManagerOptionsTest, ClearedThirdPartyEntryGetsItsDefaultAtLoaded) {
  manager->BeginLoading();
  manager->ThirdParty().SetThirdButtons(L"");
  manager->ThirdParty().SetThirdEdits(L"TMyEdit\r\nTOtherEdit");
  manager->EndLoading();
  EXPECT_EQ(manager->ThirdParty().ThirdButtons(), L"TButton");
  EXPECT_EQ(manager->ThirdParty().ThirdEdits(), L"TMyEdit\r\nTOtherEdit");
  EXPECT_EQ(manager->MenuSupport().IcoLineSkin(), L"ICOLINE");
  EXPECT_EQ(manager->ThirdLists()[ThirdEditsIndex].Count(), 2);

  manager->UpdateThirdPartyLists(true);
  EXPECT_EQ(manager->ThirdParty().ThirdEdits(), L" ");
}

TEST_F(ManagerOptionsTest, ClassNamesMatchExactly) {
  TsThirdPartyList list;
  TacClassLists lists;
  bool anyFilled = true;
  LoadThirdPartyLists(list, lists, anyFilled);
  EXPECT_FALSE(anyFilled);

  list.SetThirdGrids(L"TStringGrid\r\nTDrawGrid");
  LoadThirdPartyLists(list, lists, anyFilled);
  EXPECT_TRUE(anyFilled);
  struct Case {
    const wchar_t* name;
    bool found;
  };
  const Case cases[] = {
      {L"TDrawGrid", true}, {L"tdrawgrid", false}, {L"TDrawGri", false}, {L"TDrawGrid ", false}, {L"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(InStringLists(lists, c.name), c.found) << std::wstring(c.name).size();
  EXPECT_TRUE(InStringLists(manager->ThirdLists(), L"TButton"));
}

// A form that counts the font announcements that reach it and lets the
// manager give its controls the new font, as skinned controls do.
class TFontForm : public TForm {
 public:
  explicit TFontForm(TsSkinManager& manager) : TForm(Application, CreateNew) {
    TWndMethod old = WindowProc;
    WindowProc = [this, old, &manager](TMessage& m) {
      if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_FONTSCHANGED) {
        ++announced;
        for (int i = 0; i < ControlCount(); ++i)
          if (manager.ApplyMainFont(Controls(i))) ++applied;
      }
      old(m);
    };
    HandleNeeded();
  }
  TButton* AddButton(const String& fontName) {
    auto* button = new TButton(this);
    button->SetParent(this);
    button->SetParentFont(false);
    button->Font().SetName(fontName);
    return button;
  }
  int announced = 0, applied = 0;
};

TEST_F(ManagerOptionsTest, ChangeMainFontAnnouncesOnceAndSkipsTheSameName) {
  TFontForm form(*manager);
  std::vector<std::pair<String, String>> fired;
  manager->OnFontChanged = [&](TObject*, const String& oldName, const String& newName) {
    fired.emplace_back(oldName, newName);
  };
  manager->ChangeMainFont(L"Arial");
  manager->ChangeMainFont(L"Arial");
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0], std::make_pair(String(), String(L"Arial")));
  EXPECT_EQ(form.announced, 1);
  EXPECT_FALSE(manager->FontChanging());

  // Controls that show the base or the last main font follow; others keep theirs.
  TButton* base = form.AddButton(manager->BaseFontName());
  TButton* last = form.AddButton(L"Arial");
  TButton* own = form.AddButton(L"Courier New");
  manager->ChangeMainFont(L"Verdana");
  EXPECT_EQ(form.applied, 2);
  EXPECT_EQ(base->Font().Name(), L"Verdana");
  EXPECT_EQ(last->Font().Name(), L"Verdana");
  EXPECT_EQ(own->Font().Name(), L"Courier New");
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_EQ(fired[1], std::make_pair(String(L"Arial"), String(L"Verdana")));
}

TEST_F(ManagerOptionsTest, FontModeFromSkinTakesTheSkinsMainFont) {
  LoadFolderSkin(L"Plain", kSkin);
  std::vector<String> names;
  manager->OnFontChanged = [&](TObject*, const String&, const String& newName) { names.push_back(newName); };
  manager->Fonts().SetMainMode(TacFontMode::fmFromSkin);
  manager->Fonts().SetMainFont(L"Custom Face");  // not the mode in force
  manager->Fonts().SetMainMode(TacFontMode::fmCustom);
  EXPECT_EQ(names, (std::vector<String>{L"Skin Sans", L"Custom Face"}));
}

}  // namespace
