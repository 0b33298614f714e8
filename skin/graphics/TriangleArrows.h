#pragma once
// Small solid triangle arrows of the fixed size 5 at 96 pixels per inch,
// centred in a rectangle. Direction: the tip points left (0), up (1),
// right (2) or down (3).
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

// Pixel by pixel on the canvas, which clips.
void DrawTriangleArrowOnCanvas(TCanvas& Canvas, TColor Color, const RECT& R, uint8_t Direction, int PPI);
// Into the scan lines of a 32-bit bitmap, the colour's top byte as alpha;
// nothing when the arrow does not fit in the bitmap.
void DrawTriangleArrowOnBitmap(TBitmap& Bmp, uint32_t Color, const RECT& R, uint8_t Direction, int PPI);
