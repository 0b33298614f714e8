#pragma once
// Font measures on the screen DC for laying out captions.
#include <windows.h>

#include "framework/Graphics.h"

// Bare: tmHeight less both leadings; else tmHeight + 6. 0 when the
// metrics cannot be had.
int FontLineHeight(HFONT Font, bool Bare);
// WordWrap: the DT_CALCRECT rectangle of the text wrapped at Width (with
// DTFlags); else its extent on one line ((0, 0) on failure). AddI adds the
// width of one "I".
void MeasureTextExtent(HFONT Font, const String& Text, UINT DTFlags, bool WordWrap, int Width, bool AddI, SIZE& Size);
// Same style, size in points, colour and name.
bool FontsEqual(const TFont& A, const TFont& B);
