#pragma once
// The see-through corner pixels of a skin image item, as the rectangles a
// window region is cut by.
#include <windows.h>

#include <vector>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"

// Key-colour runs of the item's top corners (or its bottom ones with
// FromBottom) mapped into a window DstWidth wide, rows from DstY. The
// picture is the item's own bitmap, else MasterBitmap: the skin's master
// bitmap, which the skin manager holds and its callers pass. Nothing for
// an item without a skin manager.
void CollectMaskKeyRects(std::vector<RECT>& Rects, int DstWidth, const TsMaskData& Item, int DstY, bool FromBottom,
                         TBitmap* MasterBitmap);
