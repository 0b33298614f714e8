#pragma once
// Cutting a control out of a screen capture: what equals the background
// under it is not the control.
#include "framework/Bitmap.h"

// Every pixel of Bmp whose colour (alpha aside) equals the same pixel of
// Background becomes 0. Nothing unless both are 32-bit of the same size.
void ClearPixelsMatching(TBitmap& Bmp, TBitmap& Background);
