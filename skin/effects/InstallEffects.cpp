#include "skin/effects/InstallEffects.h"

#include "skin/effects/LabelFlight.h"
#include "skin/effects/LayeredEffects.h"
#include "skin/effects/MouseLight.h"
#include "skin/effects/Pulse.h"
#include "skin/effects/StateAnimation.h"
#include "skin/manager/EffectsRelease.h"
#include "skin/manager/MouseLighting.h"
#include "skin/state/BoundLabel.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/StateServices.h"

void InstallEffects() {
  // Each effect sets the hooks it provides here, one line each.
  EffectHooks.AnimateStateChange = AnimateControlState;
  StateServices.RedrawPulseFrame = RedrawPulseFrame;
  EffectHooks.ShowGlow = ShowGlowEffect;
  EffectHooks.HideLayeredEffect = HideGlowOrCircle;
  StateServices.UpdateLayeredEffect = [](int Id) { UpdateLayeredEffect(Id); };
  StateServices.ReleaseEffectForm = [](int Id) { ReleaseEffectForm(Id); };
  StateServices.AddLightControl = [](TsCtrlSkinData* Data) { AddLightControl(Data); };
  StateServices.RemoveLightControl = RemoveLightControl;
  StateServices.UpdateMouseLight = UpdateMouseLight;
  MouseLightActiveHook = ActivateMouseLight;
  LabelFlightHook = FlyLabelFromHint;
  GlowAlphaSetter = SetGlowAlpha;
  FreeSkinEffectsHook = DoneEffects;
}

void DoneEffects() { FreeLayeredEffects(true, false); }
