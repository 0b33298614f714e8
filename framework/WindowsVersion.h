#pragma once
// Which Windows runs us, asked in one place so every library asks the same way.
#include <windows.h>

#include <optional>

// The version as the kernel knows it. GetVersionEx is held back for programs
// without a compatibility manifest; this is not. Zero numbers (platform NT)
// when the kernel cannot be asked.
OSVERSIONINFOEXW KernelWindowsVersion();

// The version reported to the process (GetVersion), which compatibility
// settings may lower: what the program is told it runs on.
struct TReportedVersion {
  int Major, Minor;
};
TReportedVersion ReportedWindowsVersion();

// Whether this is a 32-bit process on 64-bit Windows: false where the system
// cannot run one, empty when the system refuses to say.
std::optional<bool> ProcessIsWow64();

// Whether the "Windows" is Wine, for the few places that must step around one
// of its faults.
bool RunsUnderWine();
