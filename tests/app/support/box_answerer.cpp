#include "tests/app/support/box_answerer.h"

#include <cwchar>

TBoxAnswerer::TBoxAnswerer(const wchar_t* caption, const wchar_t* fragment)
    : FCaption(caption), FFragment(fragment), FThread([this] { Run(); }) {}

TBoxAnswerer::~TBoxAnswerer() {
  FStop = true;
  FThread.join();
}

void TBoxAnswerer::Run() {
  struct TFind {
    const wchar_t* Fragment;
    bool Found;
  };
  const DWORD pid = GetCurrentProcessId();
  HWND answered = nullptr;  // until its loop has taken the press
  while (!FStop) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", FCaption.c_str())) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(box, &owner);
      if (owner != pid || !IsWindowVisible(box) || box == answered) continue;
      TFind find{FFragment.c_str(), false};
      EnumChildWindows(
          box,
          [](HWND child, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<TFind*>(p);
            wchar_t t[1024];
            GetWindowTextW(child, t, 1024);
            if (wcsstr(t, f->Fragment)) f->Found = true;
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&find));
      if (!find.Found) continue;
      // Counted before the press: the box's loop ends on it, and the test
      // reads the count right after.
      ++Seen;
      answered = box;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    Sleep(20);
  }
}
