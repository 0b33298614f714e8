#include "tests/support/wait_until.h"

#include "framework/Application.h"
#include "framework/Thread.h"

namespace {

void ServeOnce(DWORD waitMs) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
  if (Application) {
    Application->ProcessMessages();
  } else {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (GetCurrentThreadId() == MainThreadID) CheckSynchronize();
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    ServeOnce(5);
  }
  return true;
}

void PumpFor(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64())
    ServeOnce(static_cast<DWORD>(std::min<ULONGLONG>(end - now, 5)));
}
