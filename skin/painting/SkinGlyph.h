#pragma once
// Small skin pictures drawn whole at a point (check glyphs, arrows, title
// buttons), and the other copies that follow the skin's see-through rules:
// one tile of a masked texture, and see-through pixels filled from another
// bitmap. Everything is cut to both bitmaps.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"
#include "skin/graphics/SkinTypes.h"

class TacSkinData;

// Mode 1 draws the glyph normally, any other value faded (2 for disabled
// controls). State beyond the last frame draws the last frame; a negative
// Point skips the glyph's first columns and rows.
void DrawSkinGlyph(TBitmap& Bitmap, POINT Point, int State, int Mode, const TsMaskData& MaskData,
                   const TacBackgroundSource& BgSource);
// One frame of a glyph with mask or own alpha; rectangles inclusive.
void CopyGlyphFrame(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src, int Mode,
                    const TsMaskData& MaskData);
// One tile of a masked texture from SrcRect of the item's picture into
// TileRect of Dst (both exclusive); see-through pixels take the background
// bitmap, a fill colour, or keep the destination.
void CopyMaskedTile(const RECT& TileRect, const RECT& SrcRect, TBitmap& Dst, const TacBackgroundSource& BgSource,
                    const TsMaskData& MaskData);

// Corner kinds of CopyTransparentPixels; any other value is left-top.
constexpr int ckRightTop = 14;
constexpr int ckLeftBottom = 16;
constexpr int ckRightBottom = 17;
// See-through pixels of DstRect taken from Src at SrcPoint: with MaskIndex
// -1 the pixels of Dst that are 0xFF00FF (after their alpha is cleared),
// else those where the corner of image item MaskIndex is 0xFF00FF.
void CopyTransparentPixels(TBitmap& Dst, TBitmap& Src, const RECT& DstRect, POINT SrcPoint, int MaskIndex,
                           const TacSkinData* SkinData, int CornerKind);
