// The framework check box: its click tells of the change before OnClick,
// its toggle cycle, the caption side and the size it takes.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CheckBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = new TForm(Application, CreateNew);
    form->SetBounds(0, 0, 300, 200);
    box = new TCheckBox(form);
    box->SetBounds(8, 8, 120, 24);
    box->SetParent(form);
    box->SetCaption(L"Option");
    form->Show();
  }
  void TearDown() override { delete form; }

  TForm* form = nullptr;
  TCheckBox* box = nullptr;
};

TEST_F(CheckBox, ChangedComesBeforeOnClickForCodeAndUser) {
  std::string log;
  TWndMethod inherited = box->WindowProc;
  box->WindowProc = [&, inherited](TMessage& m) {
    if (m.Msg == CM_CHANGED) log += "changed ";
    inherited(m);
  };
  box->OnClick = [&](TObject*) { log += "click "; };
  box->SetChecked(true);
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log, "changed click changed click ");
  EXPECT_FALSE(box->Checked());
  box->WindowProc = inherited;
}

TEST_F(CheckBox, UsersClickCyclesThroughGrayedOnlyWhenAllowed) {
  struct Case {
    bool AllowGrayed;
    TCheckBoxState Expected[3];
  };
  const Case cases[] = {
      {false, {TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked}},
      {true, {TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked}},
  };
  for (const Case& c : cases) {
    box->SetState(TCheckBoxState::cbUnchecked);
    box->SetAllowGrayed(c.AllowGrayed);
    for (TCheckBoxState expected : c.Expected) {
      SendMessageW(box->Handle(), BM_CLICK, 0, 0);
      EXPECT_EQ(box->State(), expected) << "grayed allowed " << c.AllowGrayed;
      EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), LRESULT(expected));
    }
  }
}

TEST_F(CheckBox, AlignmentPutsTheBoxOnTheOtherSideAndKeepsTheState) {
  box->SetChecked(true);
  EXPECT_FALSE(GetWindowLongW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  box->SetAlignment(TLeftRight::taLeftJustify);
  EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  // Right to left reading swaps the sides back.
  box->SetBiDiMode(TBiDiMode::bdRightToLeft);
  box->RecreateWnd();
  EXPECT_FALSE(GetWindowLongW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
}

TEST_F(CheckBox, AutoSizeFollowsTheCaption) {
  box->SetAutoSize(true);
  const int shortWidth = box->Width();
  box->SetCaption(L"A much longer caption than before");
  EXPECT_GT(box->Width(), shortWidth);
  EXPECT_GE(box->Height(), GetSystemMetrics(SM_CYMENUCHECK));
  box->SetAutoSize(false);
  box->SetCaption(L"x");
  EXPECT_GT(box->Width(), shortWidth);
}

}  // namespace
