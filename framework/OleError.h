#pragma once
// The error a failed OLE or shell call raises.
#include "framework/System.h"

#include <windows.h>

class EOleSysError : public Exception {
 public:
  explicit EOleSysError(HRESULT code);
  HRESULT ErrorCode() const { return FErrorCode; }

 private:
  HRESULT FErrorCode;
};

// Raises EOleSysError when code reports a failure.
inline void OleCheck(HRESULT code) {
  if (FAILED(code)) throw EOleSysError(code);
}
