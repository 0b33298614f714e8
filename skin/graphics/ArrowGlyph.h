#pragma once
// Anti-aliased arrow glyphs with alpha: filled triangles (styles 0, 2, 4)
// and two-line chevrons (styles 1, 3), pointing left (0), up (1), right (2)
// or down (3), optionally turned by any angle.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/Bitmap.h"

// How deep (along the arrow's direction) and how wide (across it) an arrow
// pointing down is for its style, scaled size, line thickness and the width
// of the rectangle it is centred in; the odd or even width keeps it centred.
struct TArrowExtent {
  int Depth, Width;
};
TArrowExtent ArrowExtent(uint8_t Style, int Size, int Thickness, int RectWidth);

// The arrow pointing down, centred in a square 32-bit bitmap of white with
// alpha 0. Triangles take Color, chevrons LineColor (0x1FFFFFFF: no lines).
std::unique_ptr<TBitmap> BuildArrowImage(uint32_t Color, uint32_t LineColor, uint8_t Style, int Size, int Thickness,
                                         int RectWidth);

// Size 0 is the default 5 and Thickness 0 the default 2, both at 96 pixels
// per inch. The arrow is centred in R and blended into the 32-bit Bmp;
// Angle turns it further, clockwise in degrees.
void DrawArrowGlyph(TBitmap& Bmp, uint32_t Color, uint32_t LineColor, const RECT& R, uint8_t Direction, int Thickness,
                    int Angle, int Size, uint8_t Style, int PPI);
