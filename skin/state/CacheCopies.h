#pragma once
// Copying a control's cache to a device context with its children cut out,
// so the children's own painting is not overdrawn.
#include <windows.h>

class TWinControl;
class TsCommonData;

void CopyCacheExcludingChildren(TWinControl* Parent, TsCommonData* Data, POINT SrcPos, POINT Offset, bool PaintBorder,
                                HDC DC, const RECT& DestRect);
void CopyCacheExcludingChildWindows(HWND Wnd, TsCommonData* Data, POINT SrcPos, POINT Offset, bool PaintBorder, HDC DC,
                                    const RECT& DestRect);
