#pragma once
// The manager's hue, saturation and brightness changes of a loaded skin: on
// the master bitmap once per load, and on each skin data's own pictures,
// section colours and the palette as it is built.
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinOptions.h"

struct TacColorAdjustment {
  int Hue = 0;         // HueOffset
  int Saturation = 0;  // percent, -100..100
  int Brightness = 0;
  bool Empty() const { return Hue == 0 && Saturation == 0 && Brightness == 0; }
};

// Right after the master bitmap is read. Title icons keep their hue when
// "BIKEEPHUE" asks for it; grey masks under pictures keep their brightness.
void AdjustMasterBitmap(TacSkinGlobals& globals, const TacSkinOptions& options, const TacColorAdjustment& adjust);

// After the palette of data is loaded: the pictures data owns (not those
// made from the master bitmap), the colours of every section state and its
// gradient, and the palette.
void AdjustSkinData(TacSkinData& data, TacSkinGlobals& globals, const TacColorAdjustment& adjust);
