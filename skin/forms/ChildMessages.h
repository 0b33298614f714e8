#pragma once
// How a message or a skin command reaches a control object and the
// children of a window or a control, beyond the single-window senders of
// skin/core (SendWndMessage, SendWndCommand, BroadcastToChildren).
#include <windows.h>

#include <cstdint>

#include "framework/Messages.h"
#include "skin/core/SkinCommand.h"

class TControl;
class TWinControl;

// True while a form or dialog show or hide animation runs: the children are
// then not told that their updates ended, since the animation repaints them.
extern bool AnimationRunning;

// A graphic control through its own dispatch; a windowed one through its
// window (skin handler first), never creating the window: 0 while it has
// none or is being destroyed.
LRESULT SendCtrlMessage(TControl* Control, UINT Msg, WPARAM WParam, LPARAM LParam);
inline void SetWndRedraw(HWND Wnd, int Redraw) { SendWndMessage(Wnd, WM_SETREDRAW, WPARAM(Redraw), 0); }

// To each direct child window, found by enumerating all descendants and
// keeping those whose parent is Wnd.
void BroadcastToChildWnds(HWND Wnd, const TMessage& Message);
// To each child window, found by walking the z-order below Wnd.
void SendToChildWnds(HWND Wnd, const TMessage& Message);
// AC_UPDATEDONE to every child control that shows (graphic ones through
// their dispatch); nothing during a form animation.
void NotifyChildrenUpdated(TWinControl* Container);
// AC_UPDATEDONE to every child window.
void NotifyChildWndsUpdated(HWND Wnd);
