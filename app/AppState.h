#pragma once
// What the adapter application keeps for the life of the process.
#include "framework/System.h"

#include <windows.h>

struct TAppState {
  String DataFolder;      // application-data folder + "\drovik\kelvraadapter\"
  String ExeFolder;       // folder of the running executable, with backslash
  TOwnedHandle AppMutex;  // held (owned) from start-up to DoneAppUnit
  int32_t ComPortNumber = 1;
  int32_t Credits = 0;
  int32_t CashId = 0;
  bool Loading = false;
};

extern TAppState App;

// The counters are 32-bit and wrap around like the registers they came from.
inline int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

extern const wchar_t kProductName[];  // "KELVRA-Adapter": title, window caption, mutex name

// Unit start-up: the single-instance rule. A running copy is asked to close,
// and its final save is awaited before this copy goes on.
void InitAppUnit();
void DoneAppUnit();
