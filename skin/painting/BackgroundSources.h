#pragma once
// The two background sources painters are handed when nobody asked a parent:
// none at all, or a bitmap at an offset.
#include "skin/graphics/SkinTypes.h"

// No bitmap, offset (-99, -99), no fill colour, not ready: see-through pixels
// of a piece painted with it take nothing.
extern const TacBackgroundSource EmptyBackgroundSource;

TacBackgroundSource BitmapBackgroundSource(TBitmap* Bmp, int X, int Y);
