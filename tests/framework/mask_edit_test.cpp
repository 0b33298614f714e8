// The mask edit base: the text is checked when the focus leaves, a refused
// text keeps the focus, and the whole text is selected on entry.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/MaskEdit.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TDigitsEdit : public TCustomMaskEdit {
 public:
  using TCustomMaskEdit::TCustomMaskEdit;
  void ValidateEdit() override {
    for (wchar_t c : Text())
      if (c < L'0' || c > L'9') throw EDBEditError(L"digits only");
  }
};

class MaskEdit : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr, CreateNew);
    form->SetBounds(100, 100, 300, 200);
    edit = new TDigitsEdit(form.get());
    edit->SetBounds(10, 10, 100, 24);
    edit->SetParent(form.get());
    other = new TCustomMaskEdit(form.get());
    other->SetBounds(10, 50, 100, 24);
    other->SetParent(form.get());
    form->Show();
  }
  std::unique_ptr<TForm> form;
  TDigitsEdit* edit = nullptr;
  TCustomMaskEdit* other = nullptr;
};

TEST_F(MaskEdit, ARefusedTextKeepsTheFocusAndRaises) {
  edit->SetFocus();
  edit->SetText(L"12a");
  EXPECT_THROW(edit->Perform(CM_EXIT), EDBEditError);
  EXPECT_TRUE(edit->Focused());
  edit->SetText(L"123");
  EXPECT_NO_THROW(edit->Perform(CM_EXIT));
}

TEST_F(MaskEdit, EntrySelectsTheWholeTextUnlessAutoSelectIsOff) {
  for (bool autoSelect : {true, false}) {
    other->SetFocus();
    edit->SetAutoSelect(autoSelect);
    edit->SetText(L"4711");
    SendMessageW(edit->Handle(), EM_SETSEL, 1, 1);
    edit->SetFocus();
    DWORD start = 0, end = 0;
    SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, autoSelect ? 4u : 0u) << autoSelect;
  }
}

}  // namespace
