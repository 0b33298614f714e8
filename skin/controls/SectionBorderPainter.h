#pragma once
// The border of a skinned container (panel, scroll box) of a requested
// width: the section's border image where the skin has one, filled up to
// the requested width with the section colour, or a plain frame in that
// colour where the skin has none.
#include <windows.h>

class TsCommonData;

// Paints into SkinData's cache bitmap and copies the frame to DC (which may
// be the cache's own DC). R is the outer rectangle in the control's
// coordinates; BorderWidth 0 paints only the skin's border image. InnerR
// receives the rectangle inside the painted border when the skin has a
// border image (never with a negative width or height); it is left alone
// otherwise.
void PaintSectionBorder(HDC DC, const RECT& R, int BorderWidth, TsCommonData& SkinData, int State, RECT& InnerR);
