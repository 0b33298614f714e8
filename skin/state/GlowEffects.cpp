#include "skin/state/GlowEffects.h"

TacEffectHooks EffectHooks;

int ShowGlow(const RECT& R, const String& SectionName, const String& ItemName, TsCommonData* Data, HWND Parent,
             uint8_t Alpha, int Margin) {
  return EffectHooks.ShowGlow ? EffectHooks.ShowGlow(R, SectionName, ItemName, Data, Parent, Alpha, Margin) : -1;
}

void HideLayeredEffect(int& Id, bool Animate) {
  if (EffectHooks.HideLayeredEffect)
    EffectHooks.HideLayeredEffect(Id, Animate);
  else
    Id = -1;
}

void AnimateStateChange(TsCommonData* Data, int State, TacStepProc StepProc, bool Allowed, bool WithGlow) {
  if (EffectHooks.AnimateStateChange) EffectHooks.AnimateStateChange(Data, State, StepProc, Allowed, WithGlow);
}
