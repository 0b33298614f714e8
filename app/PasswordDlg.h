#pragma once
// The service dialog that guards the main window.
#include "framework/Form.h"

class TFormPasswordDlg : public TForm {
 public:
  explicit TFormPasswordDlg(TComponent* owner);
};

extern TFormPasswordDlg* FormPasswordDlg;
