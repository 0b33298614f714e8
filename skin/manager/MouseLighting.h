#pragma once
// Button mouse lighting belongs to the effects, a library above this one;
// the manager switches it through this one call, which reaches the effects
// through a hook they set at start and does nothing until then.

// Lights buttons near the mouse (on) or only the active control (off).
void SetMouseLightActive(bool Active);
extern void (*MouseLightActiveHook)(bool Active);
