#pragma once
// The fade of a control from the picture it showed to its newly painted
// state, one blended frame per tick of the control's fade timer, with the
// control's glow window following the fade's level.
#include <cstdint>

#include "skin/state/ThreadedTimer.h"

class TsCommonData;

// Set when Windows asks to end the session: no fade starts from then on,
// controls repaint directly.
extern bool SessionEnding;

// Sets the alpha of glow window Id; the glow windows set it at start, and
// without it a glow keeps the alpha it was shown with.
using TacGlowAlphaSetter = void (*)(int Id, uint8_t Alpha);
extern TacGlowAlphaSetter GlowAlphaSetter;

// What AnimateStateChange of the skin state runs. Every control calls that
// after its visual state changed (0 normal, 1 hot, 2 pressed; 100 and above
// never glow). Allowed is the control's answer of
// AnimationAllowed; StepProc nil picks the standard step of the owner kind.
void AnimateControlState(TsCommonData* Data, int NewState, TacStepProc StepProc, bool Allowed, bool WithGlow);
// Captures the picture on screen and the new one and starts the fade.
void StartFade(TsCommonData* Data, int NewState, TacStepProc StepProc, bool Fast);

// Step procedures: True keeps the timer running.
bool FadeStepWindow(TsCommonData* Data, int Step);
bool FadeStepGraphic(TsCommonData* Data, int Step);
bool GlowFadeStep(TsCommonData* Data, int Step);
// A check box becoming checked: its checked glyph is wiped in diagonally
// from the glyph's lower-left corner over CheckWipeSteps steps, over the
// start picture the box painted unchecked. The glyph's place comes from the
// control's AC_GETEFFECTRECT (plain).
bool FadeStepCheckGlyph(TsCommonData* Data, int Step);
constexpr int CheckWipeSteps = 14;
// The wipe's front at Step for a glyph of W x H: the pixels (x, y) of the
// glyph with x + (H - 1 - y) below it show the new glyph. It runs
// geometrically from nothing to all but a two-pixel corner over 13 steps;
// the last step shows the whole glyph.
int CheckWipePosition(int W, int H, int Step);

// The level one step moves the timer to, rounded and limited to 0..255.
int AdvanceFadeLevel(TacThreadedTimer& Timer, int Step);
// The blend's transparency towards the new picture at level L.
inline uint8_t FadeTransparency(int State, int L) { return uint8_t(State == 1 ? 255 - L : L); }
