#pragma once
// Filtered two-pass resizing of 32-bit bitmaps, for skin pictures drawn at
// another density than their own.
#include <cstdint>

#include "framework/Bitmap.h"

// Filters: 0 box, 1 triangle, 2 Hermite, 3 bell, 4 B-spline, 5 windowed
// sinc, 6 Mitchell. Nothing for a source below 2 x 2 or a size that is not
// positive.
void ResampleBitmap(TBitmap& Src, TBitmap& Dst, int NewWidth, int NewHeight, uint8_t FilterKind);
