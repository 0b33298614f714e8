#include "skin/effects/CanShowClickEffect.h"

#include "framework/Control.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"

bool CanShowClickEffect(TControl* Control, TsCommonData* SkinData, TacAnimatEvents Events) {
  if (!Control || (Control->ComponentState() & csDesigning) || !Control->Enabled()) return false;
  TsSkinManager* Manager = SkinData ? SkinData->GetSkinManager() : TsSkinManager::DefaultManager();
  if (!Manager || !AnimationAllowed(aeClick, Events, Manager)) return false;
  return Manager->AnimEffects().Buttons.ClickEffect() != TacClickEffect::ceWaveOut;
}
