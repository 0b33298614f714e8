// The colour and repaint routines of the skin state. What the section's
// colours do to the owner and how the cache is repainted come with the
// painters; until then a skin state changes no colour and a repaint asks the
// owner to paint again.
#include "framework/Control.h"
#include "skin/state/CommonData.h"

void TsCommonData::ApplySkinColors(bool Repaint) {
  if (Repaint) Invalidate(true);
}

void TsCommonData::ApplyStateColors(bool NoRedrawSwitch) {}
