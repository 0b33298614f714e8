// Test helper: holds a file open without sharing for a while, as another
// program reading the credit log would, until the time is up or it is ended.
// Usage: hold_file <path> <milliseconds>
#include <windows.h>

#include <cstdlib>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  // The test may be looking at the file at the very moment: try again briefly.
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 500 && h == INVALID_HANDLE_VALUE; ++attempt) {
    h = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (h == INVALID_HANDLE_VALUE) return 1;
  Sleep(static_cast<DWORD>(_wtoi(argv[2])));
  CloseHandle(h);
  return 0;
}
