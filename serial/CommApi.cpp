#include "serial/CommApi.h"

namespace {

class TSystemCommApi final : public TCommApi {
 public:
  HANDLE CreatePortFile(const String& deviceName) override {
    return ::CreateFileW(deviceName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OVERLAPPED, nullptr);
  }
  BOOL ClosePortHandle(HANDLE h) override { return ::CloseHandle(h); }
  BOOL SetupComm(HANDLE h, DWORD in, DWORD out) override { return ::SetupComm(h, in, out); }
  BOOL SetCommState(HANDLE h, DCB* dcb) override { return ::SetCommState(h, dcb); }
  BOOL SetCommTimeouts(HANDLE h, COMMTIMEOUTS* t) override { return ::SetCommTimeouts(h, t); }
  BOOL SetCommMask(HANDLE h, DWORD mask) override { return ::SetCommMask(h, mask); }
  BOOL WaitCommEvent(HANDLE h, DWORD* mask, OVERLAPPED* ov) override { return ::WaitCommEvent(h, mask, ov); }
  BOOL GetOverlappedResult(HANDLE h, OVERLAPPED* ov, DWORD* n, BOOL wait) override {
    return ::GetOverlappedResult(h, ov, n, wait);
  }
  BOOL ClearCommError(HANDLE h, DWORD* errors, COMSTAT* stat) override { return ::ClearCommError(h, errors, stat); }
  BOOL GetCommModemStatus(HANDLE h, DWORD* status) override { return ::GetCommModemStatus(h, status); }
  BOOL EscapeCommFunction(HANDLE h, DWORD func) override { return ::EscapeCommFunction(h, func); }
  BOOL PurgeComm(HANDLE h, DWORD flags) override { return ::PurgeComm(h, flags); }
  BOOL ReadFile(HANDLE h, void* buffer, DWORD count, DWORD* read, OVERLAPPED* ov) override {
    return ::ReadFile(h, buffer, count, read, ov);
  }
  BOOL WriteFile(HANDLE h, const void* buffer, DWORD count, DWORD* written, OVERLAPPED* ov) override {
    return ::WriteFile(h, buffer, count, written, ov);
  }
};

}  // namespace

TCommApi& SystemCommApi() {
  static TSystemCommApi api;
  return api;
}
