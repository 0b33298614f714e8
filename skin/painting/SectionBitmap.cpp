#include "skin/painting/SectionBitmap.h"

#include <algorithm>

#include "skin/core/SkinUtils.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinData.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/SectionBorder.h"
#include "skin/painting/SectionPainting.h"
#include "skin/painting/SkinRect.h"

namespace {

bool CoversBitmap(const RECT& Rect, const TBitmap& Bitmap) {
  return Rect.left == 0 && Rect.top == 0 && Rect.right == Bitmap.Width() && Rect.bottom == Bitmap.Height();
}

}  // namespace

void FillSectionTextureRect(TBitmap& Bitmap, const RECT& Rect, const TacSectionFill& Fill, int Transparency,
                            const TacSkinData& SkinData) {
  if (PaintGradientWithTexture(Bitmap, Rect, Fill, SkinData)) return;
  bool texture = Fill.ImagePercent > 0 && PaintFillTexture(Bitmap, Rect, Fill, SkinData, EmptyBackgroundSource);
  if (Fill.GradientPercent > 0) {
    bool noData = Fill.Gradient == nullptr || Fill.Gradient->empty();
    if (!texture && noData) {
      FillRect32(Bitmap, Rect, Fill.Color, 255);
      return;
    }
    PaintFillGradient(Bitmap, Rect, Fill, texture);
  }
  int share = Fill.ImagePercent + Fill.GradientPercent;
  if (share > 0) {
    BlendFillColor(Bitmap, Rect, Fill);
    return;
  }
  // What the rectangle holds decides how the colour goes on: an empty
  // pixel takes the state's opacity, anything else is kept at least as
  // opaque as it is.
  uint8_t opacity = uint8_t((100 - Transparency) * 255 / 100);
  RECT corner{Rect.left, Rect.top, Rect.left + 1, Rect.top + 1};
  if (!ClipToBitmap(Bitmap, corner)) return;
  uint32_t p = GetPixel32(Bitmap, Rect.left, Rect.top);
  if (p == 0)
    FillRect32(Bitmap, Rect, Fill.Color, opacity);
  else if (Transparency <= 0)
    FillRect32(Bitmap, Rect, Fill.Color, 255);
  else
    FillRectBlendAlpha(Bitmap, Rect, Fill.Color, 100 - Transparency, std::max<uint8_t>(uint8_t(p >> 24), opacity));
}

void PaintSectionTexture(int Section, int State, const RECT& Rect, TBitmap* Bitmap, const TacSkinData* SkinData,
                         uint32_t Color) {
  if (Bitmap == nullptr || SkinData == nullptr || !IsValidSectionIndex(SkinData->GeneralDataArray, Section)) return;
  const TsGenState& s = SkinData->GeneralDataArray[Section].Props[std::clamp(State, 0, 2)];
  if (s.Transparency >= 100) {
    if (CoversBitmap(Rect, *Bitmap)) FillRect32(*Bitmap, Rect, 0, 0);
    return;
  }
  TacSectionFill fill;
  if (Color == 0xFF00FF) {
    fill.Color = s.Color;
    fill.ImagePercent = s.ImagePercent;
    fill.GradientPercent = s.GradientPercent;
    if (fill.GradientPercent > 0) fill.Gradient = &s.GradientData;
    if (fill.ImagePercent > 0) fill.TextureIndex = s.TextureIndex;
  } else {
    fill.Color = Color;
  }
  FillSectionTextureRect(*Bitmap, Rect, fill, s.Transparency, *SkinData);
}

void PaintSectionToBitmap(int Section, int State, const RECT& Rect, TBitmap* Bitmap, const TacSkinData* SkinData) {
  if (!CanPaintSection(Bitmap, Rect, SkinData, Section)) return;
  const TsGeneralData& sec = SkinData->GeneralDataArray[Section];
  int state = LimitSectionState(sec, State);
  int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  std::unique_ptr<TBitmap> under = NewBitmap32(w + 1, h + 1);
  if (under->Empty()) return;
  BitBlt(under->DC(), 0, 0, w, h, Bitmap->DC(), Rect.left, Rect.top, SRCCOPY);
  GdiFlush();
  PaintSectionTexture(Section, std::min(state, 2), Rect, Bitmap, SkinData, 0xFF00FF);
  TacBackgroundSource bg = BitmapBackgroundSource(under.get(), -Rect.left, -Rect.top);
  if (IsValidMaskIndex(SkinData->MaskArray, sec.BorderIndex))
    DrawSkinRectOver(*Bitmap, Rect, bg, SkinData->MaskArray[sec.BorderIndex], state);
  else
    DrawSectionBorder(*Bitmap, Rect, sec, state, bg, nullptr, SkinData->PPI);
  if (CoversBitmap(Rect, *Bitmap)) PremultiplyAlphaRect(*Bitmap, Rect);
}
