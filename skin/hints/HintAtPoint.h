#pragma once
// A hint shown near a screen point without the application's hint manager,
// through the alpha hints when they are active, else through the
// application's hint window class.
#include <windows.h>

#include "framework/HintWindow.h"

// nullptr for an empty text (and no active alpha hints).
THintWindow* ShowHintAt(const String& Text, POINT P);
// Frees a window ShowHintAt gave (and the alpha hints' own one); HintWnd
// becomes nullptr.
void FreeHintWnd(THintWindow*& HintWnd);
