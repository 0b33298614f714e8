#pragma once
// The communications calls the port makes, behind one interface: the real
// system in the program, an in-process port in unit tests.
#include "framework/System.h"

class TCommApi {
 public:
  virtual ~TCommApi() = default;
  // Opens the device for overlapped reading and writing, unshared.
  virtual HANDLE CreatePortFile(const String& deviceName) = 0;
  virtual BOOL ClosePortHandle(HANDLE h) = 0;
  virtual BOOL SetupComm(HANDLE h, DWORD inSize, DWORD outSize) = 0;
  virtual BOOL SetCommState(HANDLE h, DCB* dcb) = 0;
  virtual BOOL SetCommTimeouts(HANDLE h, COMMTIMEOUTS* timeouts) = 0;
  virtual BOOL SetCommMask(HANDLE h, DWORD mask) = 0;
  virtual BOOL WaitCommEvent(HANDLE h, DWORD* mask, OVERLAPPED* ov) = 0;
  virtual BOOL GetOverlappedResult(HANDLE h, OVERLAPPED* ov, DWORD* transferred, BOOL wait) = 0;
  virtual BOOL ClearCommError(HANDLE h, DWORD* errors, COMSTAT* stat) = 0;
  virtual BOOL GetCommModemStatus(HANDLE h, DWORD* status) = 0;
  virtual BOOL EscapeCommFunction(HANDLE h, DWORD func) = 0;
  virtual BOOL PurgeComm(HANDLE h, DWORD flags) = 0;
  virtual BOOL ReadFile(HANDLE h, void* buffer, DWORD count, DWORD* read, OVERLAPPED* ov) = 0;
  virtual BOOL WriteFile(HANDLE h, const void* buffer, DWORD count, DWORD* written, OVERLAPPED* ov) = 0;
};

// The system's own calls.
TCommApi& SystemCommApi();
