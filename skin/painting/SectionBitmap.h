#pragma once
// A whole skin section painted over what a bitmap already holds, for the
// areas a form composes itself: the state's texture, gradient and colour,
// then the border image (or plain border) over a copy of what was there.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/painting/SectionFill.h"

class TacSkinData;

// Nothing for a nil bitmap or skin data, an empty Rect, one outside the
// bitmap, or an invalid section. A Rect covering the whole bitmap comes
// back premultiplied.
void PaintSectionToBitmap(int Section, int State, const RECT& Rect, TBitmap* Bitmap, const TacSkinData* SkinData);
// The fill of one state (State limited to 0-2); Color other than 0xFF00FF
// replaces the state's colour, texture and gradient. A fully see-through
// state clears a whole-bitmap Rect to transparent and leaves a part alone.
void PaintSectionTexture(int Section, int State, const RECT& Rect, TBitmap* Bitmap, const TacSkinData* SkinData,
                         uint32_t Color);
// The mix itself, with Transparency the state's percent.
void FillSectionTextureRect(TBitmap& Bitmap, const RECT& Rect, const TacSectionFill& Fill, int Transparency,
                            const TacSkinData& SkinData);
