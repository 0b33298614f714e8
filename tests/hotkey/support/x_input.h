#pragma once
// Real key strokes through the X server, as an operator would type them.
#include "framework/System.h"

// Runs xdotool with the arguments and waits for it; true when it ran.
bool RunXdotool(const String& arguments);
// Starts Wine's notepad and gives its window the X keyboard focus: the
// operator is working in another program. Returns the notepad process.
TOwnedHandle StartFocusedNotepad();
