#include "tests/hotkey/support/x_input.h"

bool RunXdotool(const String& arguments) {
  String commandLine = L"start.exe /wait /unix /usr/bin/xdotool " + arguments;
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                      &pi))
    return false;
  const TOwnedHandle process(pi.hProcess), thread(pi.hThread);
  WaitForSingleObject(process.get(), 10000);
  return true;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
  return true;
}

TOwnedHandle StartFocusedNotepad() {
  wchar_t commandLine[] = L"notepad.exe";
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
  TOwnedHandle process(pi.hProcess);
  const TOwnedHandle thread(pi.hThread);
  WaitForInputIdle(process.get(), 10000);
  HWND notepad = nullptr;
  PumpUntil([&] {
    notepad = FindWindowW(L"Notepad", nullptr);
    return notepad != nullptr;
  }, 10000);
  RunXdotool(L"search --sync --onlyvisible --name Notepad windowfocus --sync");
  return process;
}
