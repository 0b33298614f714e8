#pragma once
// The pixel density of the screen, of a window's monitor, of a control and
// of the main form, and per-monitor scaling of a window's frame. 96 is the
// density of a screen at 100 %.
#include <windows.h>

class TComponent;

using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

constexpr int kDefaultPPI = 96;

// LOGPIXELSY of the screen DC.
int DPIOfScreen();
// The effective density of the window's monitor. On Windows 10 and later
// every answer the monitor query cannot give is 96, not the screen's value:
// there the screen DC reports the density of the primary monitor only.
int WndDPI(HWND Wnd);
// The same question with the system version and the bound function given,
// for the cases a machine cannot be put into.
int WndDPIWith(HWND Wnd, bool Win10OrLater, TGetDpiForMonitor GetDpi);
// The density of a control's monitor; a graphic control asks its parent and
// one without a parent is 96. A control without a window is not given one.
int ComponentDPI(TComponent* Component);
int ComponentDPIWith(TComponent* Component, bool Win10OrLater, TGetDpiForMonitor GetDpi);
// Windows 10 and later: the frame of Wnd follows its monitor's density.
void EnableNCDpiScaling(HWND Wnd);
