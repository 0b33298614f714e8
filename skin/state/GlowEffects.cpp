#include "skin/state/GlowEffects.h"

int ShowGlow(const RECT&, const String&, const String&, TsCommonData*, HWND, uint8_t, int) { return -1; }

void HideLayeredEffect(int& Id, bool) { Id = -1; }

void AnimateStateChange(TsCommonData*, int, TacStepProc, bool, bool) {}
