#pragma once
// The touch keyboard's enumerations; the order is the stored value.

enum class TKeyboardType { ktQWERTY, ktAZERTY, ktDVORAK, ktNUMERIC, ktCELLPHONE, ktQWERTZ, ktCustom };

enum class TSpecialKey {
  skNone,
  skAlt,
  skAltGr,
  skShift,
  skCaps,
  skCtrl,
  skNum,
  skScroll,
  skReturn,
  skAdd,
  skDivide,
  skDecimal,
  skSubstract,
  skMultiply,
  skTab,
  skWin,
  skApp,
  skBackSpace,
  skSpaceBar,
  skLeft,
  skRight,
  skUp,
  skDown,
  skNext,
  skPrior,
  skHome,
  skEnd,
  skF1,
  skF2,
  skF3,
  skF4,
  skF5,
  skF6,
  skF7,
  skF8,
  skF9,
  skF10,
  skF11,
  skF12,
  skDelete,
  skEscape
};

// Keys that stay down from one press to the next and change the shift state.
inline bool IsLatchingKey(TSpecialKey k) {
  switch (k) {
    case TSpecialKey::skAlt:
    case TSpecialKey::skAltGr:
    case TSpecialKey::skShift:
    case TSpecialKey::skCaps:
    case TSpecialKey::skCtrl:
    case TSpecialKey::skNum:
    case TSpecialKey::skScroll:
      return true;
    default:
      return false;
  }
}

// Modifier keys whose drawn state all keys of the same kind share.
inline bool IsModifierKey(TSpecialKey k) {
  return k == TSpecialKey::skAlt || k == TSpecialKey::skAltGr || k == TSpecialKey::skShift || k == TSpecialKey::skCtrl;
}
