#pragma once
// A key with its modifiers in one number, as menus, hot keys and click keys
// store it: the low byte the virtual key; 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
#include <cstdint>

using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
