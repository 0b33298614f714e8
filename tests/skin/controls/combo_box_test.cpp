// The skinned combo box on a form: keys, type-ahead, the drop-down and its
// events, and the pop-up list that never takes the activation.
#include "skin/controls/CustomCombo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "skin/controls/ComboSimpleBox.h"
#include "skin/controls/ItemsPopupForm.h"
#include "skin/effects/PopupController.h"
#include "tests/skin/controls/combo_fixture.h"
#include "tests/support/wait_until.h"

namespace {

class ComboBoxTest : public ComboFixture {
 protected:
  void SetUp() override {
    TComboSetUp S;
    S.Skinned = false;
    S.Form = RECT{100, 100, 500, 400};
    S.Combo = RECT{20, 20, 170, 41};
    MakeCombo(S);
    Combo->OnClick = [this](TObject*) { Log.push_back("click"); };
    Combo->OnChange = [this](TObject*) { Log.push_back("change"); };
    Combo->OnDropDown = [this](TObject*) { Log.push_back("dropdown"); };
    Combo->OnCloseUp = [this](TObject*) { Log.push_back("closeup"); };
    ShowCombo(true);
  }

 public:
  void Key(WORD key) { SendMessageW(Combo->Handle(), WM_KEYDOWN, key, 0); }
  // Alt held in this thread's key state, as the key handler reads it.
  void AltDown() {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    const BYTE saved = keys[VK_MENU];
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(Combo->Handle(), WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    keys[VK_MENU] = saved;
    SetKeyboardState(keys);
  }
  void Char(wchar_t ch) { SendMessageW(Combo->Handle(), WM_CHAR, ch, 0); }
  void Type(const wchar_t* text) {
    for (; *text; ++text) Char(*text);
  }
  bool PopupShown() {
    TacItemsPopupForm* f = Combo->PopupForm();
    return f && f->HandleAllocated() && IsWindowVisible(f->Handle());
  }
  void Open() {
    if (!Combo->PopupForm()) AltDown();
    ASSERT_TRUE(PopupShown());
  }

  std::vector<std::string> Log;
};

TEST_F(ComboBoxTest, KeysMoveTheItemAndOpenAndCloseTheList) {
  using Events = std::vector<std::string>;
  struct Case {
    const char* Name;
    TComboBoxStyle Style;
    int Start;
    bool Open;
    std::function<void(ComboBoxTest&)> Press;
    int Index;
    bool DroppedAfter;
    Events Fired;
  } cases[] = {
      {"down",
       TComboBoxStyle::csDropDown,
       2,
       false,
       [](ComboBoxTest& t) { t.Key(VK_DOWN); },
       3,
       false,
       {"click", "change"}},
      {"down on the last item",
       TComboBoxStyle::csDropDown,
       9,
       false,
       [](ComboBoxTest& t) { t.Key(VK_DOWN); },
       9,
       false,
       {}},
      {"up on item 0", TComboBoxStyle::csDropDown, 0, false, [](ComboBoxTest& t) { t.Key(VK_UP); }, 0, false, {}},
      {"up with no item",
       TComboBoxStyle::csDropDown,
       -1,
       false,
       [](ComboBoxTest& t) { t.Key(VK_UP); },
       0,
       false,
       {"click", "change"}},
      {"page down from none",
       TComboBoxStyle::csDropDown,
       -1,
       false,
       [](ComboBoxTest& t) { t.Key(VK_NEXT); },
       9,
       false,
       {"click", "change"}},
      {"page up",
       TComboBoxStyle::csDropDown,
       8,
       false,
       [](ComboBoxTest& t) { t.Key(VK_PRIOR); },
       0,
       false,
       {"click", "change"}},
      {"home in a list",
       TComboBoxStyle::csDropDownList,
       5,
       false,
       [](ComboBoxTest& t) { t.Key(VK_HOME); },
       0,
       false,
       {"click", "change"}},
      {"end in a list",
       TComboBoxStyle::csDropDownList,
       5,
       false,
       [](ComboBoxTest& t) { t.Key(VK_END); },
       9,
       false,
       {"click", "change"}},
      {"home in the edit moves the caret",
       TComboBoxStyle::csDropDown,
       5,
       false,
       [](ComboBoxTest& t) { t.Key(VK_HOME); },
       5,
       false,
       {}},
      {"F4 does not open", TComboBoxStyle::csDropDown, 1, false, [](ComboBoxTest& t) { t.Key(VK_F4); }, 1, false, {}},
      {"alt+down opens",
       TComboBoxStyle::csDropDown,
       1,
       false,
       [](ComboBoxTest& t) { t.AltDown(); },
       1,
       true,
       {"dropdown"}},
      {"alt+down closes the open list",
       TComboBoxStyle::csDropDown,
       1,
       true,
       [](ComboBoxTest& t) { t.AltDown(); },
       1,
       false,
       {"closeup"}},
      {"down in the open list",
       TComboBoxStyle::csDropDown,
       1,
       true,
       [](ComboBoxTest& t) { t.Key(VK_DOWN); },
       2,
       true,
       {"click", "change"}},
      {"enter closes",
       TComboBoxStyle::csDropDown,
       1,
       true,
       [](ComboBoxTest& t) { t.Key(VK_RETURN); },
       1,
       false,
       {"closeup"}},
      {"escape closes",
       TComboBoxStyle::csDropDownList,
       4,
       true,
       [](ComboBoxTest& t) { t.Char(VK_ESCAPE); },
       4,
       false,
       {"closeup"}},
  };
  for (const Case& c : cases) {
    Combo->SetStyle(c.Style);
    Combo->SetItemIndex(c.Start);
    if (c.Open) Open();
    Log.clear();
    c.Press(*this);
    EXPECT_EQ(Combo->ItemIndex(), c.Index) << c.Name;
    EXPECT_EQ(Combo->DroppedDown(), c.DroppedAfter) << c.Name;
    EXPECT_EQ(PopupShown(), c.DroppedAfter) << c.Name;
    if (c.DroppedAfter) EXPECT_EQ(Combo->PopupForm()->SelectedIndex(), c.Index) << c.Name;
    EXPECT_EQ(Log, c.Fired) << c.Name;
    if (Combo->PopupForm()) Combo->Perform(CB_SHOWDROPDOWN, 0, 0);
    Application->ProcessMessages();
  }
}

TEST_F(ComboBoxTest, ReadOnlyIgnoresItemKeysButNotOtherDigits) {
  Combo->SetItemIndex(3);
  Combo->SetReadOnly(true);
  for (WORD k : {WORD(VK_DOWN), WORD(VK_UP), WORD(VK_SPACE), WORD(VK_F4), WORD('A'), WORD('9')}) Key(k);
  AltDown();
  EXPECT_EQ(Combo->ItemIndex(), 3);
  EXPECT_FALSE(Combo->DroppedDown());
  EXPECT_TRUE(Log.empty());
}

TEST_F(ComboBoxTest, TypingCompletesTheItemInTheEditableStyle) {
  Combo->SetText(L"");
  Type(L"com-1");
  EXPECT_EQ(Combo->ItemIndex(), 0);
  EXPECT_EQ(Combo->Text(), L"COM-1");
  DWORD from = 0, to = 0;
  SendMessageW(Combo->Handle(), EM_GETSEL, WPARAM(&from), LPARAM(&to));
  EXPECT_EQ(from, 5u);
  EXPECT_EQ(to, 5u) << "the text equals the item: nothing is left to select";
  Type(L"0");
  EXPECT_EQ(Combo->Text(), L"COM-10");
  EXPECT_EQ(Combo->ItemIndex(), 9);
}

TEST_F(ComboBoxTest, TypeAheadInAListRestartsAfterItsDelay) {
  DWORD now = 1000;
  Combo->TypeAhead().SetClock([&] { return now; });
  Combo->SetStyle(TComboBoxStyle::csDropDownList);
  Type(L"com-2");
  EXPECT_EQ(Combo->ItemIndex(), 1);
  // "c" picked COM-1, "com-2" COM-2: each a choice the program hears of.
  EXPECT_EQ(Log, (std::vector<std::string>{"click", "change", "click", "change"}));
  Type(L"x");
  EXPECT_EQ(Combo->ItemIndex(), 1) << "no match keeps the item";
  now += Combo->AutoCompleteDelay() + 1;
  Type(L"c");
  EXPECT_EQ(Combo->ItemIndex(), 0) << "after the pause the search starts anew";
  now += 10;
  Type(L"om-10");
  EXPECT_EQ(Combo->ItemIndex(), 9);
}

TEST_F(ComboBoxTest, APickRaisesClickChangeThenCloseUpWithTheListAlreadyHidden) {
  bool hiddenAtChange = false;
  Combo->OnChange = [&](TObject*) {
    Log.push_back("change");
    hiddenAtChange = !PopupShown();
  };
  Combo->SetItemIndex(0);
  Open();
  TacItemsPopupForm* form = Combo->PopupForm();
  ASSERT_EQ(form->RowCount(), 10);
  TacPopupBtn* row = form->Row(2);
  row->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  row->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(Combo->ItemIndex(), 2);
  EXPECT_EQ(Combo->Text(), L"COM-3");
  EXPECT_TRUE(hiddenAtChange);
  EXPECT_TRUE(Application->ShowHint()) << "the row's press gives the hints back";
  ASSERT_TRUE(WaitUntil([&] { return !Combo->DroppedDown() && !Combo->PopupForm(); }));
  EXPECT_EQ(Log, (std::vector<std::string>{"dropdown", "click", "change", "closeup"}));
}

TEST_F(ComboBoxTest, ThePopupNeverTakesTheActivationOrTheFocus) {
  Open();
  TacItemsPopupForm* form = Combo->PopupForm();
  EXPECT_EQ(GetForegroundWindow(), Main->Handle());
  EXPECT_EQ(GetFocus(), Combo->Handle());
  EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_NOACTIVATE);
  EXPECT_EQ(
      SendMessageW(form->Handle(), WM_MOUSEACTIVATE, WPARAM(Main->Handle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
      MA_NOACTIVATE);
  EXPECT_FALSE(form->ScrollBox()->CanFocus());
  // Under the combo, as wide as it.
  RECT combo{}, popup{};
  GetWindowRect(Combo->Handle(), &combo);
  GetWindowRect(form->Handle(), &popup);
  EXPECT_EQ(popup.left, combo.left);
  EXPECT_EQ(popup.top, combo.bottom);
  EXPECT_EQ(popup.right - popup.left, combo.right - combo.left);
}

TEST_F(ComboBoxTest, ListHeightFollowsItemsAndDropDownCount) {
  struct Case {
    int Items, DropDownCount, Height, Range;
  } cases[] = {{10, 16, 152, 150}, {0, 16, 17, 0}, {10, 4, 62, 150}};
  for (const Case& c : cases) {
    Combo->Items().Clear();
    for (int i = 0; i < c.Items; ++i) Combo->Items().Add(L"COM-" + std::to_wstring(i + 1));
    Combo->SetDropDownCount(c.DropDownCount);
    Open();
    TacItemsPopupForm* form = Combo->PopupForm();
    EXPECT_EQ(form->Height(), c.Height) << c.Items << "/" << c.DropDownCount;
    EXPECT_EQ(form->ScrollBox()->Range(), c.Range) << c.Items << "/" << c.DropDownCount;
    EXPECT_EQ(form->RowCount(), c.Items);
    Combo->Perform(CB_SHOWDROPDOWN, 0, 0);
    EXPECT_EQ(Combo->PopupForm(), nullptr);
  }
}

TEST_F(ComboBoxTest, TheSelectedRowScrollsIntoViewAndHoverTakesTheHighlight) {
  Combo->SetDropDownCount(4);
  Combo->SetItemIndex(8);
  Open();
  TacItemsPopupForm* form = Combo->PopupForm();
  EXPECT_EQ(form->SelectedIndex(), 8);
  TacPopupBtn* row = form->Row(8);
  EXPECT_GE(row->Top(), 0);
  EXPECT_LE(row->Top() + row->Height(), form->ScrollBox()->ClientHeight());
  TacPopupBtn* other = form->Row(7);
  other->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(form->SelectedIndex(), -1) << "pointer and keyboard never show two rows";
  EXPECT_TRUE(other->Hot());
}

TEST_F(ComboBoxTest, WithoutASkinTheRowsPaintTheSystemsListColours) {
  Combo->SetItemIndex(1);
  Open();
  TacItemsPopupForm* form = Combo->PopupForm();
  // Beside the text, once the row's picture is painted.
  auto shows = [](TacPopupBtn* row, int sysColor) {
    return WaitUntil([&] {
      TBitmap* cache = row->SkinData()->CacheBmp.get();
      if (!cache || cache->Width() != row->Width() || cache->Height() != row->Height()) return false;
      GdiFlush();
      const auto* px = static_cast<const uint8_t*>(cache->ScanLine(row->Height() / 2)) + (row->Width() - 3) * 4;
      return RGB(px[2], px[1], px[0]) == GetSysColor(sysColor);
    });
  };
  EXPECT_TRUE(shows(form->Row(1), COLOR_HIGHLIGHT));
  EXPECT_TRUE(shows(form->Row(2), COLOR_WINDOW));
  Key(VK_DOWN);
  EXPECT_TRUE(shows(form->Row(2), COLOR_HIGHLIGHT));
  EXPECT_TRUE(shows(form->Row(1), COLOR_WINDOW));
}

TEST_F(ComboBoxTest, ItemsChangedWhileOpenRebuildTheRows) {
  Open();
  Combo->Items().Add(L"COM-11");
  TacItemsPopupForm* form = Combo->PopupForm();
  EXPECT_EQ(form->RowCount(), 11);
  EXPECT_EQ(form->Height(), 11 * 15 + 2);
}

TEST_F(ComboBoxTest, CodeChangesRaiseNoSelectionEvents) {
  Combo->SetItemIndex(4);
  EXPECT_EQ(Combo->Text(), L"COM-5");
  EXPECT_TRUE(Log.empty());
  // Text that no longer matches forgets the item, with OnChange only.
  Combo->SetText(L"COM-5x");
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Log, (std::vector<std::string>{"change"}));
  Log.clear();
  Combo->SetItemIndex(2);
  Combo->Items().Clear();
  EXPECT_EQ(Combo->ItemIndex(), -1);
  Combo->Items().Add(L"COM-1");
  Combo->SetItemIndex(0);
  Log.clear();
  Combo->Clear();
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Items().Count(), 0);
  EXPECT_EQ(Combo->Text(), L"");
}

TEST_F(ComboBoxTest, TheWheelMovesTheItemUnlessNotAllowed) {
  Combo->SetItemIndex(3);
  SendMessageW(Combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(Combo->ItemIndex(), 4);
  Combo->SetAllowMouseWheel(false);
  SendMessageW(Combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(Combo->ItemIndex(), 4);
}

TEST_F(ComboBoxTest, DroppedInPlaceTheFirstRowLiesOverTheEdit) {
  Combo->SetDropInplace(true);
  Combo->SetItemIndex(0);
  Open();
  RECT combo{}, popup{};
  GetWindowRect(Combo->Handle(), &combo);
  GetWindowRect(Combo->PopupForm()->Handle(), &popup);
  // Row 0 (1 pixel below the frame) lies across the edit.
  EXPECT_LE(popup.top + 1, combo.bottom);
  EXPECT_GE(popup.top + 1 + 15, combo.top);
  EXPECT_EQ(Combo->PopupForm()->ScrollBox()->Position(), 0);
}

TEST_F(ComboBoxTest, APickOnAnEmptyComboBringsTheLabelOutOfTheHint) {
  struct Case {
    const char* Name;
    bool LabelFromTextHint;
    int Start;
    bool Active;
  } cases[] = {
      {"empty, with the label from the hint", true, -1, true},
      {"an item was shown already", true, 3, false},
      {"without the label from the hint", false, -1, false},
  };
  for (const Case& c : cases) {
    Combo->BoundLabel()->SetActive(false);
    Combo->SetTextHint(L"Port");
    Combo->SetItemIndex(c.Start);
    Combo->SetLabelFromTextHint(c.LabelFromTextHint);
    ASSERT_FALSE(Combo->BoundLabel()->Active()) << c.Name;
    Open();
    TacPopupBtn* row = Combo->PopupForm()->Row(5);
    row->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    row->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(WaitUntil([&] { return !Combo->PopupForm(); })) << c.Name;
    EXPECT_EQ(Combo->ItemIndex(), 5) << c.Name;
    EXPECT_EQ(Combo->BoundLabel()->Active(), c.Active) << c.Name;
    EXPECT_EQ(Combo->ArrowAngle(), 0) << c.Name;
  }
}

class SimpleComboTest : public ComboBoxTest {
 protected:
  void SetUp() override {
    ComboBoxTest::SetUp();
    Combo->SetStyle(TComboBoxStyle::csSimple);
    Combo->SetBounds(20, 20, 150, 120);
    Combo->SetItemIndex(2);
    Box = Combo->SimpleBox();
    ASSERT_NE(Box, nullptr);
    ASSERT_TRUE(Box->HandleAllocated());
    Log.clear();
  }
  // The list's rectangle on its parent, as the system has it.
  RECT BoxRect() {
    RECT r{};
    GetWindowRect(Box->Handle(), &r);
    MapWindowPoints(nullptr, Main->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  TacSimpleBox* Box = nullptr;
};

TEST_F(SimpleComboTest, TheListLiesUnderTheEditWithTheItemsAndFollowsTheCombo) {
  const int edit = ComboEditHeight(Combo->Font());
  EXPECT_EQ(Box->Parent(), Main);
  EXPECT_TRUE(IsWindowVisible(Box->Handle()));
  RECT r = BoxRect();
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 20 + edit);
  EXPECT_EQ(r.right, 170);
  EXPECT_EQ(r.bottom, 140);
  // Above the combo, whose window reaches under it.
  bool above = false;
  for (HWND w = GetWindow(Box->Handle(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) above |= w == Combo->Handle();
  EXPECT_TRUE(above);
  ASSERT_EQ(SendMessageW(Box->Handle(), LB_GETCOUNT, 0, 0), 10);
  EXPECT_EQ(Box->GetItemText(9), L"COM-10");
  EXPECT_EQ(SendMessageW(Box->Handle(), LB_GETCURSEL, 0, 0), 2);

  Combo->SetBounds(40, 30, 120, 100);
  r = BoxRect();
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30 + edit);
  EXPECT_EQ(r.right, 160);
  EXPECT_EQ(r.bottom, 130);
  Combo->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Box->Handle()));
  Combo->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(Box->Handle()));
  Combo->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(Box->Handle()));
  Combo->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(Box->Handle()));

  Combo->Items().Add(L"COM-11");
  EXPECT_EQ(SendMessageW(Box->Handle(), LB_GETCOUNT, 0, 0), 11);
  // Alt+Down opens nothing: the list is always there.
  AltDown();
  EXPECT_EQ(Combo->PopupForm(), nullptr);
  EXPECT_FALSE(Combo->DroppedDown());

  Combo->SetStyle(TComboBoxStyle::csDropDown);
  EXPECT_EQ(Combo->SimpleBox(), nullptr);
  Open();
}

TEST_F(SimpleComboTest, KeysInTheEditMoveTheListsSelectionAndTheText) {
  struct Case {
    WORD Key;
    int Index;
  } cases[] = {{VK_DOWN, 3}, {VK_DOWN, 4}, {VK_UP, 3}, {VK_NEXT, 9}, {VK_PRIOR, 0}};
  for (const Case& c : cases) {
    Log.clear();
    Key(c.Key);
    EXPECT_EQ(Combo->ItemIndex(), c.Index) << c.Key;
    EXPECT_EQ(Combo->Text(), L"COM-" + std::to_wstring(c.Index + 1)) << c.Key;
    EXPECT_EQ(SendMessageW(Box->Handle(), LB_GETCURSEL, 0, 0), c.Index) << c.Key;
    EXPECT_EQ(Log, (std::vector<std::string>{"click", "change"})) << c.Key;
  }
  // Typed text that leaves the items leaves the list without a selection.
  Combo->SetText(L"COM-");
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(SendMessageW(Box->Handle(), LB_GETCURSEL, 0, 0), -1);
}

TEST_F(SimpleComboTest, AClickInTheListPicksTheItemAndLeavesTheFocusInTheEdit) {
  RECT item{};
  SendMessageW(Box->Handle(), LB_GETITEMRECT, 5, LPARAM(&item));
  const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  SendMessageW(Box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(Box->Handle(), WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(WaitUntil([&] { return Combo->ItemIndex() == 5; }));
  EXPECT_EQ(Combo->Text(), L"COM-6");
  EXPECT_EQ(GetFocus(), Combo->Handle());
}

}  // namespace
