#include "skin/core/SkinCommand.h"

#include "framework/WinControl.h"

LRESULT SendWndMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (auto* Target = static_cast<TacSkinMessageTarget*>(GetPropW(Wnd, acSkinDataProperty)))
    return Target->SkinWndProc(Msg, WParam, LParam);
  return SendMessageW(Wnd, Msg, WParam, LParam);
}

LRESULT SendWndCommand(HWND Wnd, uint16_t Code, LPARAM LParam) {
  return SendWndMessage(Wnd, WM_SKINCOMMAND, SkinCommandWParam(Code), LParam);
}

bool AskWndCommand(HWND Wnd, uint16_t Code) { return SendWndCommand(Wnd, Code, 0) == 1; }

bool IsWindowSkinned(HWND Wnd) {
  return GetPropW(Wnd, acSkinDataProperty) || GetPropW(Wnd, acScrollWrapperProperty) ||
         SendMessageW(Wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_ISSKINNED), 0) == 1;
}

LRESULT SendCtrlCommand(TControl* Control, uint16_t Code, LPARAM LParam) {
  return Control ? Control->Perform(WM_SKINCOMMAND, SkinCommandWParam(Code), LParam) : 0;
}

void BroadcastToChildren(TWinControl* Control, TMessage& Message) {
  if (!Control) return;
  // A receiver may free or add controls; walk by index and re-check the count.
  for (int i = 0; i < Control->ControlCount(); ++i) {
    TControl* Child = Control->Controls(i);
    // The container is being torn down: what follows may be gone already.
    if (Child->Destroying()) return;
    if (auto* Windowed = dynamic_cast<TWinControl*>(Child)) {
      HWND Wnd = Windowed->HandleIfAllocated();
      if (!Wnd) continue;
      Message.Result = SendWndMessage(Wnd, Message.Msg, Message.WParam, Message.LParam);
      if (!IsWindowSkinned(Wnd)) BroadcastToChildren(Windowed, Message);
    } else {
      Message.Result = 0;
      Child->WindowProc(Message);
    }
  }
}
