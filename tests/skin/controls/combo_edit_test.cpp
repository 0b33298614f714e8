// The combo edit's button: geometry, click key, modes and the pop-up.
#include "skin/controls/CustomComboEdit.h"

#include "framework/Application.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

namespace {

class ComboEditTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 320, 200);
    Edit = new TsCustomComboEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 150, 21);
    Form->Show();
  }
  std::unique_ptr<TForm> Form;
  TsCustomComboEdit* Edit = nullptr;
};

TEST_F(ComboEditTest, BuildsAndAnswersItsSections) {
  TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFSECTION), 0, 0};
  Edit->WindowProc(m);
  EXPECT_EQ(m.Result, ssEdit);
  EXPECT_EQ(Edit->Height(), 21);
  EXPECT_EQ(Edit->ClickKey(), 32808);
}

}  // namespace
