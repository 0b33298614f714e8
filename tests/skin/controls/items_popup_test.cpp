// The combo's drop-down list under "Night (internal)": the panel, scroll box
// and rows are skinned controls that paint the items from the skin, and the
// combo's arrow turns while the list grows in.
#include "skin/controls/ItemsPopupForm.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "skin/controls/CustomCombo.h"
#include "skin/effects/PopupController.h"
#include "skin/forms/SkinColors.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinGlobals.h"
#include "tests/skin/controls/combo_fixture.h"
#include "tests/support/wait_until.h"

namespace {

uint32_t Pixel(TBitmap& Bmp, int X, int Y) { return ComboPixel(Bmp, X, Y); }

class ItemsPopupTest : public ComboFixture {
 protected:
  void SetUp() override {
    // The pointer stays off the list: a row under it would turn hot.
    SetCursorPos(0, 0);
    TComboSetUp S;
    S.Form = RECT{200, 200, 500, 400};
    SetUpCombo(S);
  }
  TacItemsPopupForm* Open() {
    if (!Combo->PopupForm()) Combo->DropDown();
    TacItemsPopupForm* form = Combo->PopupForm();
    EXPECT_TRUE(form && WaitUntil([&] { return IsWindowVisible(form->Handle()); }));
    return form;
  }
  // Once the row's cache is painted: beside its text a plain row has the
  // skin's edit colour, a selected one the selection's.
  bool RowShowsSelected(TacPopupBtn* Row, bool Selected) {
    const uint32_t edit = Manager->Palette()[pcEditBG] & 0xFFFFFF;
    return WaitUntil([&] {
      TBitmap* cache = Row->SkinData()->CacheBmp.get();
      return cache && cache->Width() == Row->Width() && !Row->SkinData()->BGChanged &&
             (Pixel(*cache, Row->Width() - 3, Row->Height() / 2) != edit) == Selected;
    });
  }
  int Section(const wchar_t* Name) { return Manager->GetSectionIndex(Name); }
};

TEST_F(ItemsPopupTest, TheListsPartsAreSkinnedWithTheirSections) {
  TacItemsPopupForm* form = Open();
  ASSERT_TRUE(form);
  struct Case {
    const char* Name;
    TsCommonData* Data;
    const wchar_t* Section;
  } cases[] = {{"panel", form->Panel()->SkinData(), L"EDIT"},
               {"scroll box", form->ScrollBox()->SkinData(), L"TRANSPARENT"},
               {"row", form->Row(9)->SkinData(), L"TRANSPARENT"}};
  for (const Case& c : cases) {
    EXPECT_TRUE(c.Data->IsSkinned()) << c.Name;
    EXPECT_EQ(c.Data->SkinIndex, Section(c.Section)) << c.Name;
  }
  // The rows stack from the top, one item high, as wide as the box.
  for (int i = 0; i < form->RowCount(); ++i) {
    EXPECT_EQ(form->Row(i)->Top(), i * 15) << i;
    EXPECT_EQ(form->Row(i)->Width(), form->ScrollBox()->ClientWidth()) << i;
  }
  // The frame: one pixel of the skin's window-frame colour all round.
  TacPopupPanel* panel = form->Panel();
  ASSERT_TRUE(WaitUntil([&] { return panel->SkinData()->CacheBmp && !panel->SkinData()->BGChanged; }));
  TBitmap& cache = *panel->SkinData()->CacheBmp;
  const uint32_t frame = SkinColorToRGB(clSystemColor | COLOR_WINDOWFRAME, Manager.get());
  const int w = cache.Width(), h = cache.Height();
  for (POINT p : {POINT{0, 0}, POINT{w - 1, h / 2}, POINT{w / 2, h - 1}, POINT{0, h - 1}})
    EXPECT_EQ(Pixel(cache, p.x, p.y), frame) << p.x << "," << p.y;
}

TEST_F(ItemsPopupTest, TheHighlightFollowsTheKeysAndGivesWayToTheHoveredRow) {
  Combo->SetItemIndex(1);
  TacItemsPopupForm* form = Open();
  ASSERT_TRUE(form);
  EXPECT_TRUE(RowShowsSelected(form->Row(1), true));
  EXPECT_TRUE(RowShowsSelected(form->Row(2), false));
  SendMessageW(Combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form->SelectedIndex(), 2);
  EXPECT_TRUE(RowShowsSelected(form->Row(2), true)) << "the row the key moved to";
  EXPECT_TRUE(RowShowsSelected(form->Row(1), false)) << "the row the key left";

  TacPopupBtn* hovered = form->Row(5);
  hovered->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_TRUE(RowShowsSelected(hovered, true));
  EXPECT_TRUE(RowShowsSelected(form->Row(2), false)) << "pointer and keyboard never show two rows";
  EXPECT_EQ(hovered->SkinData()->SkinIndex, Section(L"SELECTION"));
  hovered->Perform(CM_MOUSELEAVE, 0, LPARAM(hovered));
  EXPECT_TRUE(RowShowsSelected(hovered, false));
  EXPECT_EQ(hovered->SkinData()->SkinIndex, Section(L"TRANSPARENT"));
}

TEST_F(ItemsPopupTest, TheArrowTurnsWhileTheListOpensAndStraightensWhenItCloses) {
  struct Case {
    bool Rotate;
    int OpenAngle;
  } cases[] = {{true, 180}, {false, 0}};
  for (const Case& c : cases) {
    Manager->Options().SetRotateArrows(c.Rotate);
    Combo->DropDown();
    ASSERT_TRUE(Combo->PopupForm()) << c.Rotate;
    EXPECT_EQ(Combo->ArrowAngle(), c.OpenAngle) << c.Rotate;
    Combo->DropDown();
    ASSERT_TRUE(WaitUntil([&] { return !Combo->DroppedDown(); })) << c.Rotate;
    EXPECT_EQ(Combo->ArrowAngle(), 0) << c.Rotate;
  }
}

}  // namespace
