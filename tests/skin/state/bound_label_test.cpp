// The caption label a control carries beside it: where each layout puts it,
// how it follows the control's moves, visibility, enabled state, font,
// reading order and density, where its clicks go, and that it goes away
// cleanly whichever of label, control or parent goes first.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/GdiHandles.h"
#include "framework/Panel.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/BoundLabel.h"
#include "skin/state/CtrlSkinData.h"
#include "tests/skin/state/support/state_fixture.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using LT = TsCaptionLayout;

// A control that carries a bound label the way edit-like skinned controls
// do: it owns its skin state and the label, and hands the label its messages
// after its own handling.
template <class TBase>
class TLabelled : public TBase {
 public:
  explicit TLabelled(TComponent* owner) : TBase(owner) {
    Data = std::make_unique<TsCtrlSkinData>(this, false);
    Bound = std::make_unique<TsBoundLabel>(this, Data.get());
  }
  ~TLabelled() override {
    this->Destroying_();
    Bound.reset();
    Data.reset();
  }
  std::unique_ptr<TsCtrlSkinData> Data;
  std::unique_ptr<TsBoundLabel> Bound;

 protected:
  void WndProc(TMessage& m) override {
    TBase::WndProc(m);
    if (Bound) Bound->HandleOwnerMessage(m, this);
  }
};
// Framed: its client area is smaller than its window.
using TLabelledEdit = TLabelled<TEdit>;
// Unframed: client and window are one size.
using TLabelledBox = TLabelled<TCustomControl>;

bool HasChild(TWinControl* parent, TControl* child) {
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (parent->Controls(i) == child) return true;
  return false;
}

int LineHeight(const TFont& font) {
  TWindowDC screen;
  HGDIOBJ old = SelectObject(screen.get(), font.Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(screen.get(), &tm);
  SelectObject(screen.get(), old);
  return tm.tmHeight;
}

class BoundLabelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override { MakeForm(); }
  void MakeForm() {
    form = std::make_unique<TForm>(Application, CreateNew);
    form->SetBounds(40, 40, 640, 420);
    form->Show();
  }
  template <class T = TLabelledEdit>
  T* Add(TWinControl* parent, const wchar_t* name, RECT r) {
    auto* c = new T(form.get());
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return c;
  }
  std::unique_ptr<TForm> form;
};

TEST_F(BoundLabelTest, ActivatingMakesALabelNamedAfterTheControl) {
  auto* edit = Add(form.get(), L"Amount", {200, 100, 320, 124});
  TsBoundLabel& bound = *edit->Bound;
  EXPECT_EQ(bound.LabelControl(), nullptr);
  const int before = form->ControlCount();

  bound.SetActive(true);
  TsEditLabel* label = bound.LabelControl();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Name(), L"AmountLabel");
  EXPECT_EQ(label->Caption(), L"Amount");
  EXPECT_EQ(bound.Caption(), L"Amount");  // the empty caption took the name
  EXPECT_EQ(label->Parent(), form.get());
  EXPECT_EQ(label->FocusControl(), edit);
  EXPECT_EQ(label->BoundLabel(), &bound);
  EXPECT_TRUE(label->Visible());
  EXPECT_TRUE(label->Enabled());
  EXPECT_TRUE(label->AutoSize());
  EXPECT_TRUE(label->FitToWidth());
  EXPECT_EQ(form->ControlCount(), before + 1);

  // A caption of its own is kept and sizes the label.
  const int shortWidth = label->Width();
  bound.SetCaption(L"Amount to pay");
  EXPECT_EQ(label->Caption(), L"Amount to pay");
  EXPECT_GT(label->Width(), shortWidth);

  bound.SetActive(false);
  EXPECT_EQ(bound.LabelControl(), nullptr);
  EXPECT_EQ(form->ControlCount(), before);
  EXPECT_EQ(bound.Caption(), L"Amount to pay");
}

TEST_F(BoundLabelTest, EachLayoutPlacesAndAlignsTheLabel) {
  constexpr int kIndent = 5, kOffset = 3, kGap = 4;  // the skin gap at 96 pixels per inch
  struct Geometry {
    int L, T, W, H, Lw, Lh;
  };
  struct Case {
    const char* name;
    LT layout;
    bool framed;
    bool rightToLeft;
    TAlignment alignment;
    std::function<POINT(const Geometry&)> place;
  };
  const Case cases[] = {
      {"left of a framed control", LT::sclLeft, true, false, TAlignment::taRightJustify,
       [](const Geometry& g) {
         return POINT{g.L - g.Lw - kGap - kIndent, g.T + (g.H - g.Lh) / 2 + kOffset - 1};
       }},
      {"left of an unframed control", LT::sclLeft, false, false, TAlignment::taRightJustify,
       [](const Geometry& g) {
         return POINT{g.L - g.Lw - kGap - kIndent, g.T + (g.H - g.Lh) / 2 + kOffset};
       }},
      {"top left", LT::sclTopLeft, true, false, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{g.L + kOffset, g.T - g.Lh - kIndent};
       }},
      {"top centre", LT::sclTopCenter, true, false, TAlignment::taCenter,
       [](const Geometry& g) {
         return POINT{g.L + (g.W - g.Lw) / 2 + kOffset, g.T - g.Lh - kIndent};
       }},
      {"top right", LT::sclTopRight, true, false, TAlignment::taRightJustify,
       [](const Geometry& g) {
         return POINT{g.L + g.W + kOffset - g.Lw, g.T - g.Lh - kIndent};
       }},
      {"left, at the top", LT::sclLeftTop, true, false, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{g.L - g.Lw - kGap - kIndent, g.T + kOffset + 3};
       }},
      {"bottom left", LT::sclBottomLeft, true, false, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{g.L + kOffset, g.T + g.H + kIndent};
       }},
      {"bottom centre", LT::sclBottomCenter, true, false, TAlignment::taCenter,
       [](const Geometry& g) {
         return POINT{g.L + (g.W - g.Lw) / 2 + kOffset, g.T + g.H + kIndent};
       }},
      {"bottom right", LT::sclBottomRight, true, false, TAlignment::taRightJustify,
       [](const Geometry& g) {
         return POINT{g.L + g.W + kOffset - g.Lw, g.T + g.H + kIndent};
       }},
      {"right", LT::sclRight, true, false, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{kGap + g.L + g.W + kIndent, g.T + (g.H - g.Lh) / 2 - 1 + kOffset};
       }},
      {"right, at the top", LT::sclRightTop, true, false, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{kGap + g.L + g.W + kIndent, g.T + kOffset + 3};
       }},
      {"left edge", LT::sclLeftLeft, true, false, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{g.L + kIndent - g.Lw - kGap, g.T + (g.H - g.Lh) / 2 - 1 + kOffset};
       }},
      {"right edge", LT::sclRightRight, true, false, TAlignment::taRightJustify,
       [](const Geometry& g) {
         return POINT{kGap + g.L + g.W - kIndent, g.T + (g.H - g.Lh) / 2 - 1 + kOffset};
       }},
      // A right-to-left control mirrors the layout; the label keeps the
      // alignment of the layout asked for.
      {"right-to-left, left", LT::sclLeft, true, true, TAlignment::taRightJustify,
       [](const Geometry& g) {
         return POINT{kGap + g.L + g.W + kIndent, g.T + (g.H - g.Lh) / 2 - 1 + kOffset};
       }},
      {"right-to-left, top left", LT::sclTopLeft, true, true, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{g.L + g.W + kOffset - g.Lw, g.T - g.Lh - kIndent};
       }},
      {"right-to-left, right", LT::sclRight, true, true, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{g.L - g.Lw - kGap - kIndent, g.T + (g.H - g.Lh) / 2 + kOffset - 1};
       }},
      {"right-to-left, left edge", LT::sclLeftLeft, true, true, TAlignment::taLeftJustify,
       [](const Geometry& g) {
         return POINT{kGap + g.L + g.W - kIndent, g.T + (g.H - g.Lh) / 2 - 1 + kOffset};
       }},
      {"right-to-left, right edge stays", LT::sclRightRight, true, true, TAlignment::taRightJustify,
       [](const Geometry& g) {
         return POINT{kGap + g.L + g.W - kIndent, g.T + (g.H - g.Lh) / 2 - 1 + kOffset};
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWinControl* control = c.framed ? static_cast<TWinControl*>(Add(form.get(), L"Field", {250, 180, 370, 204}))
                                    : Add<TLabelledBox>(form.get(), L"Field", {250, 180, 370, 204});
    TsBoundLabel& bound = c.framed ? *static_cast<TLabelledEdit*>(control)->Bound
                                   : *static_cast<TLabelledBox*>(control)->Bound;
    if (c.rightToLeft) control->SetBiDiMode(TBiDiMode::bdRightToLeft);
    ASSERT_EQ(control->ClientHeight() != control->Height(), c.framed);
    bound.SetLayout(c.layout);
    bound.SetIndent(kIndent);
    bound.SetOffset(kOffset);
    bound.SetCaption(L"Payment");
    bound.SetActive(true);
    TsEditLabel* label = bound.LabelControl();
    ASSERT_NE(label, nullptr);
    const Geometry g{control->Left(),   control->Top(), control->Width(),
                     control->Height(), label->Width(), label->Height()};
    const POINT expected = c.place(g);
    EXPECT_EQ(label->Left(), expected.x);
    EXPECT_EQ(label->Top(), expected.y);
    EXPECT_EQ(label->Alignment(), c.alignment);
    EXPECT_EQ(label->Align(), TAlign::alNone);
    delete control;
  }
}

TEST_F(BoundLabelTest, EdgeLayoutsTakeTheHeightOfOneLine) {
  auto* edit = Add(form.get(), L"Field", {250, 180, 370, 204});
  TsBoundLabel& bound = *edit->Bound;
  bound.SetCaption(L"Payment");
  bound.SetActive(true);
  TsEditLabel* label = bound.LabelControl();
  const int line = LineHeight(label->Font());
  for (LT layout : {LT::sclLeftLeft, LT::sclRightRight}) {
    SCOPED_TRACE(int(layout));
    bound.SetLayout(layout);
    EXPECT_EQ(label->Height(), line);
  }
  // A left-edge label with a width limit is that wide, not sized to its text.
  bound.SetLayout(LT::sclLeftLeft);
  bound.SetMaxWidth(150);
  EXPECT_FALSE(label->AutoSize());
  EXPECT_FALSE(label->WordWrap());
  EXPECT_EQ(label->Width(), 150);
  EXPECT_EQ(label->Height(), line);
  EXPECT_EQ(label->Layout(), TTextLayout::tlCenter);
}

TEST_F(BoundLabelTest, WidthLimitWrapsTheCaption) {
  auto* edit = Add(form.get(), L"Field", {300, 180, 420, 204});
  TsBoundLabel& bound = *edit->Bound;
  bound.SetLayout(LT::sclBottomLeft);
  bound.SetCaption(L"Amount paid by the customer today");
  bound.SetActive(true);
  TsEditLabel* label = bound.LabelControl();
  const int line = LineHeight(label->Font());

  // Without a limit the label starts 9999 wide, so nothing wraps.
  EXPECT_TRUE(label->WordWrap());
  EXPECT_EQ(label->Height(), line);
  const int whole = label->Width();
  EXPECT_GT(whole, 100);
  EXPECT_LT(whole, 9999);
  RECT need;
  bound.MeasureCaption(need);
  EXPECT_EQ(need.right, whole);
  EXPECT_EQ(need.bottom, line);

  bound.SetMaxWidth(100);
  EXPECT_LE(label->Width(), 100);
  EXPECT_GE(label->Height(), 2 * line);
  EXPECT_EQ(label->MaxWidthConstraint(), 100);
  // The bottom layouts hang the label below the control however tall it got.
  EXPECT_EQ(label->Top(), edit->Top() + edit->Height());

  bound.SetMaxWidth(0);
  EXPECT_EQ(label->Width(), whole);
  EXPECT_EQ(label->Height(), line);

  RECT none{1, 2, 3, 4};
  bound.SetActive(false);
  bound.MeasureCaption(none);
  EXPECT_TRUE(IsRectEmpty(&none));
  EXPECT_EQ(none.right, 0);
}

TEST_F(BoundLabelTest, LabelFollowsTheControl) {
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(20, 220, 400, 150);
  auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
  TsBoundLabel& bound = *edit->Bound;
  bound.SetLayout(LT::sclRight);
  bound.SetActive(true);
  TsEditLabel* label = bound.LabelControl();
  auto expectRightOf = [&](TWinControl* parent) {
    EXPECT_EQ(label->Parent(), parent);
    EXPECT_EQ(label->Left(), 4 + edit->Left() + edit->Width());
    EXPECT_EQ(label->Top(), edit->Top() + (edit->Height() - label->Height()) / 2 - 1);
  };
  expectRightOf(form.get());

  edit->SetBounds(100, 60, 90, 30);  // moved and resized at once
  expectRightOf(form.get());
  edit->SetLeft(130);  // moved only
  expectRightOf(form.get());
  edit->SetHeight(40);  // resized only
  expectRightOf(form.get());

  // A new caption changes the label's size; the placement follows.
  bound.SetLayout(LT::sclLeft);
  const int before = label->Left();
  bound.SetCaption(L"A much longer caption");
  EXPECT_LT(label->Left(), before);
  EXPECT_EQ(label->Left() + label->Width(), edit->Left() - 4);

  // Into another parent: the label goes along.
  bound.SetLayout(LT::sclRight);
  edit->SetParent(panel);
  edit->SetBounds(10, 10, 120, 24);
  expectRightOf(panel);
  EXPECT_FALSE(HasChild(form.get(), label));
}

TEST_F(BoundLabelTest, VisibilityAndEnablingFollowTheControl) {
  struct Case {
    const char* name;
    bool keepHidden;
    bool enabledAlways;
  } cases[] = {
      {"plain", false, false},
      {"kept hidden", true, false},
      {"enabled always", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
    TsBoundLabel& bound = *edit->Bound;
    bound.KeepHidden = c.keepHidden;
    bound.SetEnabledAlways(c.enabledAlways);
    bound.SetActive(true);
    TsEditLabel* label = bound.LabelControl();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Visible(), !c.keepHidden);

    edit->Hide();
    EXPECT_FALSE(label->Visible());
    edit->Show();
    EXPECT_EQ(label->Visible(), !c.keepHidden);
    // The hidden label is still placed, for when it is shown.
    EXPECT_EQ(label->Left() + label->Width(), edit->Left() - 4);

    edit->SetEnabled(false);
    EXPECT_EQ(label->Enabled(), c.enabledAlways);
    edit->SetEnabled(true);
    EXPECT_TRUE(label->Enabled());
    delete edit;
  }
}

TEST_F(BoundLabelTest, LabelOfAHiddenControlIsMadeHidden) {
  auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
  edit->Hide();
  edit->Bound->SetActive(true);
  TsEditLabel* label = edit->Bound->LabelControl();
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(label->Visible());
  edit->Show();
  EXPECT_TRUE(label->Visible());
  EXPECT_EQ(label->Left() + label->Width(), edit->Left() - 4);
}

TEST_F(BoundLabelTest, LoadingControlMakesItsLabelWhenShown) {
  auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
  TsBoundLabel& bound = *edit->Bound;
  edit->BeginLoading();
  bound.SetActive(true);
  EXPECT_EQ(bound.LabelControl(), nullptr);
  edit->EndLoading();
  edit->Hide();
  edit->Show();
  ASSERT_NE(bound.LabelControl(), nullptr);
  EXPECT_TRUE(bound.LabelControl()->Visible());

  // Switched off while loading, the label stays until the control shows
  // again, which frees it without touching it afterwards.
  edit->BeginLoading();
  bound.SetActive(false);
  EXPECT_NE(bound.LabelControl(), nullptr);
  edit->EndLoading();
  edit->Hide();
  EXPECT_EQ(bound.LabelControl(), nullptr);
  edit->Show();
  EXPECT_EQ(bound.LabelControl(), nullptr);
}

TEST_F(BoundLabelTest, FontFollowsTheParentOrItsOwn) {
  auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
  TsBoundLabel& bound = *edit->Bound;
  bound.SetLayout(LT::sclRight);
  bound.SetActive(true);
  TsEditLabel* label = bound.LabelControl();
  EXPECT_TRUE(bound.ParentFont());
  EXPECT_FALSE(bound.IsFontStored());

  // A bigger parent font makes a taller label, centred on the control anew.
  const int smallHeight = label->Height();
  form->Font().SetHeight(-24);
  EXPECT_EQ(label->Font().Height(), -24);
  EXPECT_EQ(bound.Font().Height(), -24);
  EXPECT_GT(label->Height(), smallHeight);
  EXPECT_EQ(label->Top(), edit->Top() + (edit->Height() - label->Height()) / 2 - 1);
  EXPECT_TRUE(bound.ParentFont());  // copying the parent's font is no font of our own

  // A font of its own.
  TFont own;
  own.SetName(L"Arial");
  own.SetHeight(-12);
  bound.SetFont(own);
  EXPECT_FALSE(bound.ParentFont());
  EXPECT_FALSE(label->ParentFont());
  EXPECT_EQ(label->Font().Height(), -12);
  EXPECT_TRUE(bound.IsFontStored());
  form->Font().SetHeight(-30);
  EXPECT_EQ(label->Font().Height(), -12);

  // Back to the parent's font.
  bound.SetParentFont(true);
  EXPECT_TRUE(label->ParentFont());
  EXPECT_EQ(label->Font().Height(), -30);
  EXPECT_TRUE(bound.ParentFont());

  // Without skin colour the label takes its own font's colour.
  bound.SetParentFont(false);
  bound.Font().SetColor(clRed);
  bound.SetUseSkinColor(false);
  EXPECT_FALSE(label->UseSkinColor());
  EXPECT_EQ(label->Font().Color(), clRed);
}

TEST_F(BoundLabelTest, ClicksReachTheControlOnlyWhenAllowed) {
  auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
  TsBoundLabel& bound = *edit->Bound;
  bound.SetActive(true);
  TsEditLabel* label = bound.LabelControl();
  std::vector<const char*> order;
  label->OnClick = [&](TObject*) { order.push_back("label"); };
  edit->OnClick = [&](TObject*) { order.push_back("control"); };
  auto clickLabel = [&] {
    order.clear();
    const LPARAM at = MAKELPARAM(label->Left() + 2, label->Top() + 2);
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, at);
  };
  clickLabel();
  EXPECT_EQ(order, (std::vector<const char*>{"label"}));
  bound.SetAllowClick(true);
  clickLabel();
  EXPECT_EQ(order, (std::vector<const char*>{"label", "control"}));
}

TEST_F(BoundLabelTest, HideAndRedrawTakesAShownLabelAway) {
  auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
  TsBoundLabel& bound = *edit->Bound;
  bound.SetActive(true);
  edit->Data->StateBits |= acsLabelAnimating;
  edit->Data->BGChanged = false;
  const int count = form->ControlCount();
  bound.HideAndRedraw();
  EXPECT_FALSE(bound.Active());
  EXPECT_EQ(bound.LabelControl(), nullptr);
  EXPECT_EQ(form->ControlCount(), count - 1);
  EXPECT_EQ(edit->Data->StateBits & acsLabelAnimating, 0u);
  EXPECT_TRUE(edit->Data->BGChanged);

  // A hidden label is left alone.
  bound.KeepHidden = true;
  bound.SetActive(true);
  bound.HideAndRedraw();
  EXPECT_TRUE(bound.Active());
  EXPECT_NE(bound.LabelControl(), nullptr);
}

TEST_F(BoundLabelTest, NothingDanglesWhicheverGoesFirst) {
  // The control goes: its label leaves the parent with it.
  {
    auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
    edit->Bound->SetActive(true);
    TsEditLabel* label = edit->Bound->LabelControl();
    ASSERT_TRUE(HasChild(form.get(), label));
    const int count = form->ControlCount();
    delete edit;
    EXPECT_EQ(form->ControlCount(), count - 2);
    form->Repaint();
  }
  // The label goes on its own: the bound label forgets it and the control
  // goes on moving and going without it.
  {
    auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
    TsBoundLabel& bound = *edit->Bound;
    bound.SetActive(true);
    delete bound.LabelControl();
    EXPECT_EQ(bound.LabelControl(), nullptr);
    EXPECT_FALSE(bound.Active());
    edit->SetBounds(10, 10, 100, 30);
    edit->Hide();
    edit->Show();
    EXPECT_EQ(bound.LabelControl(), nullptr);
    delete edit;
  }
  // The parent goes first: control and label are unlinked from it, the
  // control lives on without a parent and frees its label later.
  {
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(20, 200, 400, 150);
    auto* edit = Add(panel, L"Field", {150, 20, 270, 44});
    edit->Bound->SetActive(true);
    TsEditLabel* label = edit->Bound->LabelControl();
    ASSERT_EQ(label->Parent(), panel);
    delete panel;
    EXPECT_EQ(edit->Parent(), nullptr);
    EXPECT_EQ(label->Parent(), nullptr);
    edit->SetBounds(5, 5, 80, 20);
    edit->Bound->SetCaption(L"Moved");
    delete edit;
  }
  // The whole form goes with an active label on it.
  {
    auto* edit = Add(form.get(), L"Field", {250, 100, 370, 124});
    edit->Bound->SetActive(true);
    form.reset();
    MakeForm();
  }
}

// A skin of its own at a custom density: the gap, the width limit and the
// label's density follow the skin data's, and a density the control is
// told of replaces it until the control moves.
TEST(BoundLabelDensity, GapWidthLimitAndDensityFollowTheSkinData) {
  InitApplication();
  const TSmallSkinFolder skins("[GLOBALINFO]\r\nVERSION=12.50\r\n[EDIT]\r\nCOLOR=$00445566\r\n");
  auto manager = skins.Manager();
  ASSERT_TRUE(manager->IsSkinLoaded());
  // Before the form exists, so no form is rescaled.
  manager->Options().SetScaleMode(TacScaleMode::smCustomPPI);
  manager->Options().SetPixelsPerInch(144);

  auto form = std::make_unique<TForm>(Application, CreateNew);
  form->SetBounds(40, 40, 640, 420);
  form->Show();
  auto* edit = new TLabelledEdit(form.get());
  edit->SetName(L"Field");
  edit->SetParent(form.get());
  edit->SetBounds(100, 100, 120, 24);
  edit->Data->SetSkinManager(manager.get());
  TsBoundLabel& bound = *edit->Bound;
  bound.SetParentFont(false);
  bound.SetLayout(LT::sclRight);
  bound.SetCaption(L"Amount paid by the customer today");
  bound.SetMaxWidth(60);
  bound.SetActive(true);
  TsEditLabel* label = bound.LabelControl();
  ASSERT_NE(label, nullptr);

  EXPECT_EQ(bound.LabelPPI(), 144);
  EXPECT_EQ(label->Left(), 6 + edit->Left() + edit->Width());  // gap 4 at 144 pixels per inch
  EXPECT_EQ(label->MaxWidthConstraint(), 90);
  EXPECT_LE(label->Width(), 90);
  EXPECT_GT(label->Width(), 60);

  // Told of another density, the label takes it.
  edit->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_SETPPI), 192);
  EXPECT_EQ(bound.LabelPPI(), 192);
  // A move brings it back to the skin data's.
  edit->SetLeft(120);
  EXPECT_EQ(bound.LabelPPI(), 144);
  // A later move lays it out again.
  edit->SetLeft(140);
  EXPECT_EQ(label->Left(), 6 + edit->Left() + edit->Width());

  form.reset();
  manager.reset();
}

}  // namespace
