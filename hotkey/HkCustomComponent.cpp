#include "hotkey/HkCustomComponent.h"

void THkCustomComponent::Change() {
  if (OnChange && FChangeLock != 1) OnChange(this);
}
