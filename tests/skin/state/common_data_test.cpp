// The per-control skin state: its defaults, how it finds its manager,
// section and index, the "ACSDATA" window property, the update bracket and
// the hot-window seam.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/manager/HotWindow.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/OuterEffects.h"
#include "skin/state/PaintBorderData.h"
#include "skin/state/ScrollWndData.h"
#include "tests/skin/state/support/state_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n[BUTTON]\r\nCOLOR=$00112233\r\n[EDIT]\r\nCOLOR=$00445566\r\n"
    "[COMBOBOX]\r\nCOLOR=$00778899\r\n";

// A recording box with BUTTON as its default section that also answers
// AC_GETCOMMONDATA, and notes what its window held when it died.
class TSkinnedBox : public TRecordingBox<TsCtrlSkinData> {
 public:
  explicit TSkinnedBox(TComponent* owner, uint8_t kind = 3) : TRecordingBox(owner, kind, L"BUTTON") {}
  ~TSkinnedBox() override {
    // Freed while the control is being destroyed, as a control's own
    // destructor does: the window still exists.
    Destroying_();
    WndAtDeath = HandleIfAllocated();
    Data.reset();
    if (PropAtDeath) *PropAtDeath = WndAtDeath ? GetPropW(WndAtDeath, L"ACSDATA") : nullptr;
  }
  HWND WndAtDeath = nullptr;
  HANDLE* PropAtDeath = nullptr;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_GETCOMMONDATA) {
      Seen.push_back(AC_GETCOMMONDATA);
      m.Result = reinterpret_cast<LRESULT>(Data.get());
      return;
    }
    TRecordingBox::WndProc(m);
  }
};

class CommonDataTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = std::make_unique<TForm>(Application, CreateNew);
    form->HandleNeeded();
  }
  std::unique_ptr<TsSkinManager> MakeManager(bool loaded = true) { return skins.Manager(loaded); }
  TSkinnedBox* MakeBox(uint8_t kind = 3) {
    auto* box = new TSkinnedBox(form.get(), kind);
    box->SetParent(form.get());
    box->HandleNeeded();
    // What the state's message handling does when the window is made.
    box->Data->AttachWindow();
    return box;
  }
  TSmallSkinFolder skins{kSkin};
  std::unique_ptr<TForm> form;
};

TEST_F(CommonDataTest, StartsWithTheDefaultsOfItsTable) {
  TsCommonData d(nullptr, false);
  EXPECT_EQ(d.SkinManager(), nullptr);
  EXPECT_TRUE(d.SkinSection().empty());
  EXPECT_EQ(d.OpaqueMode(), TacOpaqueMode::omAuto);
  EXPECT_FALSE(d.CustomColor());
  EXPECT_FALSE(d.CustomFont());
  EXPECT_FALSE(d.CustomBorder().IsCustom());
  EXPECT_EQ(d.OuterEffects().Visibility(), TacOuterVisibility::ovNone);
  EXPECT_EQ(d.ColorTone, 0x1FFFFFFFu);
  EXPECT_EQ(d.SavedColor, 0x1FFFFFFFu);
  EXPECT_EQ(d.SavedFontColor, 0x1FFFFFFFu);
  EXPECT_TRUE(d.Loading);
  EXPECT_TRUE(d.BGChanged);
  EXPECT_FALSE(d.Updating || d.Focused || d.MouseAbove || d.OpaqueBusy);
  EXPECT_EQ(d.SkinIndex, -1);
  EXPECT_EQ(d.GlowId, -1);
  EXPECT_EQ(d.EffectId, -1);
  EXPECT_EQ(d.ScaleIndex, -1);
  EXPECT_EQ(d.PPI, 96);
  EXPECT_EQ(d.UpdateCount, 0);
  EXPECT_EQ(d.CacheBmp, nullptr);
  EXPECT_FALSE(d.WndProc);
  EXPECT_EQ(d.OwnerControl, nullptr);

  // A windowed owner lends its window procedure; the cache exists, empty.
  auto* box = MakeBox();
  EXPECT_EQ(box->Data->OwnerControl, box);
  EXPECT_EQ(box->Data->OwnerObject, box);
  EXPECT_TRUE(box->Data->WndProc);
  ASSERT_NE(box->Data->CacheBmp, nullptr);
  EXPECT_TRUE(box->Data->CacheBmp->Empty());

  TsScrollWndData scroll(nullptr, false);
  EXPECT_EQ(scroll.VertScrollData->ScrollWidth(), -1);
  EXPECT_EQ(scroll.HorzScrollData->ButtonsSize(), -1);
  EXPECT_EQ(scroll.VertScrollData->Owner(), &scroll);
}

TEST_F(CommonDataTest, SectionResolvesToItsIndex) {
  auto manager = MakeManager();
  struct Case {
    const wchar_t* section;
    const wchar_t* stored;
    const wchar_t* expected;  // nullptr: not in the skin
  } cases[] = {
      {L"", L"", L"BUTTON"},        // the kind's default, asked from the control
      {L"edit", L"EDIT", L"EDIT"},  // stored upper-case
      {L"ComboBox", L"COMBOBOX", L"COMBOBOX"},
      {L"NOSUCHSECTION", L"NOSUCHSECTION", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "section \"" << std::wstring(c.section) << "\"");
    auto* box = MakeBox();
    box->Data->Loaded(false);
    box->Data->SetSkinSection(L"X");  // a change from any of the cases
    box->Seen.clear();
    box->Data->SetSkinSection(c.section);
    EXPECT_EQ(box->Data->SkinSection(), c.stored);
    const int want = c.expected ? manager->GetSectionIndex(c.expected) : -1;
    if (c.expected) {
      ASSERT_GE(want, 0);
    }
    EXPECT_EQ(box->Data->SkinIndex, want);
    EXPECT_EQ(box->Data->IsSkinned(), want >= 0);
    // The control hears a refresh for a section the skin has, else removal.
    EXPECT_EQ(box->Count(AC_SKINREFRESH), want >= 0 ? 1 : 0);
    EXPECT_EQ(box->Count(AC_SKINREMOVED), want >= 0 ? 0 : 1);
    delete box;
  }
}

TEST_F(CommonDataTest, TheSameTextIsNoChangeButOtherCaseIs) {
  auto manager = MakeManager();
  auto* box = MakeBox();
  box->Data->Loaded(false);
  box->Data->SetSkinSection(L"edit");
  box->Seen.clear();
  box->Data->SetSkinSection(L"EDIT");
  EXPECT_TRUE(box->Seen.empty());
  box->Data->SetSkinSection(L"edit");
  EXPECT_EQ(box->Count(AC_SKINREFRESH), 1);
  EXPECT_EQ(box->Data->SkinIndex, manager->GetSectionIndex(L"EDIT"));
}

TEST_F(CommonDataTest, LoadedGivesKindsTheirDefaultSection) {
  auto manager = MakeManager();
  std::vector<LPARAM> announced;
  TWndMethod old = form->WindowProc;
  form->WindowProc = [old, &announced](TMessage& m) {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_CONTROLLOADED) announced.push_back(m.LParam);
    old(m);
  };
  auto* asking = MakeBox(3);
  asking->Data->Loaded(false);
  EXPECT_TRUE(asking->Data->SkinSection().empty());
  EXPECT_EQ(asking->Data->SkinIndex, manager->GetSectionIndex(L"BUTTON"));
  EXPECT_FALSE(asking->Data->Loading);
  // A skinned control is announced to its form.
  EXPECT_EQ(announced, std::vector<LPARAM>{reinterpret_cast<LPARAM>(asking)});
  form->WindowProc = old;

  auto* combo = MakeBox(18);
  combo->Data->Loaded(false);
  EXPECT_EQ(combo->Data->SkinSection(), L"COMBOBOX");
  EXPECT_EQ(combo->Data->SkinIndex, manager->GetSectionIndex(L"COMBOBOX"));

  // A section the owner chose is kept over the kind's.
  auto* chosen = MakeBox(18);
  chosen->Data->SetSkinSection(L"EDIT");
  chosen->Data->Loaded(false);
  EXPECT_EQ(chosen->Data->SkinIndex, manager->GetSectionIndex(L"EDIT"));
}

TEST_F(CommonDataTest, WithoutManagerNothingIsSkinned) {
  auto* box = MakeBox();
  box->Data->Loaded(false);
  box->Data->SetSkinSection(L"EDIT");
  EXPECT_EQ(box->Data->GetSkinManager(), nullptr);
  EXPECT_EQ(box->Data->SkinIndex, -1);
  EXPECT_FALSE(box->Data->IsSkinned());
  EXPECT_EQ(box->Data->GetScaledSkinData(), nullptr);
  EXPECT_GT(box->Data->GetPPI(), 0);
}

TEST_F(CommonDataTest, FollowsTheDefaultManagerUnlessGivenItsOwn) {
  auto first = MakeManager();
  ASSERT_TRUE(first->IsDefault());
  auto* box = MakeBox();
  box->Data->Loaded(false);
  box->Data->SetSkinSection(L"EDIT");

  // Naming the default stores nothing: the state follows whichever is default.
  box->Data->SetSkinManager(first.get());
  EXPECT_EQ(box->Data->SkinManager(), nullptr);
  EXPECT_FALSE(box->Data->IsSkinManagerStored());
  EXPECT_EQ(box->Data->GetSkinManager(), first.get());

  auto own = MakeManager();
  box->Seen.clear();
  box->Data->SetSkinManager(own.get());
  EXPECT_TRUE(box->Data->IsSkinManagerStored());
  EXPECT_EQ(box->Data->GetSkinManager(), own.get());
  EXPECT_EQ(box->Data->SkinIndex, own->GetSectionIndex(L"EDIT"));
  EXPECT_EQ(box->Count(AC_SKINREFRESH), 1);
  ASSERT_NE(box->Data->GetScaledSkinData(), nullptr);

  // Its own manager going away leaves it with the default and no stale index.
  own.reset();
  EXPECT_EQ(box->Data->SkinManager(), nullptr);
  EXPECT_EQ(box->Data->GetSkinManager(), first.get());
  EXPECT_EQ(box->Data->SkinIndex, -1);
  box->Data->UpdateIndexes(true);
  EXPECT_EQ(box->Data->SkinIndex, first->GetSectionIndex(L"EDIT"));
  TacSkinData* cached = box->Data->GetScaledSkinData();
  ASSERT_NE(cached, nullptr);

  // The default going away: no manager, no skin tables of the one that went.
  first.reset();
  EXPECT_EQ(box->Data->GetSkinManager(), nullptr);
  EXPECT_EQ(box->Data->GetScaledSkinData(), nullptr);
  EXPECT_FALSE(box->Data->IsSkinned());

  // A manager without a skin removes it from the control.
  auto empty = MakeManager(false);
  box->Seen.clear();
  box->Data->SetSkinManager(nullptr);
  box->Data->SetSkinManager(empty.get());
  EXPECT_EQ(box->Data->SkinIndex, -1);
  EXPECT_EQ(box->Count(AC_SKINREMOVED), 1);
}

TEST_F(CommonDataTest, WindowPropertyFindsTheStateAndGoesWithIt) {
  auto* box = MakeBox();
  const HWND wnd = box->Handle();
  EXPECT_EQ(GetWndCommonData(wnd), box->Data.get());
  EXPECT_TRUE(IsWindowSkinned(wnd));
  EXPECT_TRUE(IsControlSkinned(box));
  EXPECT_FALSE(IsControlSkinned(box, true));  // no manager: its skin is not loaded

  // A command sent to the window reaches the control's own window procedure
  // directly.
  box->Seen.clear();
  EXPECT_EQ(SendWndCommand(wnd, AC_GETCOMMONDATA, 0), reinterpret_cast<LRESULT>(box->Data.get()));
  EXPECT_EQ(box->Count(AC_GETCOMMONDATA), 1);

  // Removed when the control dies, though it no longer gives its handle.
  HANDLE left = reinterpret_cast<HANDLE>(1);
  box->PropAtDeath = &left;
  delete box;
  EXPECT_EQ(left, nullptr);
  EXPECT_EQ(GetWndCommonData(wnd), nullptr);

  // A foreign window: marked once the state knows it, unmarked when it goes.
  HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(foreign, nullptr);
  {
    TsCommonData d(nullptr, false);
    d.Wnd = foreign;
    d.AttachWindow();
    EXPECT_EQ(GetWndCommonData(foreign), &d);
  }
  EXPECT_EQ(GetPropW(foreign, L"ACSDATA"), nullptr);
  DestroyWindow(foreign);
}

TEST_F(CommonDataTest, UpdateBracketTellsTheOwnerAtTheOuterEndsOnly) {
  auto* box = MakeBox();
  TsCommonData& d = *box->Data;
  box->Seen.clear();
  d.BeginUpdate();
  d.BeginUpdate();
  EXPECT_EQ(d.UpdateCount, 2);
  EXPECT_TRUE(d.Updating);
  EXPECT_EQ(box->Count(AC_BEGINUPDATE), 2);
  d.EndUpdate();
  EXPECT_EQ(d.UpdateCount, 1);
  EXPECT_EQ(box->Count(AC_ENDUPDATE), 0);
  d.EndUpdate();
  EXPECT_EQ(d.UpdateCount, 0);
  EXPECT_FALSE(d.Updating);
  EXPECT_EQ(d.StateBits & acsInUpdate, 0u);
  EXPECT_EQ(box->Count(AC_ENDUPDATE), 1);
  // An end without a beginning changes nothing and tells nobody.
  d.EndUpdate();
  EXPECT_EQ(d.UpdateCount, 0);
  EXPECT_EQ(box->Count(AC_ENDUPDATE), 1);
}

TEST_F(CommonDataTest, HotWindowTrackingReadsMouseAboveFromTheState) {
  auto* box = MakeBox();
  ASSERT_NE(CommonDataMouseAbove, nullptr);
  EXPECT_FALSE(SkinStateSaysMouseAbove(box));
  box->Data->MouseAbove = true;
  EXPECT_TRUE(SkinStateSaysMouseAbove(box));
}

}  // namespace
