// The confirmation that guards the clear: only a press of OK says yes.
#include "app/Confirmation.h"
#include "framework/Application.h"

#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

// This process's confirmation box, once it shows.
HWND WaitForConfirmation() {
  HWND found = nullptr;
  WaitUntil([&] {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", L"Confirm")) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(box, &owner);
      if (owner == GetCurrentProcessId() && IsWindowVisible(box)) return (found = box) != nullptr;
    }
    return false;
  });
  return found;
}

struct EndingCase {
  const char* name;
  std::function<void(HWND box, DWORD guiThread)> end;
  bool confirmed;
};

TEST(Confirmation, OnlyAPressOfOkSaysYes) {
  InitApplication();
  const EndingCase cases[] = {
      {"OK pressed", [](HWND box, DWORD) { SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }, true},
      {"Enter on OK", [](HWND box, DWORD) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }, true},
      {"Cancel pressed", [](HWND box, DWORD) { SendMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0); }, false},
      {"the box closed", [](HWND box, DWORD) { PostMessageW(box, WM_CLOSE, 0, 0); }, false},
      // What a close of the program does while the box is open.
      {"the program quits", [](HWND, DWORD gui) { PostThreadMessageW(gui, WM_QUIT, 0, 0); }, false},
  };
  for (const EndingCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DWORD gui = GetCurrentThreadId();
    bool found = false;
    std::thread ender([&] {
      if (HWND box = WaitForConfirmation()) {
        found = true;
        c.end(box, gui);
      }
    });
    const bool confirmed = ConfirmedByOk(L"Clear the ID, CREDITS and LOGFILE?");
    ender.join();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(confirmed, c.confirmed);
  }
}

}  // namespace
