#pragma once
// How a test waits for a state instead of sleeping for it. The time limit only
// bounds a hang: it is generous because test machines are shared and busy.
#include "framework/System.h"

#include <functional>

constexpr DWORD kPatienceMs = 30000;

// Checks done() until it holds; false when the time runs out first.
// Meanwhile it does what the message loop would: the calling thread's
// messages are dispatched and, on the main thread, calls handed over by
// workers are run.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kPatienceMs);

// Does the same for a while, for checks that nothing more arrives.
void PumpFor(DWORD ms);
