// The main window's hints through the real program: the mouse resting on a
// control shows that control's hint in the skin's alpha hint window.
#include "tests/e2e/support/process_windows.h"
#include "tests/e2e/support/program_fixture.h"

namespace {

using Hints = ProgramFixture;

String WindowText(HWND wnd) {
  wchar_t text[256] = {};
  GetWindowTextW(wnd, text, static_cast<int>(std::size(text)));
  return text;
}

// A shown top-level window of the process with this text, or nullptr.
HWND ShownWindowWithText(DWORD processId, const String& text) {
  for (HWND wnd : TopLevelWindows(processId))
    if (IsWindowVisible(wnd) && WindowText(wnd) == text) return wnd;
  return nullptr;
}

TEST_F(Hints, RestingOnAButtonShowsItsHintInALayeredHintWindow) {
  Start();
  SetForegroundWindow(window->Form());
  HWND button = window->Child(L"KelvraButton", L"Clear ID");
  ASSERT_TRUE(button);
  RECT r;
  GetWindowRect(button, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);

  HWND hint = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (hint = ShownWindowWithText(program->Id(), L"Clear the transaction ID")); }));
  // The skin's hint window is a layered carrier that never takes the focus,
  // not the framework's plain one.
  const LONG_PTR exStyle = GetWindowLongPtrW(hint, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
  EXPECT_NE(GetForegroundWindow(), hint);

  // Away from every window of the program: the hint goes.
  SetCursorPos(0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !ShownWindowWithText(program->Id(), L"Clear the transaction ID"); }));
  Close();
}

}  // namespace
