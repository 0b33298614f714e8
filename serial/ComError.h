#pragma once
// The serial port's exception: its own code and the system's error code.
#include "framework/System.h"

enum : int {
  CError_OpenFailed = 1,
  CError_WriteFailed,
  CError_ReadFailed,
  CError_InvalidAsync,
  CError_PurgeFailed,
  CError_AsyncCheck,
  CError_SetStateFailed,
  CError_TimeoutsFailed,
  CError_SetupComFailed,
  CError_ClearComFailed,
  CError_ModemStatFailed,
  CError_EscapeComFailed,
  CError_TransmitFailed,
  CError_ConnChangeProp,
  CError_EnumPortsFailed,
  CError_StoreFailed,
  CError_LoadFailed,
  CError_RegFailed,
  CError_LedStateFailed,
  CError_ThreadCreated,
  CError_WaitFailed,
  CError_HasLink,
  CError_RegError
};

String ComErrorText(int code);

class EComPort : public Exception {
 public:
  EComPort(int code, int winCode, const String& port);
  explicit EComPort(int code);

  int ErrorCode() const { return FErrorCode; }
  int WinErrorCode() const { return FWinErrorCode; }

 private:
  int FErrorCode;
  int FWinErrorCode;
};
