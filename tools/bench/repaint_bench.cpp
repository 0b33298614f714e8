// Benchmark program: a full repaint of the main window (every control,
// frames included) with the skin painting it, against the same window with
// the skin made inactive. Two figures per side: repaints from the controls'
// caches as they stand (what uncovering the window costs), and repaints
// after every cache was flagged stale (what a state or skin change costs).
// Usage: repaint_bench [REPAINTS]
#include "skin/core/SkinCommand.h"
#include "tools/bench/bench_main_window.h"

#include <chrono>
#include <cstdio>

namespace {

void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Milliseconds per full repaint; with stale, every skinned control's cache
// is flagged for rebuilding before each repaint.
double RepaintMs(TForm1* form, int repaints, bool stale) {
  const HWND wnd = form->Handle();
  const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
  RedrawWindow(wnd, nullptr, nullptr, flags);
  Drain();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repaints; ++i) {
    if (stale) {
      TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_INVALIDATEALL, 1), 0, 0};
      BroadcastToChildren(form, m);
      BroadcastToChildren(form->Panel1, m);
    }
    RedrawWindow(wnd, nullptr, nullptr, flags);
    GdiFlush();
  }
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  Drain();
  return spent.count() / repaints;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int repaints = argc > 1 ? _wtoi(argv[1]) : 200;
  const TBenchMainWindow window;
  TForm1* form = window.Form();
  Drain();

  const double skinned = RepaintMs(form, repaints, false);
  const double skinnedStale = RepaintMs(form, repaints, true);
  form->sSkinManager1->SetActive(false);
  Drain();
  const double plain = RepaintMs(form, repaints, false);
  const double plainStale = RepaintMs(form, repaints, true);

  printf("main window, %d full repaints each:\n", repaints);
  printf("  skinned, caches kept:     %.3f ms\n", skinned);
  printf("  skinned, caches rebuilt:  %.3f ms\n", skinnedStale);
  printf("  skin inactive:            %.3f ms (%.3f ms with the stale flags sent)\n", plain, plainStale);
  printf("  skinned / inactive:       %.2f (caches kept), %.2f (caches rebuilt)\n", plain > 0 ? skinned / plain : 0.0,
         plainStale > 0 ? skinnedStale / plainStale : 0.0);
  return 0;
}
