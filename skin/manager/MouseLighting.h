#pragma once
// Button mouse lighting belongs to the effects, which are not built yet; the
// manager switches it through this one call, which does nothing until then.

// Lights buttons near the mouse (on) or only the active control (off).
void SetMouseLightActive(bool Active);
