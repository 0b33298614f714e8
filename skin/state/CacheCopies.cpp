// Placeholder bodies, replaced by the cache copy rules.
#include "skin/state/CacheCopies.h"

void CopyCacheExcludingChildren(TWinControl*, TsCommonData*, POINT, POINT, bool, HDC, const RECT&) {}
void CopyCacheExcludingChildWindows(HWND, TsCommonData*, POINT, POINT, bool, HDC, const RECT&) {}
