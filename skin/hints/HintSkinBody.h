#pragma once
// Bubbles drawn from a skin section instead of a template: the section's
// border widths, its body painted into a 32-bit bitmap, and the shape of
// that body as a mask and a window region.
#include <windows.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

struct TsGeneralData;
struct TsMaskData;
class TacSkinData;

// The loaded skin's table at 96 pixels per inch, or nil without a skin.
TacSkinData* HintSkinData();
// The section and its border image (nil when missing) in that table.
const TsGeneralData* HintSection(int SectionIndex);
const TsMaskData* HintSectionBorder(int SectionIndex);
// The four border widths (WL, WT, WR, WB of the border image, 0 without
// one), plus the outer offsets when the section draws its own shadow.
RECT HintSkinBorderWidths(int SectionIndex, bool DrawsShadow);
// The border image keeps its own alpha.
bool HintSectionHasAlpha(int SectionIndex);
// State-0 transparency 100 with a border image: only the image is a body.
bool HintSectionIsBorderOnly(int SectionIndex);

// The section painted over all of Bmp (transparent before).
void PaintHintSkinBody(int SectionIndex, const RECT& R, TBitmap& Bmp, bool SkinHasAlpha, bool DrawsShadow);
// Width x Height, white where the section leaves the background showing,
// black on the body; all black without a loaded skin.
std::unique_ptr<TBitmap> MakeShapeMask(int SectionIndex, int Width, int Height);
// The bitmap's rectangle less the white pixels of Mask.
HRGN RegionFromShapeMask(TBitmap& Mask);
// The system's font for tool tips and status texts.
void AssignScreenHintFont(TFont& Font);
