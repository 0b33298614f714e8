#pragma once
// Waits that keep the window alive: they dispatch messages, so other
// handlers (a CTS change, a click, a timer) may run inside them.
#include "framework/System.h"

void PumpedDelay(uint32_t milliseconds);

// True when another program holds the file (or it cannot be opened for
// writing); false when it does not exist.
bool IsFileLocked(const String& fileName);

// Returns when the file is free, or after 25 tries 200 ms apart; the caller
// reads or writes regardless. A file that refuses writing (read-only, no
// permission) does not wait: that does not pass, and the caller's own read
// or write says what it can.
void WaitWhileFileLocked(const String& fileName);
