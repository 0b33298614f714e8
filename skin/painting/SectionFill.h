#pragma once
// The steps both section fillers share when they mix a section state's
// texture, gradient and colour into a rectangle of a 32-bit bitmap: the
// one-pass gradient with texture, the texture by its drawing mode, the
// gradient laid under a texture, and the colour's remaining share. Each
// filler chains them by its own rules.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"
#include "skin/graphics/SkinTypes.h"

class TacSkinData;

// The values of one section state a fill mixes.
struct TacSectionFill {
  uint32_t Color = 0xFFFFFF;
  int ImagePercent = 0;
  int GradientPercent = 0;
  const TsGradArray* Gradient = nullptr;  // nil or empty: no gradient data
  int TextureIndex = -1;
};

// A skin percent as a 0-255 weight.
inline int PercentWeight(int Percent) { return Percent * 255 / 100; }

// The texture item of the fill, nil when its index, picture or rectangle
// is unusable.
const TsMaskData* FillTexture(const TacSectionFill& Fill, const TacSkinData& SkinData);
// Gradient and tiled texture in one pass when the shares add up to 100
// with both present, a mode-0 texture and a plain gradient; false (nothing
// painted) otherwise.
bool PaintGradientWithTexture(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill, const TacSkinData& SkinData);
// The texture by its mode (masked items over MaskBg), the uncovered rest in
// the colour at alpha 255; false (nothing painted) without a usable texture.
bool PaintFillTexture(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill, const TacSkinData& SkinData,
                      const TacBackgroundSource& MaskBg);
// The gradient, or the plain colour without gradient data, into R; under
// the picture already in R when UnderTexture, which keeps the texture at
// its image weight.
void PaintFillGradient(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill, bool UnderTexture);
// The colour takes what the texture and gradient shares leave of 100.
void BlendFillColor(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill);
