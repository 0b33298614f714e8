#pragma once
// Walks over every descendant control of a container, depth first, in index
// order.
#include <cstdint>
#include <functional>

class TControl;
class TWinControl;

using TChildProc = std::function<void(TControl* Control, intptr_t Data)>;
// Return true to end the walk; Data is the callback's own copy.
using TChildCallback = std::function<bool(TControl* Control, int& Data)>;

void ForEachChild(TWinControl* Container, intptr_t Data, const TChildProc& Proc);
// Each child gets a fresh copy of Data; what it leaves in the copy goes down
// to its own children. True when a callback ended the walk.
bool ForEachChildUntil(TWinControl* Container, int Data, const TChildCallback& Callback);
// For ForEachChildUntil after a form animation: AC_CODE44 with Data to each
// windowed child; a non-zero low byte of its answer ends the walk.
bool Command44Callback(TControl* Control, int& Data);
