#include "skin/state/NotifyFormOfChild.h"

#include "framework/Form.h"
#include "skin/core/SkinCommand.h"

void NotifyFormOfChild(TControl* Control) {
  if (!Control || (Control->ComponentState() & (csLoading | csDesigning))) return;
  TWinControl* Parent = Control->Parent();
  while (Parent && !dynamic_cast<TForm*>(Parent)) Parent = Parent->Parent();
  if (Parent) SendCtrlCommand(Parent, AC_CONTROLLOADED, reinterpret_cast<LPARAM>(Control));
}
