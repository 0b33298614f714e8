// The command message on its way to controls: one control through its
// dispatch, and all children of a container, stopping below those that
// skin themselves.
#include <gtest/gtest.h>

#include <map>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "skin/core/SkinCommand.h"
#include "tests/skin/support/command_log.h"

namespace {

class ControlCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Form = new TForm(Application);
    Form->FinishCreate();
  }
  void TearDown() override { delete Form; }

  template <class T>
  T* Add(TWinControl* Parent, const wchar_t* Name = L"") {
    T* c = new T(Form);
    c->SetName(Name);
    c->SetBounds(0, 0, 40, 20);
    c->SetParent(Parent);
    return c;
  }

  TForm* Form = nullptr;
  TCommandLog Log;
};

TEST_F(ControlCommand, ReachesOneControlThroughItsDispatch) {
  auto* Graphic = Add<TGraphicControl>(Form);
  auto* Windowed = Add<TPanel>(Form);
  Log.Watch(Graphic, 7);
  Log.Watch(Windowed, 9);

  EXPECT_EQ(SendCtrlCommand(Graphic, AC_GETBGCOLOR, 1234), 7);
  ASSERT_EQ(Log.Seen[Graphic].size(), 1u);
  EXPECT_EQ(Log.Seen[Graphic][0], WPARAM(AC_GETBGCOLOR) << 16);  // the argument word is 0
  EXPECT_EQ(Log.LastLParam[Graphic], 1234);

  // A windowed control answers before it has a window.
  ASSERT_FALSE(Windowed->HandleAllocated());
  EXPECT_EQ(QueryCtrlCommand(Windowed, AC_GETDEFINDEX), 9);
  EXPECT_EQ(Log.LastLParam[Windowed], 0);
  EXPECT_FALSE(Windowed->HandleAllocated());

  EXPECT_EQ(SendCtrlCommand(nullptr, AC_GETBGCOLOR, 0), 0);
}

TEST_F(ControlCommand, AskingAWindowTakesOnlyTheAnswerOne) {
  auto* Panel = Add<TPanel>(Form);
  LRESULT Answer = 0;
  TWndMethod Inherited = Panel->WindowProc;
  Panel->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SKINCOMMAND)
      m.Result = Answer;
    else
      Inherited(m);
  };
  HWND Wnd = Panel->Handle();
  for (LRESULT a : {0, 1, 2, -1}) {
    Answer = a;
    EXPECT_EQ(AskWndCommand(Wnd, AC_ISSKINAWARE), a == 1) << "answer " << a;
  }
}

TEST_F(ControlCommand, WindowsCountAsSkinnedByTheirPropertiesOrTheirAnswer) {
  auto* Panel = Add<TPanel>(Form);
  Log.Watch(Panel);
  HWND Wnd = Panel->Handle();
  EXPECT_FALSE(IsWindowSkinned(Wnd));
  int Marker = 0;
  for (const wchar_t* Property : {acSkinDataProperty, acScrollWrapperProperty}) {
    SetPropW(Wnd, Property, &Marker);
    EXPECT_TRUE(IsWindowSkinned(Wnd)) << Property;
    RemovePropW(Wnd, Property);
  }
  Log.Watch(Panel, 0, true);
  EXPECT_TRUE(IsWindowSkinned(Wnd));
}

TEST_F(ControlCommand, BroadcastWalksDownToEveryChildButBelowSkinnedOnes) {
  // Form
  // +- Plain (panel)            +- Label (graphic)
  // |  +- Inner (panel)         +- Skinned (panel, skins itself)
  // |  |  +- Deep (graphic)     |  +- Hidden (panel)
  // |  +- InnerGraphic          +- NoWindow (panel without a window)
  auto* Plain = Add<TPanel>(Form, L"Plain");
  auto* Inner = Add<TPanel>(Plain, L"Inner");
  auto* Deep = Add<TGraphicControl>(Inner, L"Deep");
  auto* InnerGraphic = Add<TGraphicControl>(Plain, L"InnerGraphic");
  auto* Label = Add<TGraphicControl>(Form, L"Label");
  auto* Skinned = Add<TPanel>(Form, L"Skinned");
  auto* Hidden = Add<TPanel>(Skinned, L"Hidden");
  for (TPanel* c : {Plain, Inner, Skinned, Hidden}) c->HandleNeeded();
  auto* NoWindow = Add<TPanel>(Form, L"NoWindow");
  NoWindow->DestroyHandle();
  for (TControl* c : std::initializer_list<TControl*>{Plain, Inner, Deep, InnerGraphic, Label, Hidden, NoWindow})
    Log.Watch(c);
  Log.Watch(Skinned, 0, true);

  TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_SKINLOADED), 55, 0};
  BroadcastToChildren(Form, m);

  for (TControl* c : std::initializer_list<TControl*>{Plain, Inner, Deep, InnerGraphic, Label, Skinned}) {
    EXPECT_EQ(Log.Count(c, AC_SKINLOADED), 1) << c->Name();
    EXPECT_EQ(Log.LastLParam[c], 55);
  }
  EXPECT_EQ(Log.Count(Hidden, AC_SKINLOADED), 0);    // its skinned parent passes it on itself
  EXPECT_EQ(Log.Count(NoWindow, AC_SKINLOADED), 0);  // no window to send it to
  EXPECT_EQ(Log.Count(Form, AC_SKINLOADED), 0);      // only the children
}

TEST_F(ControlCommand, BroadcastGoesStraightToASkinHandlerOfTheWindow) {
  struct TDirect : TacSkinMessageTarget {
    int Calls = 0;
    LRESULT SkinWndProc(UINT, WPARAM, LPARAM) override { return ++Calls, 3; }
  } Direct;
  auto* Panel = Add<TPanel>(Form);
  auto* Below = Add<TGraphicControl>(Panel);
  Log.Watch(Panel);
  Log.Watch(Below);
  SetPropW(Panel->Handle(), acSkinDataProperty, &Direct);

  TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_FONTSCHANGED), 0, 0};
  BroadcastToChildren(Form, m);
  EXPECT_EQ(Direct.Calls, 1);
  EXPECT_EQ(m.Result, 3);
  EXPECT_EQ(Log.Count(Panel, AC_FONTSCHANGED), 0);  // not through its window
  EXPECT_EQ(Log.Count(Below, AC_FONTSCHANGED), 0);  // and the handler owns the walk below
  RemovePropW(Panel->Handle(), acSkinDataProperty);
}

}  // namespace
