// The window and the speed button under the mouse: skinned controls light up
// on AC_MOUSEENTER and go back on AC_MOUSELEAVE, which the manager sends
// because not every control gets a leave of its own.
#include "skin/manager/HotWindow.h"

#include "framework/Control.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"

bool (*CommonDataMouseAbove)(const TsCommonData* data) = nullptr;

bool SkinStateSaysMouseAbove(TControl* control) {
  const LRESULT state = SendCtrlCommand(control, AC_GETCOMMONDATA, 0);
  return state && CommonDataMouseAbove && CommonDataMouseAbove(reinterpret_cast<const TsCommonData*>(state));
}

bool IsMouseOverWnd(HWND wnd, POINT cursor) {
  RECT r;
  return wnd && IsWindowVisible(wnd) && GetWindowRect(wnd, &r) && PtInRect(&r, cursor);
}

bool IsMouseOverControl(TControl* control, POINT cursor) {
  if (!control || !control->Showing()) return false;
  const POINT origin = control->ClientToScreen(POINT{0, 0});
  const RECT r{origin.x, origin.y, origin.x + control->Width(), origin.y + control->Height()};
  return PtInRect(&r, cursor) != FALSE;
}

bool IsWndOrDescendant(HWND wnd, HWND ancestor) {
  if (!ancestor) return false;
  for (HWND w = wnd; w; w = GetParent(w))
    if (w == ancestor) return true;
  return false;
}

POINT TsSkinManager::CursorNow() const {
  if (CursorPoint) return CursorPoint();
  POINT p{};
  GetCursorPos(&p);
  return p;
}

void TsSkinManager::SetHotWindow(HWND wnd) {
  if (wnd == FHotWindow) return;
  // Moving onto the parent of the hot window while still over the hot
  // window: the hot window keeps the light.
  if (FHotWindow && IsWndOrDescendant(FHotWindow, wnd) && IsMouseOverWnd(FHotWindow, CursorNow())) return;
  const auto self = reinterpret_cast<LPARAM>(this);
  if (FHotWindow && FHotSpeedButton && !SetHotSpeedButton(nullptr)) {
    SendWndCommand(FHotWindow, AC_MOUSELEAVE, self);
    return;
  }
  // The new window is hot before anyone is told, so a receiver that asks
  // for another change starts from the new state.
  const HWND previous = FHotWindow;
  FHotWindow = wnd;
  if (previous && IsWindow(previous)) SendWndCommand(previous, AC_MOUSELEAVE, self);
  if (wnd) SendWndCommand(wnd, AC_MOUSEENTER, self);
}

bool TsSkinManager::SetHotSpeedButton(TControl* button) {
  if ((Owner() && Owner()->Destroying()) || button == FHotSpeedButton) return true;
  if (!button && FHotSpeedButton && SkinStateSaysMouseAbove(FHotSpeedButton)) return false;
  TControl* previous = FHotSpeedButton;
  if (previous) RemoveFreeNotification(previous);
  FHotSpeedButton = button;
  // A freed button must not stay here.
  if (button) FreeNotification(button);
  if (previous && !previous->Destroying()) SendCtrlCommand(previous, AC_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
  return true;
}

void TsSkinManager::MouseLeaveTick() {
  const POINT cursor = CursorNow();
  if (FHotWindow) {
    RECT r;
    // A window that is gone was left too.
    if (!IsWindow(FHotWindow) || !GetWindowRect(FHotWindow, &r) || !PtInRect(&r, cursor)) SetHotWindow(nullptr);
  }
  if (FHotSpeedButton && !FHotSpeedButton->Destroying() && !IsMouseOverControl(FHotSpeedButton, cursor))
    SendCtrlCommand(FHotSpeedButton, AC_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
}
