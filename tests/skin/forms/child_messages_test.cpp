// Skin commands on their way to controls and child windows: direct to a
// registered skin handler, never creating a window, only as deep as each
// walk promises, and not at all while a form animation runs.
#include "skin/forms/ChildMessages.h"

#include "skin/forms/ChildWalks.h"
#include "skin/state/NotifyFormOfChild.h"
#include "support/form_fixture.h"

namespace {

// A panel that can be marked as being torn down, as its owner's destructor
// marks it before it goes.
class TDoomedPanel : public TPanel {
 public:
  using TPanel::TPanel;
  void MarkDestroying() { SetState(csDestroying, true); }
};

struct TDirectHandler : TacSkinMessageTarget {
  int Calls = 0;
  UINT LastMsg = 0;
  LRESULT SkinWndProc(UINT Msg, WPARAM, LPARAM) override {
    LastMsg = Msg;
    ++Calls;
    return 77;
  }
};

using ChildMessages = FormFixture;

TEST_F(ChildMessages, ControlMessageTakesTheRightRoad) {
  auto* Graphic = Add<TGraphicControl>(Form);
  auto* NoWindow = Add<TPanel>(Form);
  auto* Direct = Add<TPanel>(Form);
  Log.Watch(Graphic, 5);
  Log.Watch(NoWindow, 6);
  Log.Watch(Direct, 8);

  EXPECT_EQ(SendCtrlMessage(Graphic, WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0), 5);
  // A windowed control without a window answers nothing and gets none.
  EXPECT_EQ(SendCtrlMessage(NoWindow, WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0), 0);
  EXPECT_FALSE(NoWindow->HandleAllocated());
  EXPECT_EQ(Log.Count(NoWindow, AC_GETBGCOLOR), 0);

  Direct->HandleNeeded();
  EXPECT_EQ(SendCtrlMessage(Direct, WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0), 8);
  TDirectHandler Handler;
  SetPropW(Direct->Handle(), acSkinDataProperty, &Handler);
  EXPECT_EQ(SendCtrlMessage(Direct, WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0), 77);
  EXPECT_EQ(Handler.Calls, 1);
  EXPECT_EQ(Log.Count(Direct, AC_GETBGCOLOR), 1);  // the second went past the window
  RemovePropW(Direct->Handle(), acSkinDataProperty);
  EXPECT_EQ(SendCtrlMessage(nullptr, WM_SKINCOMMAND, 0, 0), 0);
}

TEST_F(ChildMessages, ChildWindowWalksReachDirectChildrenOnly) {
  // Form -> Outer -> Inner; Form -> Second (hidden window).
  auto* Outer = Add<TPanel>(Form, L"Outer");
  auto* Inner = Add<TPanel>(Outer, L"Inner");
  auto* Second = Add<TPanel>(Form, L"Second");
  Second->SetVisible(false);
  // Asked child first: the form's window, made on the way, makes Outer's
  // with it, and Outer must not make a second one.
  for (TPanel* p : {Outer, Inner, Second}) {
    p->HandleNeeded();
    Log.Watch(p);
  }
  ASSERT_EQ(GetParent(Inner->Handle()), Outer->Handle());
  ASSERT_EQ(GetParent(Outer->Handle()), Form->Handle());
  const TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_REDRAW), 0, 0};
  BroadcastToChildWnds(Form->Handle(), m);
  EXPECT_EQ(Log.Count(Outer, AC_REDRAW), 1);
  EXPECT_EQ(Log.Count(Second, AC_REDRAW), 1);
  EXPECT_EQ(Log.Count(Inner, AC_REDRAW), 0);  // enumerated, but its parent is Outer

  SendToChildWnds(Form->Handle(), m);
  EXPECT_EQ(Log.Count(Outer, AC_REDRAW), 2);
  EXPECT_EQ(Log.Count(Second, AC_REDRAW), 2);
  EXPECT_EQ(Log.Count(Inner, AC_REDRAW), 0);

  NotifyChildWndsUpdated(Outer->Handle());
  EXPECT_EQ(Log.Count(Inner, AC_UPDATEDONE), 1);
  EXPECT_EQ(Log.Count(Outer, AC_UPDATEDONE), 0);
}

TEST_F(ChildMessages, BroadcastStopsAtAChildBeingDestroyed) {
  auto* First = Add<TPanel>(Form, L"First");
  auto* Doomed = Add<TDoomedPanel>(Form, L"Doomed");
  auto* After = Add<TPanel>(Form, L"After");
  auto* Graphic = Add<TGraphicControl>(Form, L"Graphic");
  for (TPanel* p : {First, static_cast<TPanel*>(Doomed), After}) p->HandleNeeded();
  for (TControl* c : std::initializer_list<TControl*>{First, Doomed, After, Graphic}) Log.Watch(c);
  Doomed->MarkDestroying();

  TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_SKINLOADED), 0, 0};
  BroadcastToChildren(Form, m);
  EXPECT_EQ(Log.Count(First, AC_SKINLOADED), 1);
  for (TControl* c : std::initializer_list<TControl*>{Doomed, After, Graphic})
    EXPECT_EQ(Log.Count(c, AC_SKINLOADED), 0) << c->Name();
}

TEST_F(ChildMessages, UpdateDoneGoesToShowingChildrenUnlessAnAnimationRuns) {
  Form->Show();
  auto* Shown = Add<TPanel>(Form, L"Shown");
  auto* Hidden = Add<TPanel>(Form, L"Hidden");
  auto* NoWindow = Add<TPanel>(Form, L"NoWindow");
  auto* Graphic = Add<TGraphicControl>(Form, L"Graphic");
  Shown->HandleNeeded();
  Hidden->SetVisible(false);
  Hidden->HandleNeeded();
  NoWindow->DestroyHandle();
  for (TControl* c : std::initializer_list<TControl*>{Shown, Hidden, NoWindow, Graphic}) Log.Watch(c);

  AnimationRunning = true;
  NotifyChildrenUpdated(Form);
  AnimationRunning = false;
  for (TControl* c : std::initializer_list<TControl*>{Shown, Hidden, NoWindow, Graphic})
    EXPECT_EQ(Log.Count(c, AC_UPDATEDONE), 0) << c->Name();

  NotifyChildrenUpdated(Form);
  EXPECT_EQ(Log.Count(Shown, AC_UPDATEDONE), 1);
  EXPECT_EQ(Log.Count(Graphic, AC_UPDATEDONE), 1);
  EXPECT_EQ(Log.Count(Hidden, AC_UPDATEDONE), 0);
  EXPECT_EQ(Log.Count(NoWindow, AC_UPDATEDONE), 0);
  EXPECT_FALSE(NoWindow->HandleAllocated());
}

TEST_F(ChildMessages, FormHearsOfALoadedChildButNotOfOneStillLoading) {
  auto* Holder = Add<TPanel>(Form);
  auto* Child = Add<TPanel>(Holder);
  Form->HandleNeeded();
  Log.Watch(Form);
  NotifyFormOfChild(Child);
  EXPECT_EQ(Log.Count(Form, AC_CONTROLLOADED), 1);
  EXPECT_EQ(Log.LastLParam[Form], reinterpret_cast<LPARAM>(Child));

  Child->BeginLoading();
  NotifyFormOfChild(Child);
  Child->EndLoading();
  NotifyFormOfChild(nullptr);
  EXPECT_EQ(Log.Count(Form, AC_CONTROLLOADED), 1);
}

TEST_F(ChildMessages, WalkUntilGivesEachChildItsOwnCopyAndStopsAtTrue) {
  // Form: A (panel) -> A1 (graphic); B (panel)
  auto* A = Add<TPanel>(Form, L"A");
  auto* A1 = Add<TGraphicControl>(A, L"A1");
  auto* B = Add<TPanel>(Form, L"B");
  std::vector<std::pair<String, int>> visits;
  const bool stopped = ForEachChildUntil(Form, 10, [&](TControl* c, int& data) {
    visits.emplace_back(c->Name(), data);
    data += 1;
    return false;
  });
  EXPECT_FALSE(stopped);
  const std::vector<std::pair<String, int>> expected{{L"A", 10}, {L"A1", 11}, {L"B", 10}};
  EXPECT_EQ(visits, expected);

  int seen = 0;
  EXPECT_TRUE(ForEachChildUntil(Form, 0, [&](TControl* c, int&) { return ++seen, c == A1; }));
  EXPECT_EQ(seen, 2);

  std::vector<TControl*> all;
  ForEachChild(Form, 0, [&](TControl* c, intptr_t) { all.push_back(c); });
  EXPECT_EQ(all, (std::vector<TControl*>{A, A1, B}));
}

TEST_F(ChildMessages, Command44EndsTheWalkAtTheFirstChildThatAnswers) {
  auto* Graphic = Add<TGraphicControl>(Form, L"Graphic");
  auto* Quiet = Add<TPanel>(Form, L"Quiet");
  auto* HighBitsOnly = Add<TPanel>(Form, L"HighBitsOnly");
  auto* Answers = Add<TPanel>(Form, L"Answers");
  auto* Never = Add<TPanel>(Form, L"Never");
  for (TPanel* p : {Quiet, HighBitsOnly, Answers, Never}) p->HandleNeeded();
  Log.Watch(Graphic, 1);
  Log.Watch(Quiet, 0);
  Log.Watch(HighBitsOnly, 0x100);  // the low byte decides
  Log.Watch(Answers, 1);
  Log.Watch(Never, 1);
  EXPECT_TRUE(ForEachChildUntil(Form, 0x1234, Command44Callback));
  EXPECT_EQ(Log.Count(Graphic, AC_CODE44), 0);
  EXPECT_EQ(Log.Count(Quiet, AC_CODE44), 1);
  EXPECT_EQ(SkinCommandArgument(Log.Seen[Quiet][0]), 0x1234);
  EXPECT_EQ(Log.Count(HighBitsOnly, AC_CODE44), 1);
  EXPECT_EQ(Log.Count(Answers, AC_CODE44), 1);
  EXPECT_EQ(Log.Count(Never, AC_CODE44), 0);
}

}  // namespace
