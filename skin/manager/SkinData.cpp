#include "skin/manager/SkinData.h"

#include <algorithm>

#include "skin/core/SkinUtils.h"
#include "skin/graphics/Gradients.h"

const std::array<const wchar_t*, StandardSectionCount> StandardSectionNames = {
    L"MENUITEM",      L"CHECKBOX",      L"SPEEDBUTTON",    L"SPEEDBUTTON_SMALL",
    L"TOOLBUTTON",    L"TRANSPARENT",   L"GROUPBOX",       L"DIVIDER",
    L"WEBBUTTON",     L"BUTTON",        L"COMBONOEDIT",    L"BUTTON_HUGE",
    L"TOOLBAR",       L"EDIT",          L"GAUGE",          L"SELECTION",
    L"STATUSBAR",     L"PANEL",         L"PANEL_LOW",      L"TRACKBAR",
    L"PROGRESSV",     L"DRAGBAR",       L"GRIPH",          L"GRIPV",
    L"PROGRESSH",     L"TABSHEET",      L"COMBOBOX",       L"CAPTION",
    L"MAINMENU",      L"SPLITTER",      L"COMBOBTN",       L"FORMTITLE",
    L"HINT",          L"DIVIDERV",      L"PAGECONTROL",    L"TABTOP",
    L"BARPANEL",      L"BARTITLE",      L"DIALOG",         L"FORM",
    L"SCROLLBTNLEFT", L"SCROLLBTNTOP",  L"SCROLLBTNRIGHT", L"SCROLLBTNBOTTOM",
    L"SCROLLBAR1H",   L"SCROLLBAR1V",   L"SCROLLBAR2H",    L"SCROLLBAR2V",
    L"SCROLLSLIDERH", L"SCROLLSLIDERV", L"SLIDER_OFF",     L"SLIDER_ON",
    L"THUMB_ON",      L"THUMB_OFF",     L"MENUCAPTION",    L"DIALOGTITLE",
    L"MENUBTN",       L"MENULINE",      L"FORMHEADER",     L"TB_BTN",
    L"TB_MENUBTN",    L"TB_TAB",        L"COLHEADER",      L"COLHEADERA",
    L"COLHEADERL",    L"COLHEADERR",    L"UPDOWNBTN"};

const std::array<const wchar_t*, 13> TitleIconNames = {
    L"BICLOSEALONE", L"BICONCLOSE", L"BICONMAX",  L"BICONMIN",  L"BICONNORM",   L"BICONHELP", L"SICONCLOSE",
    L"SICONMAX",     L"SICONMIN",   L"SICONNORM", L"SICONHELP", L"TITLEBUTTON", L""};

TacSkinData::TacSkinData(int ppi) : PPI(ppi), ScaleIndex(PPIToScaleIndex(ppi)), ScalePercent(MulDiv(ppi, 100, 96)) {
  Clear();
}

void TacSkinData::Clear() {
  MaskArray.clear();
  GeneralDataArray.clear();
  ImageCache.clear();
  OuterEffects = {};
  GlobalInfoIndex = -1;
  StandardSections.fill(-1);
  TitleIcons.fill(-1);
  RadioImages.fill(-1);
  CheckImages.fill(-1);
  SmallCheckImages.fill(-1);
  ExBorderIndex = GripImage = GripHorz = GripVert = -1;
  for (auto& glows : TitleGlowIndexes) glows.clear();
  ScrollButtons = ScrollBars = UpDownButtons = {};
  ScrollSliders = {};
  MenuItem = ComboButton = {};
  Tabs = {};
  TrackBars = {};
  ActiveBorderBmp.reset();
  NormalBorderBmp.reset();
  ExtBorderMargins = {};
  FActiveShadowBmp.reset();
  FNormalShadowBmp.reset();
}

namespace {

std::unique_ptr<TBitmap> WindowShadow(const TacSkinData& d, uint32_t color) {
  // Values of the skin file: bounded so none asks for a giant bitmap.
  const int size = std::clamp(d.WShadowSize, 0, 255);
  return CreateGlowShape(color, std::clamp(d.WShadowRadius, 0, 255), std::clamp(d.WShadowOffset, 0, 255), 2 * size,
                         2 * size, 0, false, true);
}

}  // namespace

TBitmap* TacSkinData::GetActiveShadowBmp() {
  if (!FActiveShadowBmp) FActiveShadowBmp = WindowShadow(*this, WShadowColorA);
  return FActiveShadowBmp.get();
}

TBitmap* TacSkinData::GetNormalShadowBmp() {
  if (!FNormalShadowBmp) FNormalShadowBmp = WindowShadow(*this, WShadowColorN);
  return FNormalShadowBmp.get();
}
