#include "skin/forms/ChildMessages.h"

#include "framework/Form.h"
#include "skin/forms/WindowQueries.h"

bool AnimationRunning = false;

namespace {

struct TChildBroadcast {
  HWND Parent;
  const TMessage* Message;
};

BOOL CALLBACK SendToDirectChild(HWND Wnd, LPARAM Data) {
  auto* broadcast = reinterpret_cast<TChildBroadcast*>(Data);
  if (GetParent(Wnd) == broadcast->Parent)
    SendWndMessage(Wnd, broadcast->Message->Msg, broadcast->Message->WParam, broadcast->Message->LParam);
  return TRUE;
}

}  // namespace

LRESULT SendCtrlMessage(TControl* Control, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!Control) return 0;
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (!windowed) return Control->Perform(Msg, WParam, LParam);
  HWND wnd = windowed->HandleIfAllocated();
  if (!wnd || windowed->Destroying()) return 0;
  return SendWndMessage(wnd, Msg, WParam, LParam);
}

void BroadcastToChildWnds(HWND Wnd, const TMessage& Message) {
  TChildBroadcast broadcast{Wnd, &Message};
  EnumChildWindows(Wnd, SendToDirectChild, reinterpret_cast<LPARAM>(&broadcast));
}

void SendToChildWnds(HWND Wnd, const TMessage& Message) {
  for (HWND child = GetTopWindow(Wnd); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD)
      SendWndMessage(child, Message.Msg, Message.WParam, Message.LParam);
}

void NotifyChildrenUpdated(TWinControl* Container) {
  if (!Container || (Container->ComponentState() & csDesigning) || AnimationRunning) return;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* child = Container->Controls(i);
    if (child->Destroying()) continue;
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
      if (HWND wnd = windowed->HandleIfAllocated(); wnd && windowed->Showing())
        SendWndMessage(wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_UPDATEDONE), 0);
    } else {
      child->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_UPDATEDONE), 0);
    }
  }
}

void NotifyChildWndsUpdated(HWND Wnd) {
  for (HWND child = GetTopWindow(Wnd); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) SendWndCommand(child, AC_UPDATEDONE, 0);
}

