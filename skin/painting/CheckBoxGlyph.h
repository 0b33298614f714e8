#pragma once
// The check-box glyph: the skin's picture when it has one, else the
// system's themed or classic check box over the control's background.
#include <windows.h>

#include "framework/Bitmap.h"
#include "skin/graphics/SkinTypes.h"

class TacSkinData;

// The system check box's size, from its bitmap, measured once.
SIZE SystemCheckBoxSize();
// The glyph's width (frame width + 2) and height when SkinData is given,
// its manager active and its checked glyph of set Kind valid; else the
// system size.
int CheckBoxGlyphWidth(const TacSkinData* SkinData, bool Kind);
int CheckBoxGlyphHeight(const TacSkinData* SkinData, bool Kind);

// State 0 unchecked, 1 checked, 2 grayed; Kind picks the second (small)
// glyph set; Hot 0 normal, 1 hot, 2 pressed. Centred in R on Bmp; nothing
// without SkinData.
void DrawCheckBoxGlyph(const RECT& R, int State, bool Enabled, TBitmap& Bmp, const TacBackgroundSource& BgSource,
                       const TacSkinData* SkinData, bool Kind, int Hot);
