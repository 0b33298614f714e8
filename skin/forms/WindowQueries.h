#pragma once
// Questions about windows and controls that skinned parts ask while they
// paint or track the mouse: is it covered, under the mouse, visible; where
// are its client area and the cursor in window coordinates; which form holds
// it; what background colour does it show. None raises and none creates a
// window. Rectangles are in screen coordinates unless said otherwise.
#include <windows.h>

#include "framework/Graphics.h"
#include "framework/System.h"
#include "skin/manager/HotWindow.h"  // IsWndOrDescendant

class TComponent;
class TControl;
class TForm;

// The control's top parent when that is a form.
TForm* ParentFormOf(TControl* Control);
// The first form in the owner chain, the component itself included.
TForm* OwnerFormOf(TComponent* Component);

// Some visible window above Wnd in the z-order holds R whole (its right and
// bottom edges may lie on R's). Layered and mouse-transparent windows (the
// engine's shadows, glows and animation covers) never count.
bool IsWndCovered(HWND Wnd, const RECT& R);
// The same for the control's screen rectangle over its form.
bool IsControlCovered(TControl* Control);
// The control's window (a graphic control's parent) has something visible
// to paint on.
bool HasVisibleRegion(TControl* Control);

// The cursor on the screen (Control nullptr) or relative to the control's
// screen rectangle; (0, 0) when the cursor cannot be read.
void GetCursorPoint(TControl* Control, POINT& P);
void CursorPosInWnd(HWND Wnd, POINT& P);
// (X, Y) relative to the window rectangle.
void ScreenToWndPoint(HWND Wnd, int X, int Y, POINT& P);
// The client area in window coordinates.
void ClientRectInWnd(HWND Wnd, RECT& R);
// Where the window rectangle's corner lies from the client origin, negated:
// the client origin in window coordinates.
void ClientOriginInWnd(HWND Wnd, POINT& P);
void GetControlScreenRect(TControl* Control, RECT& R);

// The last window of the GetParent chain; Wnd itself when it has none.
HWND TopParentWnd(HWND Wnd);
inline HWND TopAncestorWnd(HWND Wnd) { return TopParentWnd(Wnd); }

bool IsMouseOverWnd(HWND Wnd);
bool IsMouseOverControl(TControl* Control);
// The skin manager's hot control, else the control under the cursor (its
// topmost visible child there, when one holds the cursor).
TControl* ControlUnderMouse();

// At most 127 characters.
String GetWndClassName(HWND Wnd);
String WindowTextW(HWND Wnd);

// The control may be repainted now: it has a parent, a window when it is a
// windowed control, and is neither loading nor being destroyed.
bool CanUpdateControl(TControl* Control);

// The background colour a window or control shows its children, as RGB:
// the skinned ones are asked (AC_GETBGCOLOR), the others give their colour;
// 0xFF00FF for none.
COLORREF WndBgColor(HWND Wnd);
COLORREF ControlBgColor(TControl* Control);
