// The framework's notifications as a hook on WindowProc sees them: at which
// moments they are sent, in which order, and what they carry; the realign
// queue that stops controls resizing each other; re-creation that keeps the
// state of every window below.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class Notifications : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void TearDown() override { delete form; }

  TForm* form = nullptr;
};

String MessageName(UINT msg) {
  switch (msg) {
    case CM_VISIBLECHANGED:
      return L"CM_VISIBLECHANGED";
    case CM_SHOWINGCHANGED:
      return L"CM_SHOWINGCHANGED";
    case CM_ENABLEDCHANGED:
      return L"CM_ENABLEDCHANGED";
    case CM_TEXTCHANGED:
      return L"CM_TEXTCHANGED";
    case CM_CHANGED:
      return L"CM_CHANGED";
    case CM_INVALIDATE:
      return L"CM_INVALIDATE";
    case CM_CONTROLLISTCHANGE:
      return L"CM_CONTROLLISTCHANGE";
    case CM_MOUSEENTER:
      return L"CM_MOUSEENTER";
    case CM_MOUSELEAVE:
      return L"CM_MOUSELEAVE";
    case CM_ENTER:
      return L"CM_ENTER";
    case CM_EXIT:
      return L"CM_EXIT";
    case CM_FOCUSCHANGED:
      return L"CM_FOCUSCHANGED";
    case CM_RECREATEWND:
      return L"CM_RECREATEWND";
    case CM_CANCELMODE:
      return L"CM_CANCELMODE";
    case CN_KEYDOWN:
      return L"CN_KEYDOWN";
    case CN_CHAR:
      return L"CN_CHAR";
    default:
      return L"";
  }
}

// Hooks WindowProc of each control it watches, as a skin wrapper does, and
// writes down the notifications with what they carry: the control in LParam
// (or WParam for the control list), and for showing whether the window was
// on screen when the hook saw it.
class TRecorder {
 public:
  void Watch(TControl* c) {
    TWndMethod saved = c->WindowProc;
    c->WindowProc = [this, c, saved](TMessage& m) {
      Record(c, m);
      saved(m);
    };
  }
  std::vector<String> Take() { return std::exchange(FSeen, {}); }

 private:
  void Record(TControl* c, const TMessage& m) {
    String name = MessageName(m.Msg);
    if (name.empty() || (m.Msg == CM_INVALIDATE && m.WParam != 0)) return;  // a child's invalidation
    String line = c->Name() + L" " + name;
    auto* w = dynamic_cast<TWinControl*>(c);
    switch (m.Msg) {
      case CM_SHOWINGCHANGED:
        line += IsWindowVisible(w->Handle()) ? L" (on screen)" : L" (off screen)";
        break;
      case CM_CONTROLLISTCHANGE:
        line += L" " + reinterpret_cast<TControl*>(m.WParam)->Name() + (m.LParam ? L" in" : L" out");
        break;
      case CM_MOUSEENTER:
      case CM_MOUSELEAVE:
      case CM_FOCUSCHANGED:
      case CM_CHANGED:
        line += L" " + reinterpret_cast<TControl*>(m.LParam)->Name();
        break;
      case CM_CANCELMODE:
        if (m.LParam) line += L" " + reinterpret_cast<TControl*>(m.LParam)->Name();
        break;
    }
    FSeen.push_back(line);
  }
  std::vector<String> FSeen;
};

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const wchar_t* name, int left, int top, int width, int height) {
  T* c = new T(owner);
  c->SetName(name);
  c->SetBounds(left, top, width, height);
  c->SetParent(parent);
  return c;
}

// Moves the real cursor and runs the application's idle step until the
// control under it is the one expected.
bool HoverOver(TControl* expected, POINT screen) {
  SetCursorPos(screen.x, screen.y);
  return WaitUntil([&] {
    Application->Idle();
    return Application->MouseControl() == expected;
  });
}

TEST_F(Notifications, EachActionSendsItsNotificationsInOrder) {
  form = new TForm(Application, CreateNew);
  form->SetName(L"form");
  form->SetBounds(200, 200, 400, 300);
  auto* panel = Make<TPanel>(form, form, L"panel", 0, 0, 380, 250);
  auto* edit = Make<TEdit>(form, panel, L"edit", 10, 10, 120, 24);
  auto* inner = Make<TPanel>(form, panel, L"inner", 10, 50, 200, 60);
  auto* check = Make<TCheckBox>(form, inner, L"check", 5, 5, 100, 20);
  auto* label = Make<TLabel>(form, panel, L"label", 10, 150, 100, 40);
  label->SetAutoSize(false);
  auto* extra = new TLabel(form);
  extra->SetName(L"extra");
  form->HandleNeeded();
  TRecorder recorder;
  for (TControl* c : std::initializer_list<TControl*>{form, panel, edit, inner, check, label}) recorder.Watch(c);
  const POINT onLabel = label->ClientToScreen(POINT{50, 20});
  const POINT offForm{form->Left() + form->Width() + 50, form->Top() + form->Height() + 50};

  struct Row {
    const char* action;
    std::function<void()> act;
    std::vector<String> seen;
  };
  const Row rows[] = {
      {"showing a form: children first, each before its window appears",
       [&] { form->Show(); },
       {L"form CM_VISIBLECHANGED", L"edit CM_SHOWINGCHANGED (off screen)", L"check CM_SHOWINGCHANGED (off screen)",
        L"inner CM_SHOWINGCHANGED (off screen)", L"panel CM_SHOWINGCHANGED (off screen)",
        L"form CM_SHOWINGCHANGED (off screen)"}},
      {"hiding a child", [&] { edit->Hide(); }, {L"edit CM_VISIBLECHANGED", L"edit CM_SHOWINGCHANGED (on screen)"}},
      {"showing a child", [&] { edit->Show(); }, {L"edit CM_VISIBLECHANGED", L"edit CM_SHOWINGCHANGED (off screen)"}},
      {"disabling", [&] { check->SetEnabled(false); }, {L"check CM_ENABLEDCHANGED", L"check CM_INVALIDATE"}},
      {"checking a box: changed before the click", [&] { check->SetChecked(true); }, {L"check CM_CHANGED check"}},
      {"setting text",
       [&] { edit->SetText(L"new text"); },
       {L"edit CM_CHANGED edit", L"edit CM_TEXTCHANGED", L"edit CM_INVALIDATE"}},
      {"inserting a control",
       [&] { extra->SetParent(panel); },
       {L"panel CM_CONTROLLISTCHANGE extra in", L"panel CM_INVALIDATE"}},
      {"removing a control",
       [&] { extra->SetParent(nullptr); },
       {L"panel CM_CONTROLLISTCHANGE extra out", L"panel CM_INVALIDATE"}},
      {"the mouse onto a window-less control: it, then its parents, with it in LParam",
       [&] { EXPECT_TRUE(HoverOver(label, onLabel)); },
       {L"label CM_MOUSEENTER label", L"panel CM_MOUSEENTER label", L"form CM_MOUSEENTER label"}},
      {"the mouse off it",
       [&] { EXPECT_TRUE(HoverOver(nullptr, offForm)); },
       {L"label CM_MOUSELEAVE label", L"panel CM_MOUSELEAVE label", L"form CM_MOUSELEAVE label"}},
      {"re-creating a window", [&] { inner->RecreateWnd(); }, {L"inner CM_RECREATEWND"}},
      {"a focus change: exit up to the shared parent, enter down, then everyone hears",
       [&] {
         check->SetEnabled(true);
         edit->SetFocus();
         ASSERT_EQ(GetFocus(), edit->Handle());
         recorder.Take();
         check->SetFocus();
       },
       {L"edit CM_CANCELMODE check", L"edit CM_EXIT", L"inner CM_ENTER", L"check CM_ENTER",
        L"form CM_FOCUSCHANGED check", L"panel CM_FOCUSCHANGED check", L"edit CM_FOCUSCHANGED check",
        L"inner CM_FOCUSCHANGED check", L"check CM_FOCUSCHANGED check", L"label CM_FOCUSCHANGED check"}},
      {"keys reach the focused control first",
       [&] {
         PostMessageW(check->Handle(), WM_KEYDOWN, VK_F5, 0);
         PostMessageW(check->Handle(), WM_CHAR, L'x', 0);
         Application->ProcessMessages();
       },
       {L"check CN_KEYDOWN", L"check CN_CHAR"}},
      {"the system cancelling modes",
       [&] { SendMessageW(form->Handle(), WM_CANCELMODE, 0, 0); },
       {L"check CM_CANCELMODE"}},
      {"hiding a form", [&] { form->Hide(); }, {L"form CM_VISIBLECHANGED", L"form CM_SHOWINGCHANGED (on screen)"}},
  };
  // Nothing of ours under the mouse to begin with.
  ASSERT_TRUE(HoverOver(nullptr, offForm));
  recorder.Take();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.action);
    row.act();
    EXPECT_EQ(recorder.Take(), row.seen);
  }
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  delete extra;
}

// Widens its parent whenever it aligns: the parent then realigns it, and so
// on without end unless the realign run stops them.
class TWideningChild : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Aligns = 0;

 protected:
  void AlignControls(RECT& rect) override {
    ++Aligns;
    if (TWinControl* parent = Parent()) parent->SetWidth(parent->Width() + 1);
  }
};

class TCountingParent : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Aligns = 0;

 protected:
  void AlignControls(RECT& rect) override {
    ++Aligns;
    TCustomControl::AlignControls(rect);
  }
};

TEST_F(Notifications, ControlsThatResizeEachOtherStopAtTheRealignCap) {
  form = new TForm(Application, CreateNew);
  auto* outer = Make<TCountingParent>(form, form, L"outer", 0, 0, 100, 50);
  auto* child = Make<TWideningChild>(form, outer, L"child", 0, 0, 10, 10);
  child->SetAlign(TAlign::alClient);
  form->HandleNeeded();
  int childResizes = 0;
  child->OnResize = [&](TObject*) { ++childResizes; };
  outer->Aligns = child->Aligns = 0;
  const int width = outer->Width() + 100;

  outer->SetWidth(width);

  constexpr int kCap = 30;
  EXPECT_EQ(child->Aligns, kCap);
  EXPECT_EQ(outer->Aligns, kCap + 1);  // the realign that started the run, then the queued ones
  EXPECT_EQ(outer->Width(), width + kCap);
  EXPECT_EQ(childResizes, 1);  // once, after the run
}

TEST_F(Notifications, RecreatingAFormKeepsWhatTheUserTypedInGrandchildren) {
  form = new TForm(Application, CreateNew);
  form->SetBounds(100, 100, 400, 300);
  auto* panel = Make<TPanel>(form, form, L"panel", 0, 0, 380, 250);
  auto* edit = Make<TEdit>(form, panel, L"edit", 10, 10, 120, 24);
  auto* memo = Make<TMemo>(form, panel, L"memo", 10, 50, 200, 100);
  form->Show();
  const HWND oldEdit = edit->Handle();
  SendMessageW(edit->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed"));
  SendMessageW(memo->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"first\r\nsecond"));

  form->SetBorderStyle(TFormBorderStyle::bsToolWindow);  // re-creates the form's window

  ASSERT_NE(edit->Handle(), oldEdit);
  EXPECT_FALSE(IsWindow(oldEdit));
  EXPECT_EQ(edit->Text(), L"typed");
  wchar_t shown[32] = {};
  GetWindowTextW(edit->Handle(), shown, 32);
  EXPECT_STREQ(shown, L"typed");
  ASSERT_EQ(memo->Lines().Count(), 2);
  EXPECT_EQ(memo->Lines().Get(1), L"second");
  EXPECT_TRUE(form->Showing());  // a showing form shows again with its new window
}

}  // namespace
