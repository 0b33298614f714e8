#pragma once
// Repairing the see-through corners of a control's cache with what lies
// under the control.
#include <windows.h>

#include "skin/graphics/SkinTypes.h"

class TBitmap;
class TsCommonData;

// Corners: 1 left-top, 2 left-bottom, 4 right-top, 8 right-bottom.
void FillCacheCorners(TsCommonData* Data, int State, int Corners);

// One corner: each pixel of Cache inside Dest whose picture pixel (Image,
// from Src on) is the key colour takes the background Bg: a bitmap answer's
// pixel at the cache position plus Bg's offset, or a colour answer's colour
// (a colour of 0xFF00FF leaves the pixels). Rows and columns outside the
// cache, the picture or the background bitmap are left alone.
void FillCornerFromBackground(TBitmap& Cache, const RECT& Dest, TBitmap& Image, POINT Src, const TacBackgroundInfo& Bg);
// The same for masked pictures (key colour) and, with ByAlpha, pictures with
// their own alpha, whose see-through pixels have alpha 0; against a colour
// the key colour decides for those too.
void FillMaskedCornerFromBackground(TBitmap& Cache, const RECT& Dest, TBitmap& Image, POINT Src,
                                    const TacBackgroundInfo& Bg, bool ByAlpha);
