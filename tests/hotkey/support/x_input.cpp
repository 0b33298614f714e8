#include "tests/hotkey/support/x_input.h"

#include "tests/support/wait_until.h"

bool RunXdotool(const String& arguments) {
  String commandLine = L"start.exe /wait /unix /usr/bin/xdotool " + arguments;
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                      &pi))
    return false;
  const TOwnedHandle process(pi.hProcess), thread(pi.hThread);
  WaitForSingleObject(process.get(), kPatienceMs);
  return true;
}

TOwnedHandle StartFocusedNotepad() {
  wchar_t commandLine[] = L"notepad.exe";
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
  TOwnedHandle process(pi.hProcess);
  const TOwnedHandle thread(pi.hThread);
  WaitForInputIdle(process.get(), kPatienceMs);
  HWND notepad = nullptr;
  WaitUntil([&] {
    notepad = FindWindowW(L"Notepad", nullptr);
    return notepad != nullptr;
  });
  RunXdotool(L"search --sync --onlyvisible --name Notepad windowfocus --sync");
  return process;
}
