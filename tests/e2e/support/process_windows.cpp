#include "tests/e2e/support/process_windows.h"

#include "tests/support/wait_until.h"

namespace {

DWORD OwnerOf(HWND wnd) {
  DWORD owner = 0;
  GetWindowThreadProcessId(wnd, &owner);
  return owner;
}

String ClassOf(HWND wnd) {
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  return name;
}

String CaptionOf(HWND wnd) {
  wchar_t text[2048] = {};
  GetWindowTextW(wnd, text, 2048);
  return text;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  struct TSearch {
    DWORD Id;
    std::vector<HWND> Found;
  } search{processId, {}};
  EnumWindows(
      [](HWND wnd, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(p);
        if (OwnerOf(wnd) == s->Id) s->Found.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND WaitForDialog(DWORD processId, const wchar_t* caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND wnd : TopLevelWindows(processId))
          if (ClassOf(wnd) == L"#32770" && CaptionOf(wnd) == caption && IsWindowVisible(wnd))
            return (found = wnd) != nullptr;
        return false;
      },
      timeoutMs);
  return found;
}

String DialogText(HWND dialog) {
  // A message box shows its text in a static control; the buttons are the rest.
  String text;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (ClassOf(child) == L"Static") text += CaptionOf(child);
  return text;
}

HWND ApplicationWindow(DWORD processId, const wchar_t* title) {
  for (HWND wnd : TopLevelWindows(processId))
    if (ClassOf(wnd) == L"KelvraUtilWindow" && CaptionOf(wnd) == title) return wnd;
  return nullptr;
}

void CloseEveryWindow(DWORD processId) {
  for (HWND wnd : TopLevelWindows(processId)) PostMessageW(wnd, WM_CLOSE, 0, 0);
}
