#include "app/Waits.h"

#include "framework/Application.h"

#include <windows.h>

namespace {
constexpr int kLockAttempts = 25;
constexpr uint32_t kLockRetryMs = 200;
}  // namespace

void PumpedDelay(uint32_t milliseconds) {
  // Nothing signals it: the wait ends on messages or the time.
  const TOwnedHandle never(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    HANDLE h = never.get();
    DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    if (r == WAIT_TIMEOUT) break;
    if (Application) Application->ProcessMessages();
  }
}

namespace {

enum class THold { Free, HeldByAnother, Refused };

// Another program's hold passes; a refusal (read-only, no permission) does
// not, however long one waits.
THold HoldOf(const String& fileName) {
  if (!FileExists(fileName)) return THold::Free;
  // Windows refuses write access to a read-only file; Wine lets root have it.
  const DWORD attributes = GetFileAttributesW(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return THold::Refused;
  const TOwnedHandle file(CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) return THold::Free;
  return GetLastError() == ERROR_ACCESS_DENIED ? THold::Refused : THold::HeldByAnother;
}

}  // namespace

bool IsFileLocked(const String& fileName) { return HoldOf(fileName) != THold::Free; }

void WaitWhileFileLocked(const String& fileName) {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    if (HoldOf(fileName) != THold::HeldByAnother) return;
    PumpedDelay(kLockRetryMs);
  }
}
