#include "hotkey/HkVersion.h"

#include "framework/WindowsVersion.h"

THkWindowsVersion HkWindowsVersion;

void InitHkVersionUnit() {
  THkWindowsVersion& w = HkWindowsVersion;
  w = THkWindowsVersion{};
  const OSVERSIONINFOEXW v = KernelWindowsVersion();
  if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    w.Is9x = true;
    w.Is98OrLater = v.dwMinorVersion >= 10;
    w.IsMillennium = v.dwMajorVersion >= 4 && v.dwMinorVersion >= 90;
    w.HasExtensions = SystemParametersInfoW(0x5C, 1, nullptr, 0) != 0;
    return;
  }
  w.HasExtensions = true;
  w.IsNT = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
  if (v.dwMajorVersion == 5) {
    if (v.dwMinorVersion == 0) {
      w.Is2000 = true;
      w.Is2000Enterprise = v.wSuiteMask == 2;
    } else {
      w.Is51OrLater = true;
      if (v.wProductType > 1) {
        w.IsServer = true;
        w.IsServerEnterprise = v.wSuiteMask == 2;
      } else if (v.wSuiteMask == 3) {
        w.IsSmallBusiness = true;
      } else if (GetSystemMetrics(SM_MEDIACENTER)) {
        w.IsMediaCenter = true;
      } else if (GetSystemMetrics(SM_TABLETPC)) {
        w.IsTabletPC = true;
      } else {
        w.IsWorkstation = true;
      }
    }
  } else if (v.dwMajorVersion >= 6) {
    w.Is6OrLater = true;
    w.DwmLibrary = LoadLibraryW(L"dwmapi.dll");
    if (w.DwmLibrary) {
      w.DwmIsCompositionEnabled = GetProcAddress(w.DwmLibrary, "DwmIsCompositionEnabled");
      w.DwmSetWindowAttribute = GetProcAddress(w.DwmLibrary, "DwmSetWindowAttribute");
      w.DwmGetWindowAttribute = GetProcAddress(w.DwmLibrary, "DwmGetWindowAttribute");
      if (w.DwmIsCompositionEnabled) {
        BOOL enabled = FALSE;
        using Fn = HRESULT(WINAPI*)(BOOL*);
        if (reinterpret_cast<Fn>(reinterpret_cast<void*>(w.DwmIsCompositionEnabled))(&enabled) == S_OK)
          w.CompositionEnabled = enabled != FALSE;
      }
    }
  }
}

void DoneHkVersionUnit() {
  if (HkWindowsVersion.DwmLibrary) FreeLibrary(HkWindowsVersion.DwmLibrary);
  HkWindowsVersion = THkWindowsVersion{};
}
