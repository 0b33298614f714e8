#pragma once
// A skin section painted in one state into a rectangle of a 32-bit bitmap
// over a background source: its fill (colour, gradient, texture, shown
// through by its transparency), its corner glyphs and its border.
//
// Offset is where R's bitmap lies in the background source's coordinates.
// Nothing is painted for a nil bitmap or skin data, an empty rectangle, one
// reaching outside the bitmap, or an invalid section index.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"
#include "skin/graphics/SkinTypes.h"

class TacSkinData;

// TextureIndex0 and TextureIndexHot, when not -1, replace the state's
// texture; a CustomColor other than 0xFF00FF replaces the section's fill,
// without texture, gradient or transparency.
void FillSectionBackground(int Section, const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                           TBitmap* Bmp, const TacSkinData* SkinData, int TextureIndex0 = -1, int TextureIndexHot = -1,
                           uint32_t CustomColor = 0xFF00FF);
// The fill of a section under a separate border image: transparency only
// against a ready bitmap source, no texture overlay.
void FillSectionBackgroundBasic(int Section, int TextureIndex0, int TextureIndexHot,
                                const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                                TBitmap* Bmp, const TacSkinData* SkinData);

void PaintSkinSection(int Section, const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                      TBitmap* Bmp, const TacSkinData* SkinData);
// The basic fill, then BorderImage in nine pieces (or the plain border when
// it is no valid image item); no corner glyphs.
void PaintSkinSectionWithBorderImage(int Section, int BorderImage, int TextureIndex0, int TextureIndexHot,
                                     const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                                     TBitmap* Bmp, const TacSkinData* SkinData);
// Fill and corner glyphs, then Mask in nine pieces in place of the
// section's own border image (only when the section has one).
void PaintSkinSectionWithMask(int Section, const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                              TBitmap* Bmp, const TacSkinData* SkinData, const TsMaskData& Mask);
// Painted into a bitmap of R's size, then copied to R of the DC.
void PaintSkinSectionToDC(int Section, const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                          HDC DC, const TacSkinData* SkinData);
// Over the whole of Bmp: with a DC over the DC's pixels from R's top-left,
// else over FillColor. Section < 0 takes FallbackSection; returns the
// section used (negative: nothing painted).
int PaintSkinSectionOverDC(TBitmap* Bmp, int Section, int FallbackSection, int State, const TacSkinData* SkinData,
                           const RECT& R, uint32_t FillColor, HDC DC);

// The shared conditions of the section painters.
bool CanPaintSection(const TBitmap* Bmp, const RECT& R, const TacSkinData* SkinData, int Section);
// State limited to the section's state count.
int LimitSectionState(const TsGeneralData& Section, int State);
// The four corner glyphs of a section drawn at R's corners over Bmp.
void DrawSectionCornerGlyphs(const TsGeneralData& Section, int State, const RECT& R, TBitmap& Bmp,
                             const TacSkinData& SkinData);
// A background source moved by Offset.
TacBackgroundSource ShiftBackgroundSource(const TacBackgroundSource& BgSource, POINT Offset);
