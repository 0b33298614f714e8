#pragma once
// Keeps a container's own painting off its children.
#include <windows.h>

class TWinControl;

// Excludes from DC's clip every visible child of Parent moved by (DX, DY).
// Graphic children are excluded only when a default skin manager paints
// standard images opaque (StdImgTransparency off); otherwise the parent's
// face shows through them.
void ExcludeChildrenFromClip(HDC DC, TWinControl& Parent, int DX, int DY);
