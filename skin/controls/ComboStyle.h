#pragma once
// What a combo style allows: the list styles take no typing and act as one
// button; owner-draw styles leave the items to OnDrawItem; the simple style
// shows its list under the edit instead of dropping it down.
#include "framework/ComboBox.h"

inline bool IsListComboStyle(TComboBoxStyle Style) {
  return Style == TComboBoxStyle::csDropDownList || Style == TComboBoxStyle::csOwnerDrawFixed ||
         Style == TComboBoxStyle::csOwnerDrawVariable;
}
inline bool IsOwnerDrawComboStyle(TComboBoxStyle Style) {
  return Style == TComboBoxStyle::csOwnerDrawFixed || Style == TComboBoxStyle::csOwnerDrawVariable;
}
inline bool CanDropDownComboStyle(TComboBoxStyle Style) { return Style != TComboBoxStyle::csSimple; }
