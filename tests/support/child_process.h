#pragma once
// A program a test starts: kelvra.exe itself or a small helper. Whatever is
// still running when the test is done is ended.
#include "framework/System.h"
#include "tests/support/wait_until.h"

#include <windows.h>

class TChildProcess {
 public:
  explicit TChildProcess(String commandLine);
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  bool Running() const { return WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT; }
  bool WaitForExit(DWORD ms) const { return WaitForSingleObject(FProcess.get(), ms) == WAIT_OBJECT_0; }
  void End() { TerminateProcess(FProcess.get(), 1); }
  DWORD Id() const { return FId; }
  HANDLE Process() const { return FProcess.get(); }

  // A visible form of this process with the given caption, once it shows.
  HWND WaitForForm(const wchar_t* caption, DWORD timeoutMs = kPatienceMs) const;

  // kelvra.exe of this build, started with the given arguments.
  static TChildProcess Program(const String& arguments);
  // The program of this build, as seen from a test program's folder.
  static String ProgramPath();
  // A helper program built beside the test programs of this folder.
  static String HelperPath(const String& name);

 private:
  TOwnedHandle FProcess;
  TOwnedHandle FThread;
  DWORD FId = 0;
};

// A visible form of the framework's class with the given caption that belongs
// to the process; null when none shows within the time.
HWND WaitForProcessForm(DWORD processId, const wchar_t* caption, DWORD timeoutMs = kPatienceMs);
