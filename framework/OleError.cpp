#include "framework/OleError.h"

namespace {

String SystemMessage(HRESULT code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  String message = length ? String(text, length) : String();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
    message.pop_back();
  if (message.empty()) {
    wchar_t buffer[32];
    wsprintfW(buffer, L"OLE error %08X", static_cast<unsigned>(code));
    message = buffer;
  }
  return message;
}

}  // namespace

EOleSysError::EOleSysError(HRESULT code) : Exception(SystemMessage(code)), FErrorCode(code) {}
