#pragma once
// The optional system functions of the window-level utilities, bound by
// name once when the unit starts; a missing one leaves its feature off.
#include <windows.h>

struct TFormUtilsBindings {
  // The theme library; nullptr when it could not be loaded.
  HMODULE ThemeLibrary = nullptr;
  HRESULT(WINAPI* SetWindowTheme)(HWND, LPCWSTR, LPCWSTR) = nullptr;
  HANDLE(WINAPI* BeginBufferedPaint)(HDC, const RECT*, int, void*, HDC*) = nullptr;
  HRESULT(WINAPI* EndBufferedPaint)(HANDLE, BOOL) = nullptr;
  HRESULT(WINAPI* BufferedPaintMakeOpaque)(HANDLE, const RECT*) = nullptr;
  // From ShCore, bound on Windows 10 and later only.
  HRESULT(WINAPI* GetDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
};

// Start-up and shut-down of the unit, counted so only the outermost pair
// acts. ShCore stays loaded after the last shut-down: a density question
// may still be on its way through it.
void InitFormUtils();
void DoneFormUtils();
const TFormUtilsBindings& FormUtilsBindings();

// Empty: a place to stop in a debugger after a system call failed. Window
// message handlers never raise, so a failure goes nowhere else.
void ApiFailureHook();
