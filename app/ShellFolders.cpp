#include "app/ShellFolders.h"

#include <shlobj.h>
#include <shlwapi.h>

String GetSpecialFolderPath(HWND owner, int folderId) {
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &items)) || !items) return String();
  String result;
  wchar_t buffer[MAX_PATH] = {};
  if (SHGetPathFromIDListW(items, buffer)) result = buffer;
  if (result.empty()) {
    // Virtual folders have no file-system path; their parsing name is the next best.
    IShellFolder* desktop = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(&desktop))) {
      STRRET name{};
      if (SUCCEEDED(desktop->GetDisplayNameOf(items, SHGDN_FORPARSING, &name))) {
        wchar_t* text = nullptr;
        if (SUCCEEDED(StrRetToStrW(&name, items, &text)) && text) {
          result = text;
          CoTaskMemFree(text);
        }
      }
      desktop->Release();
    }
  }
  CoTaskMemFree(items);
  return result;
}

bool ForceForegroundWindow(HWND wnd) {
  if (IsIconic(wnd)) ShowWindow(wnd, SW_RESTORE);
  if (GetForegroundWindow() == wnd) return true;

  const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD thisThread = GetWindowThreadProcessId(wnd, nullptr);
  bool attached = false;
  if (foregroundThread && foregroundThread != thisThread)
    attached = AttachThreadInput(thisThread, foregroundThread, TRUE) != FALSE;
  BringWindowToTop(wnd);
  SetForegroundWindow(wnd);
  if (attached) AttachThreadInput(thisThread, foregroundThread, FALSE);
  bool inFront = GetForegroundWindow() == wnd;
  if (!attached || !inFront) {
    DWORD timeout = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    BringWindowToTop(wnd);
    SetForegroundWindow(wnd);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(timeout)),
                          SPIF_SENDCHANGE);
  }
  return GetForegroundWindow() == wnd;
}
