#pragma once
// A control's face painted from its skin state: its section in a state with
// its custom colour and custom border, and the colour adjustments it asks
// for (tone, hue, saturation).
#include <windows.h>

#include "framework/Bitmap.h"
#include "skin/graphics/SkinTypes.h"

class TsCommonData;
class TWinControl;

// The section background with the control's custom colour when it has one.
void FillControlBackground(TsCommonData& CommonData, const TacBackgroundSource& BgSource, int State, const RECT& R,
                           POINT Offset, TBitmap* Bmp);
// Background, corner glyphs, border (DrawFlag goes to the nine-piece
// painter) and colour adjustments.
void PaintControlSkin(TsCommonData& CommonData, const TacBackgroundSource& BgSource, int State, const RECT& R,
                      POINT Offset, TBitmap* Bmp, bool DrawFlag);
// The same without colour adjustments over the background Parent gives;
// false, with nothing painted, while the parent's background is not ready.
bool PaintControlSkinOverParent(TsCommonData& CommonData, TWinControl* Parent, int State, const RECT& R, POINT Offset,
                                TBitmap* Bmp, bool DrawFlag);
// The plain border of the control's section with its custom border; false
// when no line was drawn or the control has no section.
bool DrawControlBorder(TBitmap* Bmp, const RECT& R, TsCommonData& CommonData, const TacBackgroundSource& BgSource,
                       int State);
