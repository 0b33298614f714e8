#include "skin/manager/ManagerOptions.h"

#include "skin/core/SkinCommand.h"
#include "skin/core/SkinUtils.h"
#include "skin/manager/MouseLighting.h"
#include "skin/manager/SkinManager.h"

TacScaleMode DefaultScaleMode = TacScaleMode::smAuto;

namespace {

// Shared by every manager of the process.
bool gOldGlyphsMode = false;

}  // namespace

void TacSkinEffects::SetAllowAnimation(bool value) {
  FAllowAnimation = value;
  if (FManager && FManager->IsDefault())
    SetMouseLightActive(value && FManager->AnimEffects().Buttons.LightingMode() == TacLightingMode::lmAffectNearest);
}

void TacSkinEffects::RepaintUnlessBusy() {
  if (FManager && !FManager->Loading() && !FManager->FUpdating) FManager->RepaintForms();
}

void TacSkinEffects::SetAllowOuterEffects(bool value) {
  if (value == FAllowOuterEffects) return;
  FAllowOuterEffects = value;
  RepaintUnlessBusy();
}

void TacSkinEffects::SetDiscoloredGlyphs(bool value) {
  if (value == FDiscoloredGlyphs) return;
  FDiscoloredGlyphs = value;
  RepaintUnlessBusy();
}

bool TacButtonsSupport::OldGlyphsMode() { return gOldGlyphsMode; }

void TacButtonsSupport::SetOldGlyphsMode(bool value) {
  if (value == gOldGlyphsMode) return;
  gOldGlyphsMode = value;
  if (FManager && !FManager->Loading()) FManager->RepaintForms();
}

void TacScrollBarsSupport::SetButtonsSize(int value) {
  if (value == FButtonsSize) return;
  FButtonsSize = value;
  if (FManager && !FManager->Loading()) FManager->RepaintForms();
}

void TacScrollBarsSupport::SetScrollSize(int value) {
  if (value == FScrollSize) return;
  FScrollSize = value;
  if (FManager && !FManager->Loading()) FManager->Broadcast(AC_REFRESHFRAME);
}

void TacOptions::SetBool(TBoolOption index, bool value) {
  if (FBools[index] == value) return;
  FBools[index] = value;
  // Redirecting the system colours is not done (the program keeps it off);
  // the value is kept for whoever reads it. The non-client switch goes to
  // the skinned forms, which the form skinning will list.
}

void TacOptions::SetArrowsStyle(TacArrowsStyle value) {
  if (value == FArrowsStyle) return;
  FArrowsStyle = value;
  if (FManager && FManager->Active()) FManager->UpdateSkin(true);
}

TacArrowsStyle TacOptions::GetActualArrowsStyle() const {
  if (FArrowsStyle != TacArrowsStyle::arsDefault || !FManager) return FArrowsStyle;
  const int fromSkin = FManager->Globals().ArrowStyle;
  // A skin value outside the styles would be the default again; the first
  // style is what a skin without one gets.
  if (fromSkin < 0 || fromSkin >= int(TacArrowsStyle::arsDefault)) return TacArrowsStyle::arsSolid1;
  return TacArrowsStyle(fromSkin);
}

TacScaleMode TacOptions::ScaleMode() const {
  return FScaleMode == TacScaleMode::smFramework ? TacScaleMode::smAuto : FScaleMode;
}

void TacOptions::SetScaleMode(TacScaleMode value) {
  if (FManager)
    FManager->ChangeScale(ScaleMode(), value, 0, 0);
  else
    FScaleMode = value;
  if (FManager && FManager->IsDefault()) DefaultScaleMode = value;
}

void TacOptions::SetPixelsPerInch(int value) {
  value = std::clamp(value, kMinPPI, kMaxPPI);
  if (value == FPixelsPerInch) return;
  if (FManager && FScaleMode == TacScaleMode::smCustomPPI)
    FManager->ChangeScale(TacScaleMode::smCustomPPI, TacScaleMode::smCustomPPI, value, FPixelsPerInch);
  else
    FPixelsPerInch = value;
}

void TacOptions::SetGroupBoxStyle(TacGroupBoxStyle value) {
  if (value == FGroupBoxStyle) return;
  FGroupBoxStyle = value;
  if (FManager && !FManager->Loading()) FManager->RepaintForms();
}

void TacFonts::SetMainMode(TacFontMode value) {
  if (value == FMainMode) return;
  FMainMode = value;
  if (FOwner && !FOwner->Loading()) FOwner->ApplyFontMode(value);
}

void TacFonts::SetMainFont(const String& value) {
  if (value == FMainFont) return;
  FMainFont = value;
  if (FOwner && FMainMode == TacFontMode::fmCustom && !FOwner->Loading()) FOwner->ApplyFontMode(FMainMode);
}

void TsSkinManager::InitManagerOptions() {
  FEffects = std::make_unique<TacSkinEffects>(this);
  FFonts = std::make_unique<TacFonts>(this);
  FThirdParty = std::make_unique<TsThirdPartyList>();
  FDetectedScaleIndex = PPIToScaleIndex(MainFormDPI());
  for (TStringList& list : FThirdLists) list.SetCaseSensitive(true);
  FMenuSupport = std::make_unique<TacMenuSupport>();
  FManagerOptions = std::make_unique<TacOptions>(this);
  FScrollsOptions = std::make_unique<TacScrollBarsSupport>(this);
  FButtonsOptions = std::make_unique<TacButtonsSupport>(this);
  FLabelsOptions = std::make_unique<TacLabelsSupport>();
  FAnimEffects = std::make_unique<TacAnimEffects>();
  FPPI = GetPPIForControl(this);
}
