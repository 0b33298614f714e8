#pragma once
// The face of an unskinned push button: the themed element when visual
// styles are active, else the classic frame control.
#include <windows.h>

#include "framework/Graphics.h"

// Kind 0 normal, 1 hot, 2 pressed, 3 default button. R becomes the room
// left inside the face for the content. Focused adds the focus rectangle.
void DrawSystemButtonFace(TCanvas& Canvas, RECT& R, bool Enabled, bool Focused, int Kind);
