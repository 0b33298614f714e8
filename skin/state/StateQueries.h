#pragma once
// Questions about a section and the control painted with it that painters ask
// without holding the control's skin state.
#include "framework/Graphics.h"
#include "skin/core/SkinCommand.h"

#include <windows.h>

class TBitmap;
class TControl;
class TacSkinData;
class TsCommonData;
class TsSkinManager;

TColor GetStateFontColor(TControl* Control, int Index, TsSkinManager* Manager, TsCommonData* Data, int State);
TColor GetWndStateFontColor(HWND Wnd, int Index, TsSkinManager* Manager, TsCommonData* Data, int State);
int GetParentSkinIndex(TControl* Control, int Index, TsSkinManager* Manager, int State);
int QueryBackgroundSkinIndex(TControl* Control, TacBgIndexQuery& Query);
bool SectionShowsParent(TsSkinManager* Manager, int Index, int State, TControl* Control);
// The same on the tables of one density.
bool SectionShowsParentIn(const TacSkinData* SkinData, int Index, int State, TControl* Control);
// The caller owns the region; nullptr without a border mask.
HRGN CreateMaskRegion(int Index, TBitmap* Bitmap, TacSkinData* SkinData);
bool ShiftsContentOnClick(int Index, TacSkinData* SkinData);
// Tone (used only by kinds 93 and 94), hue and saturation of the control.
void ApplyColorEffects(TBitmap* Bitmap, TsCommonData* Data, TColor Tone, int State);
