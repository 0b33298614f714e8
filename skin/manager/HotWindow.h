#pragma once
// What the hot-window tracking asks about windows, controls and the cursor.
#include <windows.h>

class TControl;
class TsCommonData;

// Whether a control's skin state (its answer to AC_GETCOMMONDATA) says the
// mouse is above it. Set by the per-control skin state; until it exists no
// control answers, and an unanswered question reads "not above".
extern bool (*CommonDataMouseAbove)(const TsCommonData* data);
bool SkinStateSaysMouseAbove(TControl* control);

// The window is visible and the point lies in it.
bool IsMouseOverWnd(HWND wnd, POINT cursor);
// The control shows and the point lies in its bounds.
bool IsMouseOverControl(TControl* control, POINT cursor);
// Wnd is Ancestor or lies under it.
bool IsWndOrDescendant(HWND wnd, HWND ancestor);
