#include "runtime/ByteLock.h"

#include <windows.h>

namespace mm {

namespace {

// Once the process is past ExitProcess every other thread is gone, killed wherever it was. A lock
// that one of them held would never come free, and the detach code that still releases memory
// would wait for ever; then the lock is simply taken over.
bool ProcessIsEnding() {
  using Query = BOOLEAN(NTAPI*)();
  static Query query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlDllShutdownInProgress")));
  return query && query();
}

}  // namespace

bool ByteLock::Wait() {
  Sleep(0);
  if (TryLock()) return true;
  Sleep(1);
  if (ProcessIsEnding()) {
    FLocked.store(1, std::memory_order_relaxed);
    return true;
  }
  return false;
}

}  // namespace mm
