// The running program, hidden, brought back only through Ctrl+Alt+S; and a
// program that cannot get the hot key does not hide.
#include "app/ShellFolders.h"
#include "tests/hotkey/support/x_input.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/wait_until.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

HWND WindowOf(DWORD pid, const wchar_t* title, DWORD timeoutMs = kPatienceMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        HWND wnd = nullptr;
        while ((wnd = FindWindowExW(nullptr, wnd, L"KelvraForm", title)) != nullptr) {
          DWORD owner = 0;
          GetWindowThreadProcessId(wnd, &owner);
          if (owner == pid) {
            found = wnd;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

class ServiceAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = GetSpecialFolderPath(nullptr, CSIDL_APPDATA) + L"\\drovik\\kelvraadapter\\";
    ForceDirectories(dataFolder);
    ScratchFolder::WriteBytes(dataFolder + L"data.txt", "[data]\r\npass=1234\r\n");
  }
  void TearDown() override {
    for (const wchar_t* name : {L"data.txt", L"data_last.txt", L"credits.txt"}) DeleteFile(dataFolder + name);
  }
  String dataFolder;
};

TEST_F(ServiceAccess, HiddenProgramShowsTheServiceDialogForCtrlAltS) {
  TChildProcess program = TChildProcess::Program(L"/hide");
  ASSERT_EQ(WaitForInputIdle(program.Process(), kPatienceMs), 0u);
  // Hidden: no window of the program is on the screen.
  HWND main = WindowOf(program.Id(), L"KELVRA-Adapter", 500);
  EXPECT_TRUE(!main || !IsWindowVisible(main));

  const TOwnedHandle notepad = StartFocusedNotepad();
  ASSERT_TRUE(notepad);
  ASSERT_TRUE(RunXdotool(L"key ctrl+alt+s"));
  HWND dialog = WindowOf(program.Id(), L"Service");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
  EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  // The main window stays hidden until the password is given.
  main = WindowOf(program.Id(), L"KELVRA-Adapter", 500);
  EXPECT_TRUE(!main || !IsWindowVisible(main));
  TerminateProcess(notepad.get(), 0);
}

TEST_F(ServiceAccess, ProgramStartsShownWhenAnotherProgramHoldsTheHotKey) {
  HWND holder = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(RegisterHotKey(holder, 1, MOD_CONTROL | MOD_ALT, 'S'));
  {
    TChildProcess program = TChildProcess::Program(L"/hide");
    HWND main = WindowOf(program.Id(), L"KELVRA-Adapter");
    ASSERT_TRUE(main);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
  }
  UnregisterHotKey(holder, 1);
  DestroyWindow(holder);
}

}  // namespace
