#pragma once
// Painting through the system's buffered paint (theme library, Windows
// Vista and later), which gives a client area real alpha on glass. Without
// the buffered-paint functions both routines do nothing.
#include <windows.h>

#include <cstdint>

class TBitmap;
class TCanvas;

// The window's client rectangle R filled with Color (RGB), the window's
// own client painting over it, made opaque.
void PaintClientOpaque(HWND Wnd, const RECT& R, uint32_t Color);
// Bmp at R's top-left onto the canvas through a buffered paint of R.
void DrawBitmapBuffered(TCanvas& Canvas, TBitmap& Bmp, const RECT& R);
