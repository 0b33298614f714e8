#pragma once
// What kind of Windows runs us, worked out once at start-up, and the desktop
// composition functions when the system has them.
#include <windows.h>

struct THkWindowsVersion {
  bool Is9x = false, Is98OrLater = false, IsMillennium = false, HasExtensions = false;
  bool IsNT = false, Is2000 = false, Is2000Enterprise = false, Is51OrLater = false;
  bool IsServer = false, IsServerEnterprise = false, IsSmallBusiness = false;
  bool IsMediaCenter = false, IsTabletPC = false, IsWorkstation = false, Is6OrLater = false;
  bool CompositionEnabled = false;
  HMODULE DwmLibrary = nullptr;
  FARPROC DwmIsCompositionEnabled = nullptr;
  FARPROC DwmSetWindowAttribute = nullptr;
  FARPROC DwmGetWindowAttribute = nullptr;
};

extern THkWindowsVersion HkWindowsVersion;

void InitHkVersionUnit();
void DoneHkVersionUnit();
