// Measures the time from starting kelvra.exe to its main window being
// visible, over several warm runs, and prints the median.
// Usage: startup_bench [path\to\kelvra.exe] [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

HWND VisibleMainForm(DWORD pid) {
  HWND wnd = nullptr;
  while ((wnd = FindWindowExW(nullptr, wnd, L"KelvraForm", L"KELVRA-Adapter")) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(wnd, &owner);
    if (owner == pid && IsWindowVisible(wnd)) return wnd;
  }
  return nullptr;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring program = argc > 1 ? argv[1] : L"kelvra.exe";
  const int runs = argc > 2 ? _wtoi(argv[2]) : 7;
  std::vector<double> times;
  for (int run = 0; run <= runs; ++run) {  // run 0 warms the caches and is not counted
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      std::fprintf(stderr, "cannot start the program\n");
      return 1;
    }
    HWND form = nullptr;
    while (!(form = VisibleMainForm(pi.dwProcessId))) {
      if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    QueryPerformanceCounter(&shown);
    if (form) PostMessageW(form, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 15000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!form) {
      std::fprintf(stderr, "the main window never became visible\n");
      return 1;
    }
    if (run > 0) times.push_back(Seconds(start, shown) * 1000.0);
  }
  std::sort(times.begin(), times.end());
  std::printf("start to visible main window, %d warm runs: median %.1f ms (min %.1f, max %.1f)\n", runs,
              times[times.size() / 2], times.front(), times.back());
  return 0;
}
