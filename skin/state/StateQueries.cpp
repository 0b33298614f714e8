// Placeholder bodies, replaced by the colour and background rules.
#include "skin/state/StateQueries.h"

#include "skin/state/CommonData.h"

TColor GetStateFontColor(TControl*, int, TsSkinManager*, TsCommonData*, int) { return clWindowText; }
TColor GetWndStateFontColor(HWND, int, TsSkinManager*, TsCommonData*, int) { return clBtnText; }
int GetParentSkinIndex(TControl*, int Index, TsSkinManager*, int) { return Index; }
int QueryBackgroundSkinIndex(TControl*, TacBgIndexQuery&) { return 0; }
bool SectionShowsParent(TsSkinManager*, int, int, TControl*) { return false; }
HRGN CreateMaskRegion(int, TBitmap*, TacSkinData*) { return nullptr; }
bool ShiftsContentOnClick(int, TacSkinData*) { return true; }
void ApplyColorEffects(TBitmap*, TsCommonData*, TColor, int) {}
