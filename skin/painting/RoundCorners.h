#pragma once
// Round corners of a painted rectangle: the background blended into each
// corner through an anti-aliased quarter circle, one mask per radius kept
// for the life of the program.
#include <windows.h>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"
#include "skin/graphics/SkinTypes.h"

// A (2r + 1)-square mask: white (0xFFFFFFFF) outside the circle, black
// inside; the cache owns it. Radius must be at least 1.
TBitmap* GetRoundCornerMask(int Radius);
void FreeRoundCornerMasks();

// Radii: left-top, right-top, left-bottom, right-bottom (0 or less leaves
// a corner square); nil takes the section's BorderRadius for all four.
// With a background bitmap each corner reads the background under it (with
// FollowRect at the background's own rectangle laid over Rect). Only
// pixels inside both Rect and Bmp change.
void PaintRoundCorners(const TsGeneralData& GeneralData, TBitmap& Bmp, const RECT& Rect,
                       const TacBackgroundSource& BgSource, const int* Radii, bool FollowRect);
