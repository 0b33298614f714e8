#pragma once
// Shell and window-manager helpers the application shares.
#include "framework/System.h"

#include <windows.h>

// The path of a shell special folder (CSIDL_...), empty when there is none.
String GetSpecialFolderPath(HWND owner, int folderId);

// Brings a window to the front past the foreground lock; true when it is the
// foreground window afterwards.
bool ForceForegroundWindow(HWND wnd);
