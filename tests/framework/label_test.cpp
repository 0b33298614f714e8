// The label's sizing, text placement, accelerator marks and the control it names.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"

#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

class Labels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 200);
    form->SetColor(RGB(255, 255, 255));
  }
  void TearDown() override { delete form; }
  TLabel* Add(const String& caption) {
    auto* l = new TLabel(form);
    l->SetParent(form);
    l->SetCaption(caption);
    return l;
  }
  TForm* form = nullptr;
};

TEST_F(Labels, AcceleratorMarkIsDrawnOnlyWhenAsked) {
  auto* label = Add(L"&&x");
  const int plain = label->Width();  // "&&x" drawn as written
  label->SetShowAccelChar(true);     // "&x"
  EXPECT_LT(label->Width(), plain);
  auto* empty = Add(L"X");
  const int line = empty->Height();
  empty->SetCaption(L"");
  EXPECT_EQ(empty->Height(), line);
}

TEST_F(Labels, LayoutPlacesTheTextInATallLabel) {
  struct TCase {
    TTextLayout Layout;
    int InkFrom, InkTo;  // where the first inked row may lie in the 90-pixel label
  };
  for (TCase c :
       {TCase{TTextLayout::tlTop, 0, 10}, TCase{TTextLayout::tlCenter, 30, 45}, TCase{TTextLayout::tlBottom, 65, 90}}) {
    SCOPED_TRACE(static_cast<int>(c.Layout));
    auto* label = Add(L"WWWW");
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 100, 90);
    label->SetLayout(c.Layout);
    form->Show();
    label->Invalidate();
    form->Update();
    TWindowDC dc(form->Handle());
    int first = -1;
    for (int y = 0; y < 90 && first < 0; ++y)
      for (int x = 0; x < 100; x += 2)
        if (GetPixel(dc.get(), 10 + x, 10 + y) != RGB(255, 255, 255)) {
          first = y;
          break;
        }
    EXPECT_GE(first, c.InkFrom);
    EXPECT_LE(first, c.InkTo);
    delete label;
  }
}

TEST_F(Labels, ForgetsTheFocusControlWhenItIsFreed) {
  auto* label = Add(L"Name");
  auto* edit = new TEdit(form);
  label->SetFocusControl(edit);
  EXPECT_EQ(label->FocusControl(), edit);
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

}  // namespace
