// The list box: its lines with and without a window, its selection, and the
// owner-drawn styles asking their owner to paint and measure items.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ListBox.h"

#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class ListBoxes : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 200);
    list = new TListBox(form);
    list->SetBounds(8, 8, 160, 120);
    list->SetParent(form);
  }
  void TearDown() override { delete form; }

  TForm* form = nullptr;
  TListBox* list = nullptr;
};

TEST_F(ListBoxes, LinesAndSelectionSurviveTheWindowComingAndGoing) {
  TObject marker;
  list->Items().Add(L"alpha");
  list->Items().AddObject(L"beta", &marker);
  list->Items().Insert(0, L"first");
  list->SetItemIndex(2);
  EXPECT_EQ(list->Count(), 3);

  form->Show();
  ASSERT_TRUE(list->HandleAllocated());
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(list->Items()[0], L"first");
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(list->Items().Objects(2), &marker);

  list->Items().Delete(0);
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);  // a new window
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Items()[1], L"beta");
  EXPECT_EQ(list->Items().Objects(1), &marker);
  EXPECT_EQ(list->ItemIndex(), 1);

  list->SetItemIndex(7);  // out of range: nothing selected
  EXPECT_EQ(list->ItemIndex(), -1);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(ListBoxes, TheUsersChoiceClicksAndCodeDoesNot) {
  for (auto s : {L"a", L"b", L"c"}) list->Items().Add(s);
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  form->Show();

  list->SetItemIndex(1);
  EXPECT_EQ(clicks, 0);
  RECT r = list->ItemRect(2);
  SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 2));
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 3, r.top + 2));
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list->ItemAtPos(POINT{r.left + 3, r.top + 2}, true), 2);
  EXPECT_EQ(list->ItemAtPos(POINT{3, 115}, true), -1);
}

TEST_F(ListBoxes, OwnerDrawnItemsArePaintedAndMeasuredByTheOwner) {
  struct TCase {
    TListBoxStyle Style;
    bool Measured;
  };
  for (TCase c : {TCase{TListBoxStyle::lbOwnerDrawFixed, false}, TCase{TListBoxStyle::lbOwnerDrawVariable, true}}) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    list->Clear();
    list->SetStyle(c.Style);
    list->SetItemHeight(20);
    std::set<int> drawn;
    std::set<int> measured;
    list->OnDrawItem = [&](TWinControl*, int index, const RECT& rect, UINT) {
      drawn.insert(index);
      list->Canvas().SetBrushColor(RGB(0, 200, 0));
      list->Canvas().FillRect(rect);
    };
    list->OnMeasureItem = [&](TWinControl*, int index, int& height) {
      measured.insert(index);
      height = 10 + index * 5;
    };
    form->Show();
    for (auto s : {L"one", L"two", L"three"}) list->Items().Add(s);
    list->Invalidate();
    ASSERT_TRUE(WaitUntil([&] {
      list->Update();
      return drawn.size() == 3;
    }));
    EXPECT_EQ(drawn, (std::set<int>{0, 1, 2}));
    RECT r1 = list->ItemRect(1);
    RECT r2 = list->ItemRect(2);
    EXPECT_EQ(r1.bottom - r1.top, c.Measured ? 15 : 20);
    EXPECT_EQ(r2.bottom - r2.top, c.Measured ? 20 : 20);
    EXPECT_EQ(measured.empty(), !c.Measured);

    HDC dc = GetDC(list->Handle());
    EXPECT_EQ(GetPixel(dc, 5, r1.top + 2), RGB(0, 200, 0));
    ReleaseDC(list->Handle(), dc);
    list->OnDrawItem = nullptr;
    list->OnMeasureItem = nullptr;
  }
}

}  // namespace
