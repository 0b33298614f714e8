#include "serial/ComError.h"

namespace {
const wchar_t* const kTexts[] = {
    L"Unable to open com port",
    L"WriteFile function failed",
    L"ReadFile function failed",
    L"Invalid Async parameter",
    L"PurgeComm function failed",
    L"Unable to get async status",
    L"SetCommState function failed",
    L"SetCommTimeouts failed",
    L"SetupComm function failed",
    L"ClearCommError function failed",
    L"GetCommModemStatus function failed",
    L"EscapeCommFunction function failed",
    L"TransmitCommChar function failed",
    L"Cannot set property while connected",
    L"EnumPorts function failed",
    L"Failed to store settings",
    L"Failed to load settings",
    L"Link (un)registration failed",
    L"Cannot change led state if ComPort is selected",
    L"Cannot wait for event if event thread is created",
    L"WaitForEvent method failed",
    L"A component is linked to OnRxBuf event",
    L"Registry error",
};
constexpr int kTextCount = sizeof(kTexts) / sizeof(kTexts[0]);
const String kPrefix = L"COM Port Error: ";
}  // namespace

String ComErrorText(int code) {
  if (code >= 1 && code <= kTextCount) return kTexts[code - 1];
  return L"Unknown Error #" + IntToStr(code);
}

EComPort::EComPort(int code, int winCode, const String& port)
    : Exception(kPrefix + ComErrorText(code) + L" on " + port), FErrorCode(code), FWinErrorCode(winCode) {}

EComPort::EComPort(int code) : Exception(kPrefix + ComErrorText(code)), FErrorCode(code), FWinErrorCode(-1) {}
