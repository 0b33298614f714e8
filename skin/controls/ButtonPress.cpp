#include "skin/controls/ButtonPress.h"

#include "framework/Application.h"

bool HintsSuppressed = false;
bool SavedShowHint = false;
bool ForcePressedPaint = false;

void SuppressHintsForPress() {
  if (HintsSuppressed || !Application) return;
  SavedShowHint = Application->ShowHint();
  Application->SetShowHint(false);
  HintsSuppressed = true;
}

void RestoreHintsAfterPress() {
  if (!HintsSuppressed) return;
  HintsSuppressed = false;
  if (Application) Application->SetShowHint(SavedShowHint);
}
