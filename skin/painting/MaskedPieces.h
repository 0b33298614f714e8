#pragma once
// Copies of one piece of a masked skin picture: the colour image with a grey
// mask below it, where the mask says how much of the destination survives
// (0 the picture alone, 255 the destination alone) and 0xFF00FF pixels are
// see-through. Three blends: the standard one, "over" content already in
// the bitmap (see-through becomes transparent) and "faded" at an opacity.
// Every copy is cut to both bitmaps, mask rows included.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"
#include "skin/graphics/SkinTypes.h"

// Rows between a picture row of the item and its mask row.
int MaskRowOffset(const TsMaskData& MaskData);

// Rectangles exclusive; the smaller size of the two is copied. See-through
// pixels take the background bitmap's pixel (destination position plus the
// source's offset) with UseBg and a ready BgSource, else keep the destination;
// others are blended by their mask and get alpha 255.
void CopyMaskedPiece(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                     const TacBackgroundSource& BgSource, bool UseBg, const TsMaskData& MaskData);
// See-through pixels take the ready background bitmap, else alpha 0; the
// destination alpha grows to 255 - mask.
void CopyMaskedPieceOver(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                         const TacBackgroundSource& BgSource, const TsMaskData& MaskData);
// As Over with the picture's weight times Opacity shr 8.
void CopyMaskedPieceFaded(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src,
                          const TacBackgroundSource& BgSource, const TsMaskData& MaskData, uint8_t Opacity);

// The source piece (and its mask MaskOffset rows below; 0 = no mask, a plain
// stretch) scaled to DstW x DstH, then blended as the copiers above do.
void StretchMaskedPiece(int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst,
                        TBitmap& Src, int MaskOffset, bool Smooth);
void StretchMaskedPieceOver(int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH,
                            TBitmap& Dst, TBitmap& Src, int MaskOffset, bool Smooth);
void StretchMaskedPieceFaded(int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH,
                             TBitmap& Dst, TBitmap& Src, int MaskOffset, uint8_t Opacity, bool Smooth);
