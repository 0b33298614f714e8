#include "skin/forms/ChildWalks.h"

#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"

void ForEachChild(TWinControl* Container, intptr_t Data, const TChildProc& Proc) {
  if (!Container) return;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* child = Container->Controls(i);
    Proc(child, Data);
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) ForEachChild(windowed, Data, Proc);
  }
}

bool ForEachChildUntil(TWinControl* Container, int Data, const TChildCallback& Callback) {
  if (!Container) return false;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* child = Container->Controls(i);
    int copy = Data;
    if (Callback(child, copy)) return true;
    if (auto* windowed = dynamic_cast<TWinControl*>(child))
      if (ForEachChildUntil(windowed, copy, Callback)) return true;
  }
  return false;
}

bool Command44Callback(TControl* Control, int& Data) {
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  HWND wnd = windowed ? windowed->HandleIfAllocated() : nullptr;
  if (!wnd) return false;
  const LRESULT answer = SendWndMessage(wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_CODE44, uint16_t(Data)), 0);
  return (answer & 0xFF) != 0;
}
