#pragma once
// The list of the combo's simple style: a skinned list box lying under the
// combo's edit strip, a sibling of the combo on the combo's parent. The
// combo keeps the focus (the list never takes it); the edit's keys move the
// list's selection through the combo, and a click in the list picks the
// item. The combo owns it and hands it every message of its own window, so
// that the list follows its place, size, visibility and font.
#include "skin/controls/ListBox.h"

class TacCustomCombo;

class TacSimpleBox : public TsListBox {
 public:
  explicit TacSimpleBox(TacCustomCombo* Combo);

  // Under the edit strip of the combo, as wide as it, down to its bottom.
  void UpdateBounds();
  // A message the combo's window has handled.
  void ComboMessage(const TMessage& Message);
  bool CanFocus() const override { return false; }
  TacCustomCombo* Combo() const { return FCombo; }

 protected:
  void Click() override;

 private:
  TacCustomCombo* FCombo;
  // Designing only: the list is taken off while the combo is dragged.
  bool FDetached = false;
};

// The height of the combo's edit strip: the font's height with the frame
// of the system's edits.
int ComboEditHeight(const TFont& Font);
