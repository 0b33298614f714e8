#include "skin/manager/MouseLighting.h"

void (*MouseLightActiveHook)(bool Active) = nullptr;

void SetMouseLightActive(bool Active) {
  if (MouseLightActiveHook) MouseLightActiveHook(Active);
}
