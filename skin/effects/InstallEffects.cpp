#include "skin/effects/InstallEffects.h"

#include "skin/state/GlowEffects.h"
#include "skin/state/StateServices.h"

void InstallEffects() {
  // Each effect sets the hooks it provides here, one line each.
}
