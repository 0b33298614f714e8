#include "skin/state/ScrollWndData.h"

#include "framework/WinControl.h"

namespace {

// The owner's window when it exists and is not being loaded.
HWND ReadyWindow(TsScrollWndData* Owner) {
  auto* Windowed = Owner ? dynamic_cast<TWinControl*>(Owner->OwnerControl) : nullptr;
  if (!Windowed || Windowed->Loading()) return nullptr;
  return Windowed->HandleIfAllocated();
}

}  // namespace

void TacScrollData::SetScrollWidth(int Value) {
  if (Value == FScrollWidth) return;
  FScrollWidth = Value;
  // A new bar width changes the client area: the frame is measured again.
  if (HWND Wnd = ReadyWindow(FOwner))
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER |
                     SWP_NOSENDCHANGING);
}

void TacScrollData::SetButtonsSize(int Value) {
  if (Value == FButtonsSize) return;
  FButtonsSize = Value;
  if (HWND Wnd = ReadyWindow(FOwner)) SendWndMessage(Wnd, WM_NCPAINT, 0, 0);
}
