// Benchmark program (tools/bench/idle_cpu.sh): the CPU time the main window
// costs per second of the program's own message loop while nothing moves,
// and while the mouse moves over it with mouse light on against off.
// Usage: idle_cpu_bench [SECONDS]
#include "skin/effects/MouseLight.h"
#include "tools/bench/bench_main_window.h"

#include <atomic>
#include <cmath>
#include <thread>

namespace {

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](FILETIME t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
  return seconds(kernel) + seconds(user);
}

// Runs the program's own message loop for ms and answers the CPU time spent
// per second of it; with over set, a second thread moves the cursor along a
// circle inside that rectangle every 10 ms meanwhile.
double LoopCpuPerSecond(DWORD ms, const RECT* over) {
  std::atomic<bool> done{false};
  std::thread mover;
  if (over)
    mover = std::thread([&] {
      const int cx = (over->left + over->right) / 2, cy = (over->top + over->bottom) / 2;
      const int radius = std::min(over->right - over->left, over->bottom - over->top) / 3;
      for (int step = 0; !done; ++step) {
        const double a = step * 0.05;
        SetCursorPos(cx + int(radius * std::cos(a)), cy + int(radius * std::sin(a)));
        Sleep(10);  // the pace of a hand on the mouse
      }
    });
  static bool timeUp;
  timeUp = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR, DWORD) { timeUp = true; });
  const double before = ProcessCpuSeconds();
  while (!timeUp) Application->HandleMessage();
  const double spent = ProcessCpuSeconds() - before;
  KillTimer(nullptr, timer);
  done = true;
  if (mover.joinable()) mover.join();
  return spent / (ms / 1000.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? _wtoi(argv[1]) : 10;
  const TBenchMainWindow window;
  TForm1* form = window.Form();
  SetForegroundWindow(form->Handle());
  RECT r;
  GetWindowRect(form->Handle(), &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  LoopCpuPerSecond(2000, nullptr);  // start-up work settles first

  const double idle = LoopCpuPerSecond(seconds * 1000, nullptr);
  ActivateMouseLight(false);
  const double movingOff = LoopCpuPerSecond(seconds * 1000, &r);
  ActivateMouseLight(true);
  const double movingOn = LoopCpuPerSecond(seconds * 1000, &r);
  ActivateMouseLight(false);

  printf("main window, %d s each:\n", seconds);
  printf("  idle, mouse still:              %.3f %% of one core\n", idle * 100);
  printf("  mouse moving, mouse light off:  %.3f %% of one core\n", movingOff * 100);
  printf("  mouse moving, mouse light on:   %.3f %% of one core\n", movingOn * 100);
  printf("  light on / off:                 %.2f\n", movingOff > 0 ? movingOn / movingOff : 0.0);
  return 0;
}
