#include "skin/painting/SectionFill.h"

#include <algorithm>

#include "skin/graphics/Blend32.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinData.h"
#include "skin/painting/SectionTextures.h"
#include "skin/painting/SkinRect.h"

namespace {

bool HasGradient(const TacSectionFill& Fill) { return Fill.Gradient != nullptr && !Fill.Gradient->empty(); }

}  // namespace

const TsMaskData* FillTexture(const TacSectionFill& Fill, const TacSkinData& SkinData) {
  if (!IsValidMaskIndex(SkinData.MaskArray, Fill.TextureIndex)) return nullptr;
  const TsMaskData& item = SkinData.MaskArray[Fill.TextureIndex];
  if (MaskSourceBitmap(item) == nullptr || IsRectEmpty(&item.SrcRect)) return nullptr;
  return &item;
}

bool PaintGradientWithTexture(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill, const TacSkinData& SkinData) {
  if (Fill.ImagePercent + Fill.GradientPercent != 100 || Fill.GradientPercent < 1 || Fill.GradientPercent > 99 ||
      !HasGradient(Fill) || (*Fill.Gradient)[0].Mode >= 2)
    return false;
  const TsMaskData* item = FillTexture(Fill, SkinData);
  if (item == nullptr || item->DrawMode != 0) return false;
  PaintGradientBlended(Bmp, R, *Fill.Gradient, 255, uint8_t(PercentWeight(Fill.ImagePercent)), item->SrcRect,
                       *MaskSourceBitmap(*item));
  return true;
}

bool PaintFillTexture(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill, const TacSkinData& SkinData,
                      const TacBackgroundSource& MaskBg) {
  const TsMaskData* item = FillTexture(Fill, SkinData);
  if (item == nullptr) return false;
  RECT rest = R;
  if (item->MaskType != 0)
    DrawMaskedTexture(Bmp, rest, *item, MaskBg);
  else
    DrawTextureByMode(Bmp, rest, *MaskSourceBitmap(*item), item->SrcRect, item->DrawMode);
  if (rest.right >= 0) FillRect32(Bmp, rest, Fill.Color, 255);
  return true;
}

void PaintFillGradient(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill, bool UnderTexture) {
  auto paint = [&](TBitmap& Target, const RECT& Area) {
    if (HasGradient(Fill))
      PaintGradient(Target, Area, *Fill.Gradient);
    else
      FillRect32(Target, Area, Fill.Color, 255);
  };
  if (!UnderTexture) {
    paint(Bmp, R);
    return;
  }
  std::unique_ptr<TBitmap> gradient = NewBitmap32(R.right - R.left, R.bottom - R.top);
  if (gradient->Empty()) return;
  RECT whole{0, 0, gradient->Width(), gradient->Height()};
  paint(*gradient, whole);
  uint8_t weight = uint8_t(std::clamp(PercentWeight(Fill.ImagePercent), 0, 255));
  BlendRectConstant(Bmp, *gradient, weight, RECT{0, 0, whole.right - 1, whole.bottom - 1}, POINT{R.left, R.top});
}

void BlendFillColor(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill) {
  int share = Fill.ImagePercent + Fill.GradientPercent;
  if (share > 0 && share < 100)
    BlendRectWithColor(Bmp, RECT{R.left, R.top, R.right - 1, R.bottom - 1}, uint8_t(PercentWeight(share)), Fill.Color);
}
