#include "skin/manager/MouseLighting.h"

void SetMouseLightActive(bool) {}
