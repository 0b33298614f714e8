// The pop-up keyboard types into the focused edit without taking the focus:
// latched modifiers, auto-repeat, the pop-up's placement.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "keyboard/KbPopupTouchKeyBoard.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

int KeyIndex(TKbTouchKeyboard* kb, const String& caption) {
  for (int i = 0; i < kb->Keys().Count(); ++i)
    if (kb->Keys().Items(i)->Caption() == caption) return i;
  return -1;
}

class Typing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(100, 100, 400, 200);
    edit = new TEdit(form);
    edit->SetBounds(10, 10, 200, 24);
    edit->SetParent(form);
    other = new TEdit(form);
    other->SetBounds(10, 50, 200, 24);
    other->SetParent(form);
    popup = new TKbPopupTouchKeyBoard(form);
    form->FinishCreate();
    form->Show();
    edit->SetFocus();
    PumpFor(50);
    popup->ShowKeyboardAt(300, 320);
    PumpFor(50);
    kb = popup->Keyboard();
    ASSERT_TRUE(kb);
  }
  void TearDown() override {
    delete form;
    PumpFor(20);
  }
  void Tap(const String& caption) {
    const int i = KeyIndex(kb, caption);
    ASSERT_GE(i, 0) << StringToUtf8(caption);
    kb->PressKey(i);
    kb->ReleaseKey(i);
    PumpFor(10);
  }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TEdit* other = nullptr;
  TKbPopupTouchKeyBoard* popup = nullptr;
  TKbTouchKeyboard* kb = nullptr;
};

}  // namespace

TEST_F(Typing, ARealClickOnAKeyTypesIntoTheFocusedEditAndLeavesItFocused) {
  TKbTouchKey* q = kb->Keys().Items(KeyIndex(kb, L"Q"))->Key();
  const POINT p = q->ClientToScreen(POINT{q->Width() / 2, q->Height() / 2});
  SetCursorPos(p.x, p.y);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  PumpFor(200);
  EXPECT_EQ(edit->Text(), L"q");
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  EXPECT_TRUE(popup->ToolForm()->Showing());
}

TEST_F(Typing, LatchedShiftLastsForOneCharacter) {
  Tap(L"Shift");
  EXPECT_EQ(kb->ShiftState() & ssShift, unsigned(ssShift));
  Tap(L"A");
  Tap(L"B");
  Tap(L"1");
  EXPECT_EQ(edit->Text(), L"Ab1");
  EXPECT_EQ(kb->ShiftState() & ssShift, 0u);
  // Both Shift keys are drawn up again.
  for (int i = 0; i < kb->Keys().Count(); ++i) {
    if (kb->Keys().Items(i)->SpecialKey() == TSpecialKey::skShift) {
      EXPECT_TRUE(kb->Keys().Items(i)->Key()->ShownUp());
    }
  }
}

TEST_F(Typing, ShiftTwiceIsOffAgain) {
  Tap(L"Shift");
  Tap(L"Shift");
  EXPECT_EQ(kb->ShiftState() & ssShift, 0u);
  Tap(L"2");
  EXPECT_EQ(edit->Text(), L"2");
}

TEST_F(Typing, ShiftedSymbolsAndBackspace) {
  Tap(L"Shift");
  Tap(L"2");
  Tap(L"7");
  Tap(L"Back");
  Tap(L"=");
  PumpFor(100);
  EXPECT_EQ(edit->Text(), L"@=");
}

TEST_F(Typing, HoldingAKeyRepeatsUntilTheFocusMoves) {
  const int w = KeyIndex(kb, L"W");
  kb->PressKey(w);
  PumpFor(900);
  kb->ReleaseKey(w);
  EXPECT_EQ(edit->Text(), L"www");  // at 600 and 800 ms, and at the release
  EXPECT_FALSE(kb->RepeatTimer()->Enabled());

  edit->SetText(L"");
  kb->PressKey(w);
  PumpFor(100);
  other->SetFocus();
  PumpFor(800);
  EXPECT_EQ(edit->Text(), L"");
  EXPECT_FALSE(kb->RepeatTimer()->Enabled());
  kb->ReleaseKey(w);
  EXPECT_EQ(other->Text(), L"w");
}

TEST_F(Typing, TabMovesTheFocusOutOfASingleLineEdit) {
  Tap(L"->");
  PumpFor(100);
  EXPECT_EQ(edit->Text(), L"");
}

TEST_F(Typing, KeyEventsCarryTheKeyAndClicksTheIndex) {
  WORD lastKey = 0;
  int clicked = -1;
  kb->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { lastKey = k; };
  kb->OnKeyClick = [&](TObject*, int i) { clicked = i; };
  Tap(L"Back");
  EXPECT_EQ(lastKey, 8);
  EXPECT_EQ(clicked, KeyIndex(kb, L"Back"));
}

TEST_F(Typing, ShowingAtTheSamePointTwiceDoesNothingAndHideForgetsIt) {
  TKeyboardToolForm* first = popup->ToolForm();
  EXPECT_EQ(first->Left(), 300);
  EXPECT_EQ(first->Top(), 320);
  EXPECT_EQ(first->Width(), 2 * GetSystemMetrics(SM_CXDLGFRAME) + 600);
  first->SetVisible(false);
  popup->ShowKeyboardAt(300, 320);
  EXPECT_FALSE(first->Showing());  // same point: nothing happened
  popup->HideKeyboard();
  EXPECT_EQ(popup->ToolForm(), nullptr);
  EXPECT_EQ(popup->LastPosition().x, -1);
  popup->ShowKeyboardAt(300, 320);
  ASSERT_TRUE(popup->ToolForm());
  EXPECT_TRUE(popup->ToolForm()->Showing());
}

TEST_F(Typing, KeyDistanceGrowsThePopUp) {
  const int plain = popup->ToolForm()->Width();
  popup->HideKeyboard();
  popup->OnKeyboardCreated = [&](TObject*) { popup->Keyboard()->SetKeyDistance(4); };
  popup->ShowKeyboardAt(10, 10);
  EXPECT_EQ(popup->ToolForm()->Width(), plain + 4);
}

TEST(FollowFocus, StaysOnTheMonitorOfTheFocusedControl) {
  struct Case {
    RECT focused, work;
    POINT expected;
  };
  const SIZE tool{620, 240};
  const Case cases[] = {
      {{100, 100, 300, 124}, {0, 0, 1280, 1000}, {150, 124}},
      {{1100, 100, 1270, 124}, {0, 0, 1280, 1000}, {650, 124}},  // would pass the right edge
      {{100, 900, 300, 924}, {0, 0, 1280, 1000}, {150, 660}},    // would pass the bottom
      // A second monitor to the right: screen coordinates as they are.
      {{1400, 100, 1600, 124}, {1280, 0, 2560, 1024}, {1450, 124}},
      {{2300, 900, 2500, 924}, {1280, 0, 2560, 1024}, {1880, 660}},
      {{10, 10, 100, 30}, {0, 0, 500, 200}, {0, 0}},  // never above or left of 0
  };
  for (const auto& c : cases) {
    const POINT p = TKbPopupTouchKeyBoard::FollowPosition(c.focused, c.work, tool);
    EXPECT_EQ(p.x, c.expected.x) << c.focused.left;
    EXPECT_EQ(p.y, c.expected.y) << c.focused.left;
  }
}
