#pragma once
// One state of a skin image item painted into a rectangle of a 32-bit
// bitmap as a nine-piece image: corners one to one, sides and (on request)
// the centre tiled or stretched, with the item's transparency rules.
// Nothing outside the bitmap or the item's picture is read or written.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"
#include "skin/graphics/SkinTypes.h"

// Widths of the band DrawSkinRectLimited paints along each edge.
struct TacLimits {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Rect exclusive. The corners' see-through pixels take BgSource only with
// UseBgForCorners and an item whose CornerMode allows it.
void DrawSkinRect(TBitmap& Bitmap, const RECT& Rect, const TacBackgroundSource& BgSource, const TsMaskData& MaskData,
                  int State, bool UseBgForCorners);
// Over content already in the bitmap: corners always may take BgSource,
// other see-through pixels become transparent.
void DrawSkinRectOver(TBitmap& Bitmap, const RECT& Rect, const TacBackgroundSource& BgSource,
                      const TsMaskData& MaskData, int State);
// Only a band of the given widths along the edges, at an opacity: outer
// effects such as shadows and glows.
void DrawSkinRectLimited(TBitmap& Bitmap, const RECT& Rect, const TacBackgroundSource& BgSource,
                         const TsMaskData& MaskData, int State, const TacLimits& Limits, uint8_t Opacity);

// The bitmap the item's pixels come from: its own, else its manager's
// master bitmap; nil when there is none.
TBitmap* MaskSourceBitmap(const TsMaskData& MaskData);
