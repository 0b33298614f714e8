#include "hotkey/HkPaths.h"

#include "hotkey/HkText.h"

String AppFolderPath() { return ExtractFilePath(ExeFileName()); }

String WindowsFolderPath() {
  wchar_t buffer[MAX_PATH];
  const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
  return String(buffer, n < MAX_PATH ? n : 0);
}

String SystemFolderPath() {
  wchar_t buffer[MAX_PATH];
  const UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
  return String(buffer, n < MAX_PATH ? n : 0);
}

String PathPrefixFolder(THkPathPrefix prefix, bool withSlash) {
  String folder;
  switch (prefix) {
    case THkPathPrefix::ppWindows:
      folder = WindowsFolderPath();
      break;
    case THkPathPrefix::ppSystem:
      folder = SystemFolderPath();
      break;
    case THkPathPrefix::ppProgram:
      folder = AppFolderPath();
      break;
    case THkPathPrefix::ppFixed:
      break;
  }
  return withSlash ? WithBackslash(folder) : WithoutBackslash(folder);
}

String WindowsUserName() {
  wchar_t buffer[64];
  DWORD size = 63;
  if (!GetUserNameW(buffer, &size) || size == 0) return L"(Unknown)";
  return String(buffer, size - 1);
}
