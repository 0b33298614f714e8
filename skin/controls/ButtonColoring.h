#pragma once
// The colours a skinned button lays over its face: a background tone, a
// glyph colour and a text colour, each acColorUnset when not used. Dialog
// buttons are tinted by their modal result (green for OK and Yes, red for
// Cancel and No) as far as the manager's ModalButtonsColoring allows; the
// control's own tone and OnGetColoring come before and after that.
#include "framework/Graphics.h"
#include "skin/state/SkinBaseTypes.h"

#include <cstdint>
#include <functional>

class TObject;
class TsSkinManager;

struct TacColoring {
  uint32_t ColorBg = acColorUnset;
  uint32_t ColorGlyph = acColorUnset;
  uint32_t ColorText = acColorUnset;
};
using TacGetColoring = std::function<void(TObject* Sender, int State, TacColoring& Coloring)>;

// The colouring of a button in paint State (0 normal, 1 hot, 2 pressed, 3
// default). ColorTone is the skin state's tone (acColorUnset: none); Manager
// nil means no skin manager; text and background are tinted only when the
// button is Skinned.
TacColoring ButtonColoring(int ModalResult, int State, uint32_t ColorTone, TsSkinManager* Manager, bool Skinned);
