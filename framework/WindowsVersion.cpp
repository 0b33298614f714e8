#include "framework/WindowsVersion.h"

OSVERSIONINFOEXW KernelWindowsVersion() {
  OSVERSIONINFOEXW v{};
  v.dwOSVersionInfoSize = sizeof(v);
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll"))
    if (auto fn = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion"))))
      if (fn(&v) == 0) return v;
  v.dwPlatformId = VER_PLATFORM_WIN32_NT;
  return v;
}

TReportedVersion ReportedWindowsVersion() {
  const DWORD v = GetVersion();
  return {int(v & 0xFF), int(v >> 8 & 0xFF)};
}

std::optional<bool> ProcessIsWow64() {
  // Looked up, not linked: systems without 64-bit support lack the call.
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "IsWow64Process")));
  if (!isWow64Process) return false;
  BOOL result = FALSE;
  if (!isWow64Process(GetCurrentProcess(), &result)) return std::nullopt;
  return result != FALSE;
}

bool RunsUnderWine() {
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}
