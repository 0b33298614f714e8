#pragma once
// A key with its modifiers in one number, as menus, hot keys and click keys
// store it: the low byte the virtual key; 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
#include <cstdint>

#include "framework/Control.h"

using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

// Key pressed with the modifiers held in shift, as one short cut.
inline TShortCut ShortCut(uint16_t key, TShiftState shift) {
  return static_cast<TShortCut>(key | ((shift & ssShift) ? scShift : 0) | ((shift & ssCtrl) ? scCtrl : 0) |
                                ((shift & ssAlt) ? scAlt : 0));
}
