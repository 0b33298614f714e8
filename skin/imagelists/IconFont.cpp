#include "skin/imagelists/IconFont.h"

#include <windows.h>

#include <mutex>

#include "framework/Streams.h"

const wchar_t* const kIconFontName = L"FontAwesome";

namespace {
// Removes the font when the process ends; the handle is the only state the
// registration keeps.
struct TIconFontRegistration {
  HANDLE Handle = nullptr;
  DWORD Faces = 0;
  ~TIconFontRegistration() {
    if (Handle) RemoveFontMemResourceEx(Handle);
  }
};

TIconFontRegistration& Registration() {
  static TIconFontRegistration registration;
  return registration;
}

void Register() {
  HINSTANCE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, L"AWFONT", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!info) return;
  HGLOBAL data = LoadResource(module, info);
  DWORD size = SizeofResource(module, info);
  void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes || size == 0) return;
  // The system copies the bytes: the resource may stay where it is.
  DWORD faces = 0;
  HANDLE handle = AddFontMemResourceEx(bytes, size, nullptr, &faces);
  if (!handle) return;
  Registration().Handle = handle;
  Registration().Faces = faces;
}
}  // namespace

bool RegisterIconFont() {
  static std::once_flag once;
  std::call_once(once, Register);
  return Registration().Handle != nullptr;
}

int IconFontFaceCount() { return static_cast<int>(Registration().Faces); }
