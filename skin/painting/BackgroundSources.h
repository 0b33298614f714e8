#pragma once
// The background source painters are handed where a piece must not look at
// any background (a bitmap source is BitmapBackgroundSource of SkinUtils).
#include "skin/core/SkinUtils.h"
#include "skin/graphics/SkinTypes.h"

// No bitmap, offset (-99, -99), no fill colour, not ready: see-through pixels
// of a piece painted with it take nothing.
extern const TacBackgroundSource EmptyBackgroundSource;
