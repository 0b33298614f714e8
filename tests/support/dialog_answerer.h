#pragma once
// How a test gets past a modal dialog box: the call that opens it does not
// return until the box closes, so a second thread waits for the box and
// answers it.
#include "tests/support/wait_until.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

// Runs Show on this thread while a second thread offers every visible dialog
// box (class #32770) of this process to Answer until Answer takes one (true)
// and closes it. True when a box was answered. Bounded by kPatienceMs so
// that a box that never comes cannot hang the test.
inline bool RunAndAnswerDialog(const std::function<void()>& Show, const std::function<bool(HWND Box)>& Answer) {
  std::atomic<bool> Done{false}, Answered{false};
  std::thread Answerer([&] {
    const DWORD Pid = GetCurrentProcessId();
    const DWORD Start = GetTickCount();
    while (!Done && GetTickCount() - Start < kPatienceMs) {
      HWND Box = nullptr;
      while ((Box = FindWindowExW(nullptr, Box, L"#32770", nullptr)) != nullptr) {
        DWORD Owner = 0;
        GetWindowThreadProcessId(Box, &Owner);
        if (Owner != Pid || !IsWindowVisible(Box) || !Answer(Box)) continue;
        Answered = true;
        return;
      }
      Sleep(20);  // the pace of polling for a window no message announces
    }
  });
  Show();
  Done = true;
  Answerer.join();
  return Answered;
}
