#include "skin/effects/InstallEffects.h"

#include "skin/effects/Pulse.h"
#include "skin/effects/StateAnimation.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/StateServices.h"

void InstallEffects() {
  // Each effect sets the hooks it provides here, one line each.
  EffectHooks.AnimateStateChange = AnimateControlState;
  StateServices.RedrawPulseFrame = RedrawPulseFrame;
}
