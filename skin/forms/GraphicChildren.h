#pragma once
// The graphic (window-less) children of a skinned container, painted onto
// the container's skin background off screen and then copied to the DC.
#include <windows.h>

class TControl;
class TWinControl;

// Paints the container's graphic children onto DC, each at its position
// moved by Offset. Does nothing while it already runs (a child's painting
// that calls it again); a DC whose clip box is empty paints nothing and
// sends the container AC_SETCHILDBGFLAG instead. A child whose top-left
// pixel comes out as the key colour 0xFF00FF is left out entirely.
void PaintGraphicChildren(HDC DC, TWinControl* Container, POINT Offset, bool CheckVisible);
// A graphic child that shows (or is designed), has a size, is not being
// destroyed and whose bounds are visible in DC.
bool IsGraphicChildVisible(TControl* Child, HDC DC);
