// The panel's frame widths, the scroll box's ranges and positions, and the
// wheel reaching the focused control, then the control under the mouse.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/ScrollBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/wait_until.h"

namespace {

class Containers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetClientSize(400, 300);
  }
  void TearDown() override { delete form; }

  TForm* form = nullptr;
};

TEST_F(Containers, PanelAlignsChildrenAndCaptionInsideBordersAndBevels) {
  struct Case {
    TBevelCut outer, inner;
    int bevelWidth, borderWidth, inset;
  } cases[] = {
      {TBevelCut::bvNone, TBevelCut::bvNone, 1, 0, 0},
      {TBevelCut::bvRaised, TBevelCut::bvNone, 1, 0, 1},
      {TBevelCut::bvLowered, TBevelCut::bvRaised, 2, 0, 4},
      {TBevelCut::bvSpace, TBevelCut::bvNone, 1, 5, 6},
      // Wider than half the panel: an empty rectangle, never a negative one.
      {TBevelCut::bvRaised, TBevelCut::bvRaised, 10, 40, 60},
  };
  auto* panel = new TPanel(form);
  panel->SetBounds(0, 0, 100, 80);
  panel->SetParent(form);
  auto* child = new TPanel(form);
  child->SetParent(panel);
  child->SetAlign(TAlign::alClient);
  form->Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inset);
    panel->SetBevelOuter(c.outer);
    panel->SetBevelInner(c.inner);
    panel->SetBevelWidth(c.bevelWidth);
    panel->SetBorderWidth(c.borderWidth);
    RECT r = panel->CaptionRect();
    const int right = std::max(100 - c.inset, c.inset), bottom = std::max(80 - c.inset, c.inset);
    EXPECT_EQ(r.left, c.inset);
    EXPECT_EQ(r.top, c.inset);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
    EXPECT_EQ(child->Left(), c.inset);
    EXPECT_EQ(child->Width(), right - c.inset);
  }
}

class ScrollBoxes : public Containers {
 protected:
  void SetUp() override {
    Containers::SetUp();
    box = new TScrollBox(form);
    box->SetBorderStyle(TBorderStyle::bsNone);
    box->SetBounds(0, 0, 200, 100);
    box->SetParent(form);
    content = new TPanel(form);
    content->SetBounds(0, 0, 150, 400);
    content->SetParent(box);
    form->Show();
    box->Realign();
  }
  TScrollBox* box = nullptr;
  TPanel* content = nullptr;
};

TEST_F(ScrollBoxes, AutoRangeFollowsChildrenAndScrollingMovesThem) {
  TControlScrollBar& bar = box->VertScrollBar();
  EXPECT_EQ(bar.Range(), 400);
  EXPECT_TRUE(bar.IsScrollBarVisible());
  EXPECT_FALSE(box->HorzScrollBar().IsScrollBarVisible());
  SCROLLINFO si{sizeof(si), SIF_ALL};
  ASSERT_TRUE(GetScrollInfo(box->Handle(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 399);

  bar.SetPosition(50);
  EXPECT_EQ(content->Top(), -50);
  bar.SetPosition(100000);  // clamped to the range less the client height
  EXPECT_EQ(bar.Position(), bar.MaxPosition());
  EXPECT_EQ(content->Top(), -bar.MaxPosition());
  bar.SetPosition(-5);
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(content->Top(), 0);

  // The range shrinks below the position: the content scrolls back.
  bar.SetPosition(bar.MaxPosition());
  content->SetHeight(120);
  box->Realign();
  EXPECT_EQ(bar.Range(), 120);
  EXPECT_EQ(bar.Position(), bar.MaxPosition());
  EXPECT_EQ(content->Top(), -bar.Position());
}

TEST_F(ScrollBoxes, ScrollMessagesMoveByIncrementPageAndThumb) {
  TControlScrollBar& bar = box->VertScrollBar();
  bar.SetIncrement(10);
  const int page = box->ClientHeight();
  struct Case {
    WPARAM code;
    int start, expected;
    bool tracking;
  } cases[] = {
      {SB_LINEDOWN, 0, 10, false},
      {SB_LINEUP, 0, 0, false},
      {SB_PAGEDOWN, 0, page, false},
      {SB_BOTTOM, 0, bar.MaxPosition(), false},
      {SB_TOP, 30, 0, false},
      {MAKEWPARAM(SB_THUMBTRACK, 70), 0, 0, false},  // the thumb is followed only while tracking
      {MAKEWPARAM(SB_THUMBTRACK, 70), 0, 70, true},
      {MAKEWPARAM(SB_THUMBPOSITION, 70), 0, 70, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(LOWORD(c.code));
    bar.SetTracking(c.tracking);
    bar.SetPosition(c.start);
    SendMessageW(box->Handle(), WM_VSCROLL, c.code, 0);
    EXPECT_EQ(bar.Position(), c.expected);
  }
}

TEST_F(Containers, WheelGoesToFocusedControlThenItsParentsThenTheControlUnderTheMouse) {
  auto* outer = new TPanel(form);
  outer->SetBounds(0, 0, 200, 100);
  outer->SetParent(form);
  auto* edit = new TEdit(form);
  edit->SetBounds(10, 10, 100, 24);
  edit->SetParent(outer);
  auto* other = new TPanel(form);
  other->SetBounds(0, 150, 200, 100);
  other->SetParent(form);
  std::vector<String> order;
  bool editTakes = false, outerTakes = false;
  int delta = 0;
  edit->OnMouseWheel = [&](TObject*, TShiftState, int d, POINT, bool& handled) {
    order.push_back(L"edit");
    delta = d;
    handled = editTakes;
  };
  outer->OnMouseWheel = [&](TObject*, TShiftState, int, POINT, bool& handled) {
    order.push_back(L"outer");
    handled = outerTakes;
  };
  other->OnMouseWheel = [&](TObject*, TShiftState, int, POINT, bool& handled) { order.push_back(L"other"); };
  form->Show();
  edit->SetFocus();
  ASSERT_TRUE(WaitUntil([&] { return GetFocus() == edit->Handle(); }));

  struct Case {
    bool editTakes, outerTakes;
    std::vector<String> order;
  } cases[] = {
      {true, false, {L"edit"}},
      {false, true, {L"edit", L"outer"}},
      {false, false, {L"edit", L"outer", L"other"}},
  };
  for (const Case& c : cases) {
    editTakes = c.editTakes;
    outerTakes = c.outerTakes;
    order.clear();
    // The system gives the wheel to the panel under the mouse.
    LRESULT r = SendMessageW(other->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-240)), MAKELPARAM(5, 5));
    EXPECT_EQ(r, c.editTakes || c.outerTakes ? 1 : 0);
    ASSERT_GE(order.size(), c.order.size());
    order.resize(c.order.size());  // an unused wheel bubbles on through the default handling
    EXPECT_EQ(order, c.order);
    EXPECT_EQ(delta, -240);
  }
}

}  // namespace
