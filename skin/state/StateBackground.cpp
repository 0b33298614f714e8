// Placeholder bodies, replaced by the background rules.
#include "skin/state/CommonData.h"

TColor TsCommonData::GetBgColor(int, HWND) { return OwnerControl ? OwnerControl->Color() : clBtnFace; }
void TsCommonData::GetBgInfo(TacBackgroundInfo& Info, int, HWND) {
  Info.Bmp = nullptr;
  Info.BgKind = bgkColor;
  Info.Color = ColorToRGB(GetBgColor());
}
void TsCommonData::GetParentBg(TacBackgroundSource& Source) { Source.FillColor = ColorToRGB(GetBgColor()); }
void TsCommonData::GetWndParentBg(HWND, TacBackgroundSource& Source) { Source.FillColor = clNone; }
TColor TsCommonData::GetLightColor(int) { return -1; }
bool TsCommonData::ShowsParentInState(int) { return false; }
int TsCommonData::GetMaskBorderWidth() { return 0; }
bool TsCommonData::FocusRectVisible() { return true; }
bool TsCommonData::OuterEffectsAllowed() { return false; }
bool TsCommonData::DependsOnParentBg() { return true; }
int TsCommonData::GetCtrlState() { return 0; }
