#include "skin/painting/ChildClip.h"

#include "framework/WinControl.h"
#include "skin/manager/SkinManager.h"

void ExcludeChildrenFromClip(HDC DC, TWinControl& Parent, int DX, int DY) {
  TsSkinManager* Manager = TsSkinManager::DefaultManager();
  const bool SkipGraphic = !Manager || Manager->Options().StdImgTransparency();
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* Child = Parent.Controls(i);
    if (!dynamic_cast<TWinControl*>(Child) && SkipGraphic) continue;
    if (!Child->Visible()) continue;
    const RECT B = Child->BoundsRect();
    ExcludeClipRect(DC, B.left + DX, B.top + DY, B.right + DX, B.bottom + DY);
  }
}
