#include "app/AppState.h"

TAppState App;

const wchar_t kProductName[] = L"KELVRA-Adapter";

namespace {
// How long a second copy waits for the first to save its settings, free its
// port and release the mutex.
constexpr DWORD kHandOverTimeoutMs = 10000;
}

void InitAppUnit() {
  App.AppMutex.Reset(CreateMutexW(nullptr, TRUE, kProductName));
  if (GetLastError() != ERROR_ALREADY_EXISTS) return;
  if (HWND running = FindWindowExW(nullptr, nullptr, nullptr, kProductName)) PostMessageW(running, WM_CLOSE, 0, 0);
  // The running copy saves its settings and closes its port while it closes;
  // reading data.txt before that would lose its last credits.
  if (App.AppMutex) WaitForSingleObject(App.AppMutex.get(), kHandOverTimeoutMs);
}

void DoneAppUnit() {
  if (App.AppMutex) {
    ReleaseMutex(App.AppMutex.get());
    App.AppMutex.Reset();
  }
  App.DataFolder.clear();
  App.ExeFolder.clear();
}
