#pragma once
// Captions of skinned controls: drawn in the colours of the control's
// section (or of the section it lies on), with the section's outlines and
// glow, recoloured by the control's own tone, hue and saturation.
#include <windows.h>

#include <cstdint>

#include "framework/Graphics.h"

class TsCommonData;

// Color (red in the low byte) after the control's colour tone, hue offset
// and saturation, as an RGB value.
uint32_t ApplyControlColorEffects(uint32_t Color, const TsCommonData& CommonData);

// Text (nil: nothing) on the canvas in its font. An unskinned control or one
// with its own font gets plain text, embossed when disabled. Sections that
// paint no background of their own ask the control which section lies
// beneath; with none, the parent's font colour is used. State is 0..2; in
// states 1 and 2 a "WEBBUTTON" caption is underlined (the canvas font keeps
// the style, as it keeps nothing else: the DC is restored). The glow goes
// straight into the control's cache bitmap when AllowGlow.
void DrawTextWithEffects(TCanvas& Canvas, const wchar_t* Text, bool Enabled, RECT R, UINT Flags,
                         TsCommonData& CommonData, int State, bool AllowGlow);
