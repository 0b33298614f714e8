#pragma once
// Colour constants turned into RGB through the loaded skin: system colours
// and the engine's own named colours take the skin's palette; plain RGB
// values and colours the skin does not cover are converted as the
// framework does.
#include <windows.h>

#include "framework/Graphics.h"

class TsSkinManager;

// The engine's main colour, GLOBALINFO COLOR of the loaded skin.
constexpr TColor clSkinMain = static_cast<TColor>(0xF1000001);

// Manager nullptr: the default manager. Without a manager holding a skin,
// an engine colour (a negative value above 100 in its low 24 bits) gives
// the RGB it carries.
COLORREF SkinColorToRGB(TColor Color, const TsSkinManager* Manager);
