#pragma once
// Rescaling one image item from the density its picture was drawn for to
// the density of its table.
#include "skin/core/SectionRecords.h"

#include <memory>

// Nothing (false) when the densities agree or the frame or its borders are
// too small to scale. Otherwise Result holds the new picture, the item points
// at it with SrcRect its full area, and the frame sizes and border widths
// follow. FillColor (a colour value) is what see-through pixels carry.
bool ScaleMaskItem(TsMaskData& Mask, TBitmap* MasterBitmap, bool KeepAlpha, uint32_t FillColor,
                   std::unique_ptr<TBitmap>& Result);
