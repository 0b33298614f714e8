#pragma once
// The two ways the engine makes a window layered: one alpha for the whole
// window, or a 32-bit picture with per-pixel alpha as its whole content.
#include <windows.h>

#include <cstdint>

class TBitmap;

// Layered False (or no layered windows on this system): the window loses
// WS_VISIBLE, without a repaint, and WS_EX_LAYERED; false. Otherwise the
// window gets WS_EX_LAYERED and the constant alpha; true only when this
// call added the style, so an animation knows whether to take it away.
bool SetWindowAlpha(HWND Wnd, bool Layered, uint8_t Alpha);
// Bmp (nullptr: a cleared picture of the window's size) becomes the window's
// content with Alpha over its per-pixel alpha, at Position (nullptr: where
// the window is). Nothing without layered windows.
void SetLayeredBitmap(HWND Wnd, TBitmap* Bmp, uint8_t Alpha, const POINT* Position);
