// Default and Cancel buttons, the modal result ending ShowModal, and the bit
// button's layout values, driven through the message loop as keys arrive.
#include "framework/Application.h"
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Buttons : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = new TForm(nullptr, CreateNew);
    form->SetBounds(100, 100, 320, 200);
    // The buttons sit in a panel: the keys must reach them through it.
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetAlign(TAlign::alClient);
    ok = Add(panel, 10, L"OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel = Add(panel, 100, L"Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    other = Add(panel, 190, L"Other");
    edit = new TEdit(form);
    edit->SetParent(panel);
    edit->SetBounds(10, 60, 100, 22);
    memo = new TMemo(form);
    memo->SetParent(panel);
    memo->SetBounds(120, 60, 100, 60);
    for (TButton* b : {ok, cancel, other}) b->OnClick = [this](TObject* s) { clicked.push_back(s); };
  }
  void TearDown() override { delete form; }
  TButton* Add(TWinControl* parent, int left, const wchar_t* caption) {
    auto* b = new TButton(form);
    b->SetParent(parent);
    b->SetBounds(left, 10, 80, 25);
    b->SetCaption(caption);
    return b;
  }
  // A key as the message loop gets it from the window that has the focus.
  void Key(TWinControl* to, WPARAM key) {
    PostMessageW(to->Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(to->Handle(), WM_KEYUP, key, 0xC0000001);
    Application->ProcessMessages();
  }

  TForm* form = nullptr;
  TButton *ok = nullptr, *cancel = nullptr, *other = nullptr;
  TEdit* edit = nullptr;
  TMemo* memo = nullptr;
  std::vector<TObject*> clicked;
};

TEST_F(Buttons, EnterAndEscapeReachTheDefaultAndCancelButtons) {
  form->Show();
  struct Case {
    const char* Name;
    TWinControl* Focus;
    WPARAM Key;
    TObject* Clicked;
  } cases[] = {
      {"Enter in an edit: the Default button", edit, VK_RETURN, ok},
      {"Escape in an edit: the Cancel button", edit, VK_ESCAPE, cancel},
      {"Enter on another button: that button", other, VK_RETURN, other},
      {"Escape on another button: still Cancel", other, VK_ESCAPE, cancel},
      {"Enter in a memo stays in the memo", memo, VK_RETURN, nullptr},
  };
  for (const Case& c : cases) {
    clicked.clear();
    c.Focus->SetFocus();
    Application->ProcessMessages();
    Key(c.Focus, c.Key);
    EXPECT_EQ(clicked, c.Clicked ? std::vector<TObject*>{c.Clicked} : std::vector<TObject*>{}) << c.Name;
  }
  // The focus leaving the buttons gives the default back to OK.
  edit->SetFocus();
  EXPECT_TRUE(ok->Active());
  EXPECT_FALSE(other->Active());
}

TEST_F(Buttons, ADisabledDefaultButtonTakesNoEnter) {
  form->Show();
  ok->SetEnabled(false);
  edit->SetFocus();
  Key(edit, VK_RETURN);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(Buttons, ShowModalEndsWithTheResultOfTheButtonPressed) {
  struct Case {
    const char* Name;
    WPARAM Key;
    int Result;
  } cases[] = {{"Enter", VK_RETURN, mrOk}, {"Escape", VK_ESCAPE, mrCancel}};
  for (const Case& c : cases) {
    form->OnShow = [this, &c](TObject*) {
      edit->SetFocus();
      PostMessageW(edit->Handle(), WM_KEYDOWN, c.Key, 1);
    };
    EXPECT_EQ(form->ShowModal(), c.Result) << c.Name;
    EXPECT_FALSE(form->Visible()) << c.Name;
    EXPECT_FALSE(form->Modal()) << c.Name;
  }
}

TEST_F(Buttons, ModalFormThatRefusesToCloseStaysUntilItAgrees) {
  int asked = 0;
  form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
  form->OnShow = [this](TObject*) {
    // Close on a modal form answers mrCancel; the first is refused.
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  };
  TForm owner(nullptr, CreateNew);
  owner.Show();
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
  // The other windows of the program work again.
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(BitBtnLayout, ValuesKeepTheirRanges) {
  TBitBtn b(nullptr);
  EXPECT_EQ(b.Layout(), TButtonLayout::blGlyphLeft);
  EXPECT_EQ(b.Margin(), -1);
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_EQ(b.NumGlyphs(), 1);
  b.SetNumGlyphs(7);
  EXPECT_EQ(b.NumGlyphs(), 4);
  b.SetNumGlyphs(0);
  EXPECT_EQ(b.NumGlyphs(), 1);
  b.SetMargin(-9);
  EXPECT_EQ(b.Margin(), -1);
}

}  // namespace
