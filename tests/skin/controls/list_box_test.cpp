// The skinned list box: its change events and its items painted from the skin.
#include "skin/controls/ListBox.h"

#include "framework/Application.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

namespace {

class SkinnedListBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 200);
    list = new TsListBox(form);
    list->SetBounds(8, 8, 160, 120);
    list->SetParent(form);
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
  TsListBox* list = nullptr;
};

TEST_F(SkinnedListBox, CountChangesFireOnceAndClearingAnEmptyListDoesNot) {
  form->Show();
  int changes = 0;
  list->OnItemCountChanged = [&](TObject*) { ++changes; };
  list->Clear();
  EXPECT_EQ(changes, 0);
  list->Items().Add(L"one");
  EXPECT_EQ(changes, 1);
  list->Items().Insert(0, L"zero");
  list->Items().Delete(1);
  EXPECT_EQ(changes, 3);
  list->Clear();
  EXPECT_EQ(changes, 4);
}

}  // namespace
