// The application's hint manager: which control's hint shows, in which
// window class, when it goes, and what CM_HINTSHOW and OnShowHint may change.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/HintManager.h"
#include "framework/HintWindow.h"
#include "framework/Label.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A replacement hint class that records what the manager asks of it.
struct TRecordingHint : THintWindow {
  using THintWindow::THintWindow;
  RECT CalcHintRect(int maxWidth, const String& hint, void* data) override {
    Calculated.push_back(hint);
    return THintWindow::CalcHintRect(maxWidth, hint, data);
  }
  void ActivateHint(RECT rect, const String& hint) override {
    Shown.push_back(hint);
    LastRect = rect;
    THintWindow::ActivateHint(rect, hint);
  }
  static inline std::vector<String> Calculated;
  static inline std::vector<String> Shown;
  static inline RECT LastRect{};
};

// A control whose CM_HINTSHOW answer and changes are set by the test.
class THintedButton : public TButton {
 public:
  using TButton::TButton;
  bool Refuse = false;
  String Replace;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_HINTSHOW) {
      auto* info = reinterpret_cast<THintInfo*>(m.LParam);
      if (!Replace.empty()) info->HintStr = Replace;
      m.Result = Refuse ? 1 : 0;
      return;
    }
    TButton::WndProc(m);
  }
};

class Hints : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    HintWindowClass = &MakeHintWindow<TRecordingHint>;
    TRecordingHint::Calculated.clear();
    TRecordingHint::Shown.clear();
    form = new TForm(Application, CreateNew);
    form->SetBounds(120, 120, 320, 200);
    form->SetShowHint(true);
    button = new THintedButton(form);
    button->SetBounds(10, 10, 120, 30);
    button->SetHint(L"Save now|Saves every setting");
    button->SetShowHint(true);
    button->SetParent(form);
    label = new TLabel(form);
    label->SetBounds(10, 60, 120, 20);
    label->SetCaption(L"Port");
    label->SetHint(L"The COM port");
    label->SetShowHint(true);
    label->SetParent(form);
    silent = new TButton(form);
    silent->SetBounds(10, 100, 120, 30);
    silent->SetHint(L"never shown: ShowHint is off here and on the form's empty hint");
    silent->SetParent(form);
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpFor(50);
  }
  void TearDown() override {
    Application->CancelHint();
    Application->OnShowHint = nullptr;
    Application->SetHintHidePause(2500);
    Application->SetHintPause(500);
    delete form;
    HintWindowClass = &MakeHintWindow<THintWindow>;
  }
  static POINT CentreOf(TControl& c) {
    const RECT r = c.ClientRect();
    return c.ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  static String ShownText() {
    THintWindow* w = Application->HintWindow();
    return w && w->HandleAllocated() && IsWindowVisible(w->Handle()) ? w->Caption() : L"(none)";
  }

  TForm* form = nullptr;
  THintedButton* button = nullptr;
  TLabel* label = nullptr;
  TButton* silent = nullptr;
};

TEST_F(Hints, TheReplacedClassShowsTheShortHintOfWindowedAndWindowlessControls) {
  struct Case {
    TControl* Hover;
    const wchar_t* Expected;
  };
  for (const Case& c : {Case{button, L"Save now"}, Case{label, L"The COM port"}, Case{silent, L"(none)"}}) {
    const POINT p = CentreOf(*c.Hover);
    Application->ActivateHint(p);
    EXPECT_EQ(ShownText(), c.Expected) << c.Expected;
    if (Application->HintWindow()) {
      // Below the cursor, never over it.
      EXPECT_EQ(TRecordingHint::LastRect.left, p.x);
      EXPECT_GT(TRecordingHint::LastRect.top, p.y);
      EXPECT_NE(dynamic_cast<TRecordingHint*>(Application->HintWindow()), nullptr);
    }
    Application->CancelHint();
  }
  EXPECT_EQ(TRecordingHint::Calculated, TRecordingHint::Shown);
}

TEST_F(Hints, HintShowAndOnShowHintMayChangeOrRefuse) {
  struct Case {
    bool ControlRefuses;
    const wchar_t* ControlText;
    bool HandlerRefuses;
    const wchar_t* HandlerText;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {false, L"", false, L"", L"Save now"},
      {false, L"from the control", false, L"", L"from the control"},
      {false, L"", false, L"from the handler", L"from the handler"},
      {true, L"", false, L"", L"(none)"},
      {false, L"", true, L"", L"(none)"},
  };
  for (const Case& c : cases) {
    button->Refuse = c.ControlRefuses;
    button->Replace = c.ControlText;
    Application->OnShowHint = [&](String& text, bool& canShow, THintInfo& info) {
      EXPECT_EQ(info.HintControl, button);
      if (*c.HandlerText) text = c.HandlerText;
      if (c.HandlerRefuses) canShow = false;
    };
    Application->ActivateHint(CentreOf(*button));
    EXPECT_EQ(ShownText(), c.Expected);
    Application->CancelHint();
  }
}

TEST_F(Hints, CancelHintAClickAndTheHidePauseEachHideTheHint) {
  Application->ActivateHint(CentreOf(*button));
  ASSERT_EQ(ShownText(), L"Save now");
  Application->CancelHint();  // returns at once: nothing to wait for
  EXPECT_EQ(Application->HintWindow(), nullptr);

  Application->ActivateHint(CentreOf(*button));
  ASSERT_EQ(ShownText(), L"Save now");
  PostMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  PostMessageW(button->Handle(), WM_LBUTTONUP, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(Application->HintWindow(), nullptr);

  Application->SetHintHidePause(20);
  Application->ActivateHint(CentreOf(*button));
  ASSERT_EQ(ShownText(), L"Save now");
  EXPECT_TRUE(WaitUntil([] { return Application->HintWindow() == nullptr; }));
}

TEST_F(Hints, TheIdleStepShowsAfterThePauseAndHidesWhenTheMouseLeaves) {
  Application->SetHintPause(10);
  SetCursorPos(CentreOf(*label).x, CentreOf(*label).y);
  EXPECT_TRUE(WaitUntil([] {
    Application->Idle();
    return Application->HintWindow() != nullptr;
  }));
  EXPECT_EQ(ShownText(), L"The COM port");
  // Onto a control without a hint of its own: the hint goes.
  SetCursorPos(CentreOf(*silent).x, CentreOf(*silent).y);
  EXPECT_TRUE(WaitUntil([] {
    Application->Idle();
    return Application->HintWindow() == nullptr;
  }));
}

TEST_F(Hints, AControlFreedWhileItsHintShowsTakesTheHintWithIt) {
  Application->ActivateHint(CentreOf(*button));
  ASSERT_NE(Application->HintWindow(), nullptr);
  delete button;
  EXPECT_EQ(Application->HintWindow(), nullptr);
  PumpFor(20);  // no timer of the manager touches the freed control
}

}  // namespace
