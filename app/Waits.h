#pragma once
// Waits that keep the window alive: they dispatch messages, so other
// handlers (a CTS change, a click, a timer) may run inside them.
#include "framework/System.h"

void PumpedDelay(uint32_t milliseconds);

// True when another program holds the file (or it cannot be opened for
// writing); false when it does not exist.
bool IsFileLocked(const String& fileName);

// Returns when the file is free, or after 25 tries 200 ms apart; the caller
// reads or writes regardless.
void WaitWhileFileLocked(const String& fileName);
