#pragma once
// The fading mirror image under a glyph.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"

// Rows under Pos take Frame's rows of the 32-bit Glyph from the bottom
// upwards, each blended into Dst more weakly than the one before; Blend
// (percent) weakens all of them. Source pixels whose colour bytes equal
// KeyColor's (pixel order) and pixels outside either bitmap are skipped;
// Dst's alpha is kept. Frame excludes its right and bottom.
void DrawGlyphReflection(TBitmap& Dst, TBitmap& Glyph, POINT Pos, int Blend, uint32_t KeyColor, const RECT& Frame);
