// Opens and closes the combo box's pop-up list 1,000 times and prints the
// process's GDI and USER object counts before, after the first cycle (which
// makes the pop-up controller and its shadow picture) and at the end, with
// the time per cycle. Run by hand under Wine: skinctl_combo_popup_bench.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/controls/CustomCombo.h"
#include "skin/effects/PopupController.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Windows of this thread, children included: what USER objects the list
// leaves behind shows here too, also under Wine, whose GetGuiResources
// answers 0.
int ThreadWindowCount() {
  int count = 0;
  auto top = [](HWND wnd, LPARAM counter) -> BOOL {
    ++*reinterpret_cast<int*>(counter);
    EnumChildWindows(
        wnd,
        [](HWND, LPARAM c) -> BOOL {
          ++*reinterpret_cast<int*>(c);
          return TRUE;
        },
        counter);
    return TRUE;
  };
  EnumThreadWindows(GetCurrentThreadId(), top, LPARAM(&count));
  return count;
}

}  // namespace

int main() {
  InitApplication();
  HANDLE process = GetCurrentProcess();
  auto counts = [&](const char* when) {
    std::printf("%-22s GDI %5lu  USER %5lu  windows %4d\n", when, GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS), ThreadWindowCount());
  };
  auto* main = new TForm(nullptr, CreateNew);
  main->SetBounds(100, 100, 400, 300);
  auto* combo = new TsComboBox(main);
  combo->SetParent(main);
  combo->SetBounds(20, 20, 150, 21);
  combo->SetItemHeight(15);
  for (int i = 1; i <= 10; ++i) combo->Items().Add(L"COM-" + std::to_wstring(i));
  combo->SetItemIndex(0);
  main->Show();
  SetForegroundWindow(main->Handle());
  combo->SetFocus();
  Pump();
  counts("start");
  const int cycles = 1000;
  auto cycle = [&] {
    combo->DropDown();
    if (!combo->DroppedDown()) std::printf("the list did not open\n");
    combo->DropDown();
    Pump();
  };
  cycle();
  counts("after the first cycle");
  const DWORD t0 = GetTickCount();
  for (int i = 1; i < cycles; ++i) cycle();
  const DWORD ms = GetTickCount() - t0;
  Pump();
  counts("end");
  std::printf("%d cycles, %.2f ms per cycle\n", cycles, double(ms) / (cycles - 1));
  delete main;
  FreePopupController();
  Pump();
  counts("after freeing all");
  return 0;
}
