#pragma once
// The glow and circle windows belong to the effects, a library above this
// one. They show pictures of the skin and name the controls' skin state, so
// the manager lets them all go whenever its skin changes or goes, through a
// hook the effects set at start; until then this does nothing.

void FreeSkinEffects();
extern void (*FreeSkinEffectsHook)();
