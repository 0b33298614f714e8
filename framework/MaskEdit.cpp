#include "framework/MaskEdit.h"

#include "framework/Messages.h"

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_EXIT:
      try {
        DoExit();
      } catch (const EDBEditError&) {
        // The user stays on the text to mend it.
        if (CanFocus()) SetFocus();
        throw;
      }
      break;
    case WM_SETFOCUS:
      TCustomEdit::WndProc(m);
      if (FAutoSelect) SelectAll();
      return;
  }
  TCustomEdit::WndProc(m);
}
