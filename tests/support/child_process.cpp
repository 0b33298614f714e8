#include "tests/support/child_process.h"

#include <stdexcept>
#include <string>

TChildProcess::TChildProcess(String commandLine) {
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info))
    throw std::runtime_error("cannot start " + StringToUtf8(commandLine) + " (error " +
                             std::to_string(GetLastError()) + ")");
  FProcess.Reset(info.hProcess);
  FThread.Reset(info.hThread);
  FId = info.dwProcessId;
}

TChildProcess::~TChildProcess() {
  if (Running()) End();
  WaitForExit(5000);
}

TChildProcess TChildProcess::Program(const String& arguments) {
  return TChildProcess(L"\"" + ProgramPath() + L"\" " + arguments);
}

String TChildProcess::ProgramPath() { return ExtractFilePath(ParamStr(0)) + L"..\\..\\app\\kelvra.exe"; }

String TChildProcess::HelperPath(const String& name) { return ExtractFilePath(ParamStr(0)) + name; }

HWND WaitForProcessForm(DWORD processId, const wchar_t* caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND wnd = nullptr; (wnd = FindWindowExW(nullptr, wnd, L"KelvraForm", caption)) != nullptr;) {
          DWORD owner = 0;
          GetWindowThreadProcessId(wnd, &owner);
          if (owner == processId && IsWindowVisible(wnd)) found = wnd;
        }
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

HWND TChildProcess::WaitForForm(const wchar_t* caption, DWORD timeoutMs) const {
  return WaitForProcessForm(Id(), caption, timeoutMs);
}
