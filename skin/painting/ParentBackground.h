#pragma once
// A control asks its parent for the background under it with AC_GETBG; a
// parent that does not answer is painted into a DC or stands in with a
// colour. The answer is reduced to the source every painter takes.
#include <windows.h>

#include "skin/graphics/SkinTypes.h"

class TControl;

// True when the window answered (BgKind set by it). Unanswered: OffsetX/Y
// become the window's client origin in its window rectangle; with
// PleaseDraw the window paints itself into DrawDC clipped to R (R comes back
// moved by that offset) and BgKind stays unanswered; without, BgKind becomes
// a colour: the default skin's global colour, the control's colour, or
// clBtnFace as a system colour code.
bool QueryWindowBackground(TacBackgroundInfo& Info, HWND Wnd, bool PleaseDraw);
// The same through the control's own message path, with the caller's
// offset. Always true: without an answer and without PleaseDraw the answer
// is the control's background colour.
bool QueryControlBackground(TacBackgroundInfo& Info, TControl* Control, bool PleaseDraw);
void BackgroundInfoToSource(const TacBackgroundInfo& Info, TacBackgroundSource& Source);
