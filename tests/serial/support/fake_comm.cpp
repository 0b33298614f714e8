#include "tests/serial/support/fake_comm.h"

#include <cstring>

namespace {
const HANDLE kFakeHandle = reinterpret_cast<HANDLE>(intptr_t(0x5E41));

DWORD LineEvents(DWORD before, DWORD after) {
  const DWORD changed = before ^ after;
  DWORD ev = 0;
  if (changed & MS_CTS_ON) ev |= EV_CTS;
  if (changed & MS_DSR_ON) ev |= EV_DSR;
  if (changed & MS_RLSD_ON) ev |= EV_RLSD;
  if ((changed & MS_RING_ON) && (after & MS_RING_ON)) ev |= EV_RING;
  return ev;
}
}  // namespace

void TFakeComm::FireLocked(DWORD events) {
  events &= FMask;
  if (!events) return;
  if (FPending) {
    *FPendingMask = events;
    FPending->Internal = 0;
    SetEvent(FPending->hEvent);
    FPending = nullptr;
    FEnding = false;
  } else {
    FHistory |= events;
  }
}

void TFakeComm::SetLines(DWORD modemStatus) {
  std::lock_guard<std::mutex> lock(FLock);
  const DWORD ev = LineEvents(FModem, modemStatus);
  FModem = modemStatus;
  if (!SnapshotWaits) FireLocked(ev);
}

void TFakeComm::Poll() {
  std::lock_guard<std::mutex> lock(FLock);
  if (!FPending) return;
  FStatusReads.push_back(FModem);
  // Wine compares every line's level, falls of ring included.
  DWORD ev = LineEvents(FSnapshot, FModem);
  if ((FSnapshot ^ FModem) & MS_RING_ON) ev |= EV_RING;
  if (!(ev & FMask) && FEnding) {
    *FPendingMask = 0;
    SetEvent(FPending->hEvent);
    FPending = nullptr;
    FEnding = false;
    return;
  }
  FireLocked(ev);
}

void TFakeComm::SetLinesQuietly(DWORD modemStatus) {
  std::lock_guard<std::mutex> lock(FLock);
  FModem = modemStatus;
}

void TFakeComm::Fire(DWORD events) {
  std::lock_guard<std::mutex> lock(FLock);
  FireLocked(events);
}

void TFakeComm::Receive(const std::string& bytes) {
  std::lock_guard<std::mutex> lock(FLock);
  FInput += bytes;
  FireLocked(EV_RXCHAR);
}

void TFakeComm::SetLineErrors(DWORD ceBits, bool fire) {
  std::lock_guard<std::mutex> lock(FLock);
  FLineErrors = ceBits;
  if (fire) FireLocked(EV_ERR);
}

DCB TFakeComm::LastDcb() const {
  std::lock_guard<std::mutex> l(FLock);
  return FDcb;
}
COMMTIMEOUTS TFakeComm::LastTimeouts() const {
  std::lock_guard<std::mutex> l(FLock);
  return FTimeouts;
}
DWORD TFakeComm::Mask() const {
  std::lock_guard<std::mutex> l(FLock);
  return FMask;
}
bool TFakeComm::Rts() const {
  std::lock_guard<std::mutex> l(FLock);
  return FRts;
}
bool TFakeComm::Dtr() const {
  std::lock_guard<std::mutex> l(FLock);
  return FDtr;
}
bool TFakeComm::IsOpen() const {
  std::lock_guard<std::mutex> l(FLock);
  return FOpen;
}
bool TFakeComm::WaitPending() const {
  std::lock_guard<std::mutex> l(FLock);
  return FPending != nullptr && FLookedSinceArm && FLastThreadRead == FReadBeforeArm;
}
bool TFakeComm::Settled() const {
  std::lock_guard<std::mutex> l(FLock);
  if (!FPending || !FLookedSinceArm || FLastThreadRead != FReadBeforeArm) return false;  // not yet settled
  const DWORD moved = FSnapshot ^ FModem;
  return !(SnapshotWaits ? (LineEvents(FSnapshot, FModem) | (moved & MS_RING_ON ? EV_RING : 0)) & FMask : 0);
}
std::vector<DWORD> TFakeComm::StatusReads() const {
  std::lock_guard<std::mutex> l(FLock);
  return FStatusReads;
}
int TFakeComm::WaitCalls() const {
  std::lock_guard<std::mutex> l(FLock);
  return FWaitCalls;
}
int TFakeComm::ModemReads() const {
  std::lock_guard<std::mutex> l(FLock);
  return FModemReads;
}
std::string TFakeComm::Written() const {
  std::lock_guard<std::mutex> l(FLock);
  return FWritten;
}
DWORD TFakeComm::InSize() const {
  std::lock_guard<std::mutex> l(FLock);
  return FInSize;
}

HANDLE TFakeComm::CreatePortFile(const String& deviceName) {
  std::lock_guard<std::mutex> lock(FLock);
  LastDevice = deviceName;
  if (OpenError || FOpen) {
    SetLastError(OpenError ? OpenError : ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  FOpen = true;
  FOpenThread = GetCurrentThreadId();
  FMask = 0;
  FHistory = 0;
  return kFakeHandle;
}

BOOL TFakeComm::ClosePortHandle(HANDLE) {
  std::lock_guard<std::mutex> lock(FLock);
  FOpen = false;
  return TRUE;
}

BOOL TFakeComm::SetupComm(HANDLE, DWORD in, DWORD) {
  std::lock_guard<std::mutex> lock(FLock);
  FInSize = in;
  return TRUE;
}

BOOL TFakeComm::SetCommState(HANDLE, DCB* dcb) {
  std::lock_guard<std::mutex> lock(FLock);
  if (SetCommStateFails) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  FDcb = *dcb;
  FRts = dcb->fRtsControl == RTS_CONTROL_ENABLE;
  FDtr = dcb->fDtrControl == DTR_CONTROL_ENABLE;
  return TRUE;
}

BOOL TFakeComm::SetCommTimeouts(HANDLE, COMMTIMEOUTS* t) {
  std::lock_guard<std::mutex> lock(FLock);
  FTimeouts = *t;
  return TRUE;
}

BOOL TFakeComm::SetCommMask(HANDLE, DWORD mask) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FMask = mask;
    FHistory = 0;
    if (FPending && SnapshotWaits && MaskEndsAtPoll) {
      FEnding = true;
    } else if (FPending) {  // a pending wait ends with an empty mask
      *FPendingMask = 0;
      SetEvent(FPending->hEvent);
      FPending = nullptr;
    }
  }
  return TRUE;
}

BOOL TFakeComm::WaitCommEvent(HANDLE, DWORD* mask, OVERLAPPED* ov) {
  if (BeforeArm) BeforeArm();
  {
    std::lock_guard<std::mutex> lock(FLock);
    ++FWaitCalls;
    if (WaitError) {
      SetLastError(WaitError);
      return FALSE;
    }
    ResetEvent(ov->hEvent);
    if (FHistory & FMask) {
      *mask = FHistory & FMask;
      FHistory = 0;
      SetEvent(ov->hEvent);
      return TRUE;
    }
    FPending = ov;
    FPendingMask = mask;
    FSnapshot = FModem;
    FReadBeforeArm = FLastThreadRead;
    FLookedSinceArm = !(FMask & (EV_CTS | EV_DSR | EV_RLSD | EV_RING));
  }
  if (AfterArm) AfterArm();
  SetLastError(ERROR_IO_PENDING);
  return FALSE;
}

BOOL TFakeComm::GetOverlappedResult(HANDLE, OVERLAPPED* ov, DWORD* transferred, BOOL) {
  *transferred = DWORD(ov->InternalHigh);
  return TRUE;
}

BOOL TFakeComm::ClearCommError(HANDLE, DWORD* errors, COMSTAT* stat) {
  std::lock_guard<std::mutex> lock(FLock);
  *errors = FLineErrors;
  FLineErrors = 0;
  *stat = COMSTAT{};
  stat->cbInQue = DWORD(FInput.size());
  return TRUE;
}

BOOL TFakeComm::GetCommModemStatus(HANDLE, DWORD* status) {
  if (BeforeModemRead) BeforeModemRead();
  std::lock_guard<std::mutex> lock(FLock);
  ++FModemReads;
  if (ModemStatusFails) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  *status = FModem;
  FStatusReads.push_back(FModem);
  if (GetCurrentThreadId() != FOpenThread) {
    FLookedSinceArm = true;
    FLastThreadRead = FModem;
  }
  return TRUE;
}

BOOL TFakeComm::EscapeCommFunction(HANDLE, DWORD func) {
  std::lock_guard<std::mutex> lock(FLock);
  if (!FOpen) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (func == SETRTS) FRts = true;
  if (func == CLRRTS) FRts = false;
  if (func == SETDTR) FDtr = true;
  if (func == CLRDTR) FDtr = false;
  return TRUE;
}

BOOL TFakeComm::PurgeComm(HANDLE, DWORD) { return TRUE; }

BOOL TFakeComm::ReadFile(HANDLE, void* buffer, DWORD count, DWORD* read, OVERLAPPED* ov) {
  std::lock_guard<std::mutex> lock(FLock);
  if (ReadFails) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const DWORD n = std::min<DWORD>(count, DWORD(FInput.size()));
  memcpy(buffer, FInput.data(), n);
  FInput.erase(0, n);
  ov->InternalHigh = n;
  *read = n;
  SetEvent(ov->hEvent);
  return TRUE;
}

BOOL TFakeComm::WriteFile(HANDLE, const void* buffer, DWORD count, DWORD* written, OVERLAPPED* ov) {
  std::lock_guard<std::mutex> lock(FLock);
  FWritten.append(static_cast<const char*>(buffer), count);
  ov->InternalHigh = count;
  // Completes later, as a real port does.
  SetLastError(ERROR_IO_PENDING);
  SetEvent(ov->hEvent);
  *written = 0;
  return FALSE;
}
