// Test helper: writes the arguments it was started with to args.txt beside itself.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path);
  file = file.substr(0, file.find_last_of(L'\\') + 1) + L"args.txt";
  std::string text;
  for (int i = 1; i < argc; ++i) {
    char buffer[512];
    int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, buffer, sizeof buffer, nullptr, nullptr);
    if (i > 1) text += ' ';
    text.append(buffer, n > 0 ? n - 1 : 0);
  }
  // Written aside and renamed, so a test that sees args.txt sees all of it.
  const std::wstring partial = file + L".part";
  HANDLE h = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
  return MoveFileExW(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
