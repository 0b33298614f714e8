#pragma once
// The top-level windows of another process, as the system's own tools see
// them: its message boxes, its application window, and the close that
// taskkill sends.
#include "framework/System.h"

#include <windows.h>

#include <vector>

// Every top-level window of the process, shown or not.
std::vector<HWND> TopLevelWindows(DWORD processId);

// A message box (or other dialog) of the process with this caption, once it
// shows; nullptr when none does in time.
HWND WaitForDialog(DWORD processId, const wchar_t* caption, DWORD timeoutMs);
// The text a message box shows.
String DialogText(HWND dialog);

// The hidden window that stands for the application: it carries the title.
HWND ApplicationWindow(DWORD processId, const wchar_t* title);

// What taskkill without /f does: WM_CLOSE to every top-level window of the
// process at once.
void CloseEveryWindow(DWORD processId);
