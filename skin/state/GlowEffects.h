#pragma once
// The glow windows and the state-change animation of controls belong to the
// effects, a library above this one. The skin state reaches them through
// these calls alone; the effects library sets the hooks at start, and until
// it does no glow is shown and no animation runs.
#include <windows.h>

#include <cstdint>

#include "framework/System.h"
#include "skin/state/ThreadedTimer.h"

class TsCommonData;

// Shows the glow item ItemName of section SectionName around R (screen
// coordinates) over Parent; answers the glow's id, -1 when none was shown.
int ShowGlow(const RECT& R, const String& SectionName, const String& ItemName, TsCommonData* Data, HWND Parent,
             uint8_t Alpha, int Margin);
// Hides the glow or effect window Id (fading out with Animate) and forgets
// it: Id becomes -1.
void HideLayeredEffect(int& Id, bool Animate);
// Fades the control into State; StepProc paints each step (nil: the
// standard fade).
void AnimateStateChange(TsCommonData* Data, int State, TacStepProc StepProc, bool Allowed, bool WithGlow);

struct TacEffectHooks {
  int (*ShowGlow)(const RECT& R, const String& SectionName, const String& ItemName, TsCommonData* Data, HWND Parent,
                  uint8_t Alpha, int Margin) = nullptr;
  void (*HideLayeredEffect)(int& Id, bool Animate) = nullptr;
  void (*AnimateStateChange)(TsCommonData* Data, int State, TacStepProc StepProc, bool Allowed, bool WithGlow) = nullptr;
};
// Set once by the effects library, before any window.
extern TacEffectHooks EffectHooks;
