#pragma once
// Connects the effects to the skin state below them (glow windows, state
// animations, mouse light, pulse frames). The program calls it once at start,
// before it makes any window; calling it again changes nothing.
void InstallEffects();
// Frees every effect and its window; the program calls it at exit, while
// the controls whose ids the effects reset are still there.
void DoneEffects();
