#include "skin/state/CtrlSkinData.h"

#include "skin/manager/SkinManager.h"
#include "skin/state/ControlKinds.h"
#include "skin/state/StateServices.h"

TsCtrlSkinData::~TsCtrlSkinData() {
  // The owner may outlive us: its stage then passes every message on.
  if (StageLink) *StageLink = nullptr;
  // The mouse-light lists of the effects must not keep a state that is gone.
  if (StateServices.RemoveLightControl) StateServices.RemoveLightControl(this);
  LightData.reset();
  LightBmp.reset();
}

void TsCtrlSkinData::Loaded(bool ApplyColors) {
  TsCommonData::Loaded(ApplyColors);
  // Controls of the light kinds join the mouse-light lists of the effects.
  if (ckLightKinds.Contains(CtrlKind) && StateServices.AddLightControl) StateServices.AddLightControl(this);
}

void TsCtrlSkinData::ColorEffectChanged() {
  Loaded(true);
  Invalidate(false);
}

void TsCtrlSkinData::SetColorTone(uint32_t Value) {
  if (Value == ColorTone) return;
  ColorTone = Value;
  ColorEffectChanged();
}

void TsCtrlSkinData::SetHUEOffset(int Value) {
  if (Value == HUEOffset) return;
  HUEOffset = Value;
  ColorEffectChanged();
}

void TsCtrlSkinData::SetSaturation(int Value) {
  if (Value == Saturation) return;
  Saturation = Value;
  ColorEffectChanged();
}

bool TsCtrlSkinData::UsesMouseLight(bool UseFlag) const {
  if (UseFlag && LightActive) return true;
  if (!MouseAbove) return false;
  // The light follows the default manager's effects even for a control
  // with a manager of its own.
  TsSkinManager* Manager = TsSkinManager::DefaultManager();
  if (!Manager || !Manager->Effects().AllowAnimation()) return false;
  const TacBtnEffects& Buttons = Manager->AnimEffects().Buttons;
  return (Buttons.Events() & beLighting) && Buttons.LightingMode() == TacLightingMode::lmActiveControl &&
         !(OwnerControl && (OwnerControl->ComponentState() & csDesigning));
}

void TsCtrlSkinData::FreeLightBitmaps(bool OnlyWhenUnused) {
  if (OnlyWhenUnused) {
    if (!LightData || UsesMouseLight(true)) return;
    LightData.reset();
    LightBmp.reset();
    BGChanged = true;
    return;
  }
  LightData.reset();
  LightBmp.reset();
  LightActive = false;
}
