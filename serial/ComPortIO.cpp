// The working side of an open port: line signals and errors, the modem
// control lines, and overlapped reads and writes.
#include "serial/ComPort.h"

TComSignals TCustomComPort::ReadLineSignals() {
  DWORD status = 0;
  if (!Api().GetCommModemStatus(FHandle, &status)) RaiseLast(CError_ModemStatFailed);
  return ModemStatusToSignals(status);
}

TComErrors TCustomComPort::ReadLineErrors() {
  DWORD errors = 0;
  COMSTAT stat{};
  if (!Api().ClearCommError(FHandle, &errors, &stat)) RaiseLast(CError_ClearComFailed);
  TComErrors result = 0;
  if (errors & CE_FRAME) result |= ceFrame;
  if ((errors & CE_RXPARITY) && Parity().Check()) result |= ceRxParity;
  if (errors & CE_OVERRUN) result |= ceOverrun;
  if (errors & CE_RXOVER) result |= ceRxOver;
  if (errors & CE_TXFULL) result |= ceTxFull;
  if (errors & CE_BREAK) result |= ceBreak;
  if (errors & CE_IOE) result |= ceIO;
  if (errors & CE_MODE) result |= ceMode;
  return result;
}

int TCustomComPort::InputCount() {
  DWORD errors = 0;
  COMSTAT stat{};
  if (!Api().ClearCommError(FHandle, &errors, &stat)) RaiseLast(CError_ClearComFailed);
  return int(stat.cbInQue);
}

void TCustomComPort::SetRTS(bool value) {
  if (!Api().EscapeCommFunction(FHandle, value ? SETRTS : CLRRTS)) RaiseLast(CError_EscapeComFailed);
}

void TCustomComPort::SetDTR(bool value) {
  if (!Api().EscapeCommFunction(FHandle, value ? SETDTR : CLRDTR)) RaiseLast(CError_EscapeComFailed);
}

// ---- asynchronous records ------------------------------------------------------------

void TCustomComPort::InitAsync(std::unique_ptr<TAsync>& rec) {
  if (rec) return;
  auto r = std::make_unique<TAsync>();
  r->Event.Reset(CreateEventW(nullptr, TRUE, TRUE, nullptr));
  if (!r->Event) RaiseLastOSError();
  r->Overlapped.hEvent = r->Event.get();
  rec = std::move(r);
}

void TCustomComPort::PrepareAsync(TAsync& rec, TAsync::TKind kind, const void* source, int count) {
  rec.Kind = kind;
  rec.Data.assign(size_t(count), 0);
  if (source && count > 0) memcpy(rec.Data.data(), source, size_t(count));
}

DWORD TCustomComPort::WaitForAsync(TAsync* rec) {
  if (!rec) throw EComPort(CError_InvalidAsync);
  const int code = rec->Kind == TAsync::okWrite ? CError_WriteFailed : CError_ReadFailed;
  DWORD transferred = 0;
  if (WaitForSingleObject(rec->Event.get(), INFINITE) != WAIT_OBJECT_0 ||
      !Api().GetOverlappedResult(FHandle, &rec->Overlapped, &transferred, FALSE))
    RaiseLast(code);
  if (rec->Kind == TAsync::okRead && InputCount() == 0) {
    ForEachLink([&](TComLink& l) {
      if (l.OnRx) l.OnRx(this, false);
    });
  } else if (!rec->Data.empty()) {
    ForEachLink([&](TComLink& l) {
      if (l.OnTxBuf) l.OnTxBuf(this, rec->Data.data(), int(rec->Data.size()));
    });
  }
  return transferred;
}

// ---- reading and writing ---------------------------------------------------------------

namespace {
void ResetOverlapped(OVERLAPPED& ov) {
  const HANDLE event = ov.hEvent;
  ov = OVERLAPPED{};
  ov.hEvent = event;
}
}  // namespace

int TCustomComPort::Read(void* buffer, int count) {
  InitAsync(FReadAsync);
  FReadAsync->Kind = TAsync::okRead;
  FReadAsync->Data.clear();
  ResetOverlapped(FReadAsync->Overlapped);
  if (count > 0) static_cast<char*>(buffer)[0] = 0;
  DWORD read = 0;
  if (!Api().ReadFile(FHandle, buffer, DWORD(count), &read, &FReadAsync->Overlapped) &&
      GetLastError() != ERROR_IO_PENDING) {
    if (FRaiseReadErrors) RaiseLast(CError_ReadFailed);
    ++FReadErrorCount;
    FLastReadError = GetLastError();
    return 0;
  }
  return int(WaitForAsync(FReadAsync.get()));
}

int TCustomComPort::ReadStr(AnsiString& str, int count) {
  InitAsync(FReadAsync);
  PrepareAsync(*FReadAsync, TAsync::okRead, nullptr, count);
  ResetOverlapped(FReadAsync->Overlapped);
  str.clear();
  DWORD read = 0;
  if (!Api().ReadFile(FHandle, FReadAsync->Data.data(), DWORD(count), &read, &FReadAsync->Overlapped) &&
      GetLastError() != ERROR_IO_PENDING) {
    if (FRaiseReadErrors) RaiseLast(CError_ReadFailed);
    ++FReadErrorCount;
    FLastReadError = GetLastError();
    return 0;
  }
  const int n = int(WaitForAsync(FReadAsync.get()));
  str.assign(FReadAsync->Data.data(), size_t(n));
  return n;
}

int TCustomComPort::Write(const void* buffer, int count) {
  InitAsync(FWriteAsync);
  PrepareAsync(*FWriteAsync, TAsync::okWrite, buffer, count);
  ResetOverlapped(FWriteAsync->Overlapped);
  DWORD written = 0;
  if (!Api().WriteFile(FHandle, buffer, DWORD(count), &written, &FWriteAsync->Overlapped) &&
      GetLastError() != ERROR_IO_PENDING)
    RaiseLast(CError_WriteFailed);
  ForEachLink([&](TComLink& l) {
    if (l.OnTx) l.OnTx(this, true);
  });
  return int(WaitForAsync(FWriteAsync.get()));
}

int TCustomComPort::WriteStr(const AnsiString& str) {
  if (str.empty()) return 0;
  return Write(str.data(), int(str.size()));
}
