#include "skin/forms/FontCustom.h"

#include "framework/WinControl.h"

bool FontsEqual(const TFont& A, const TFont& B) {
  return A.Style() == B.Style() && A.Size() == B.Size() && A.Color() == B.Color() && A.Name() == B.Name();
}

bool IsFontCustom(TControl* Control, const TFont& Font, bool CheckParentOnly) {
  TWinControl* parent = Control ? Control->Parent() : nullptr;
  TFont reference;
  if (parent) {
    reference.Assign(parent->Font());
    if (!CheckParentOnly) reference.SetColor(Control->Font().Color());
  } else if (!CheckParentOnly) {
    reference.SetColor(Font.Color());
  }
  return !FontsEqual(reference, Font);
}
