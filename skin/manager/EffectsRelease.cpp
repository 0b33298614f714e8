#include "skin/manager/EffectsRelease.h"

void (*FreeSkinEffectsHook)() = nullptr;

void FreeSkinEffects() {
  if (FreeSkinEffectsHook) FreeSkinEffectsHook();
}
