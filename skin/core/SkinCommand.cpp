#include "skin/core/SkinCommand.h"

LRESULT SendWndMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (auto* Target = static_cast<TacSkinMessageTarget*>(GetPropW(Wnd, acSkinDataProperty)))
    return Target->SkinWndProc(Msg, WParam, LParam);
  return SendMessageW(Wnd, Msg, WParam, LParam);
}

LRESULT SendWndCommand(HWND Wnd, uint16_t Code, LPARAM LParam) {
  return SendWndMessage(Wnd, WM_SKINCOMMAND, SkinCommandWParam(Code), LParam);
}
