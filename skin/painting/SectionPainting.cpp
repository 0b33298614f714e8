#include "skin/painting/SectionPainting.h"

#include <algorithm>

#include "skin/core/SkinUtils.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinData.h"
#include "skin/painting/PieceClipping.h"
#include "skin/painting/SectionBorder.h"
#include "skin/painting/SectionFill.h"
#include "skin/painting/SectionTextures.h"
#include "skin/painting/SkinGlyph.h"
#include "skin/painting/SkinRect.h"

namespace {

constexpr uint32_t kNone = 0xFF00FF;

struct TFillPlan {
  TacSectionFill Fill;
  int Transparency = 0;
  bool OnTop = false;
};

bool GradientOnTop(const TsGenState& S) { return !S.GradientData.empty() && (S.GradientData[0].Mode & 0x20) != 0; }

TFillPlan PlanFill(const TsGenState& S, int TextureIndex, uint32_t CustomColor, const TacSkinData& SkinData) {
  TFillPlan plan;
  if (CustomColor != kNone) {
    plan.Fill.Color = CustomColor;
    return plan;
  }
  plan.Fill.Color = S.Color;
  plan.Transparency = S.Transparency;
  plan.OnTop = GradientOnTop(S);
  plan.Fill.Gradient = &S.GradientData;
  if (plan.Transparency < 100) {
    plan.Fill.ImagePercent = S.ImagePercent;
    plan.Fill.GradientPercent = plan.OnTop ? 0 : S.GradientPercent;
    if (plan.Fill.ImagePercent > 0) plan.Fill.TextureIndex = TextureIndex;
    // A share for a texture the skin does not have would mix the colour
    // into whatever the rectangle held before.
    if (plan.Fill.ImagePercent > 0 && FillTexture(plan.Fill, SkinData) == nullptr) plan.Fill.ImagePercent = 0;
  }
  return plan;
}

bool Is32(const TBitmap& Bmp) { return Bmp.PixelFormat() == pf32bit; }

void FillSolid(TBitmap& Bmp, const RECT& R, uint32_t Color) {
  if (Is32(Bmp))
    FillRect32(Bmp, R, Color, 255);
  else
    FillRectOnDC(Bmp.DC(), R, Color, 0);
}

void PaintOpaqueFill(TBitmap& Bmp, const RECT& R, const TacSectionFill& Fill, const TacSkinData& SkinData,
                     const TacBackgroundSource& MaskBg) {
  if (PaintGradientWithTexture(Bmp, R, Fill, SkinData)) return;
  bool image = Fill.ImagePercent > 0 && PaintFillTexture(Bmp, R, Fill, SkinData, MaskBg);
  if (Fill.GradientPercent > 0) PaintFillGradient(Bmp, R, Fill, image);
  if (Fill.ImagePercent + Fill.GradientPercent == 0)
    FillSolid(Bmp, R, Fill.Color);
  else
    BlendFillColor(Bmp, R, Fill);
}

// R's size from Src at (X, Y) to R's top-left, cut to both bitmaps.
void CopyFromSource(TBitmap& Bmp, const RECT& R, TBitmap& Src, int X, int Y) {
  if (&Src == &Bmp) return;
  RECT srcRect{X, Y, X + (R.right - R.left), Y + (R.bottom - R.top)};
  TPieceSpan span;
  if (!ClipPiece(R, srcRect, Bmp, Src, 0, span)) return;
  BitBlt(Bmp.DC(), span.DstX, span.DstY, span.Width, span.Height, Src.DC(), span.SrcX, span.SrcY, SRCCOPY);
  GdiFlush();  // the pixel loops that follow read the section's memory directly
}

// A colour source that also has a bitmap: its margins come from the bitmap,
// the rest is the fill colour.
void FillFromColorSource(TBitmap& Bmp, const RECT& R, const TacBackgroundSource& Bg, POINT Offset) {
  FillSolid(Bmp, R, Bg.FillColor);
  if (Bg.Bmp == nullptr || Bg.Bmp == &Bmp) return;
  TPixelWalk d, s;
  RECT cut = R;
  if (!ClipToBitmap(Bmp, cut) || !d.Open(&Bmp) || !s.Open(Bg.Bmp)) return;
  int sw = Bg.Bmp->Width(), sh = Bg.Bmp->Height();
  int dx = Bg.X + Offset.x, dy = Bg.Y + Offset.y;
  for (int y = cut.top; y < cut.bottom; ++y) {
    int sy = y + dy;
    if (sy < 0 || sy >= sh) continue;
    bool rowInMargin = sy < Bg.FillRect.top || sy >= sh - Bg.FillRect.bottom;
    for (int x = cut.left; x < cut.right; ++x) {
      int sx = x + dx;
      if (sx < 0 || sx >= sw) continue;
      if (rowInMargin || sx < Bg.FillRect.left || sx >= sw - Bg.FillRect.right) d.Row(y)[x] = s.Row(sy)[sx];
    }
  }
}

void PutParent(TBitmap& Bmp, const RECT& R, const TacBackgroundSource& Bg, POINT Offset) {
  if (Bg.Ready && Bg.Bmp != nullptr)
    CopyFromSource(Bmp, R, *Bg.Bmp, Bg.X + Offset.x, Bg.Y + Offset.y);
  else
    FillSolid(Bmp, R, Bg.FillColor);
}

// The opaque fill in a bitmap of R's size, blended over the parent already
// put into R: fill + (parent - fill) x weight / 256.
void BlendFillOverParent(TBitmap& Bmp, const RECT& R, const TFillPlan& Plan, const TacSkinData& SkinData,
                         const TacBackgroundSource& Bg, POINT Offset) {
  std::unique_ptr<TBitmap> fill = NewBitmap32(R.right - R.left, R.bottom - R.top);
  if (fill->Empty()) return;
  RECT whole{0, 0, fill->Width(), fill->Height()};
  PaintOpaqueFill(*fill, whole, Plan.Fill, SkinData,
                  ShiftBackgroundSource(Bg, POINT{Offset.x + R.left, Offset.y + R.top}));
  PutParent(Bmp, R, Bg, Offset);
  BlendRectConstant(Bmp, *fill, uint8_t(PercentWeight(Plan.Transparency)),
                    RECT{0, 0, whole.right - 1, whole.bottom - 1}, POINT{R.left, R.top});
}

int TextureForState(const TsGenState& S, int State, int TextureIndex0, int TextureIndexHot) {
  int given = State == 0 ? TextureIndex0 : TextureIndexHot;
  return given >= 0 ? given : S.TextureIndex;
}

}  // namespace

bool CanPaintSection(const TBitmap* Bmp, const RECT& R, const TacSkinData* SkinData, int Section) {
  return Bmp != nullptr && SkinData != nullptr && !IsRectEmpty(&R) && R.left >= 0 && R.top >= 0 &&
         R.right <= Bmp->Width() && R.bottom <= Bmp->Height() &&
         IsValidSectionIndex(SkinData->GeneralDataArray, Section);
}

int LimitSectionState(const TsGeneralData& Section, int State) {
  return std::max(0, std::min(State, Section.States - 1));
}

TacBackgroundSource ShiftBackgroundSource(const TacBackgroundSource& BgSource, POINT Offset) {
  TacBackgroundSource moved = BgSource;
  moved.X += Offset.x;
  moved.Y += Offset.y;
  return moved;
}

void FillSectionBackground(int Section, const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                           TBitmap* Bmp, const TacSkinData* SkinData, int TextureIndex0, int TextureIndexHot,
                           uint32_t CustomColor) {
  if (!CanPaintSection(Bmp, R, SkinData, Section)) return;
  const TsGeneralData& sec = SkinData->GeneralDataArray[Section];
  int state = LimitSectionState(sec, State);
  const TsGenState& s = sec.Props[std::min(state, 2)];
  TFillPlan plan = PlanFill(s, TextureForState(s, state, TextureIndex0, TextureIndexHot), CustomColor, *SkinData);
  TacBackgroundSource maskBg = ShiftBackgroundSource(BgSource, Offset);
  bool haveBg = BgSource.Ready || BgSource.FillColor != kNone;
  int t = plan.Transparency;
  bool readyBitmap = BgSource.Ready && BgSource.Bmp != nullptr;
  if (!haveBg || t <= 0) {
    PaintOpaqueFill(*Bmp, R, plan.Fill, *SkinData, maskBg);
  } else if (t >= 100) {
    if (readyBitmap)
      CopyFromSource(*Bmp, R, *BgSource.Bmp, BgSource.X + Offset.x, BgSource.Y + Offset.y);
    else if (!BgSource.Ready)
      FillFromColorSource(*Bmp, R, BgSource, Offset);
  } else if (readyBitmap || plan.Fill.ImagePercent + plan.Fill.GradientPercent > 0) {
    BlendFillOverParent(*Bmp, R, plan, *SkinData, BgSource, Offset);
  } else {
    FillSolid(*Bmp, R, MixColors(BgSource.FillColor, plan.Fill.Color, uint8_t(PercentWeight(t))));
  }
  if (plan.OnTop) PaintGradient(*Bmp, R, s.GradientData);
  if (state == 0 && plan.Fill.TextureIndex >= 0) {
    const TsMaskData* item = FillTexture(plan.Fill, *SkinData);
    if (item != nullptr && item->MaskType != 0 && item->DrawMode == 10) {
      RECT area = R;
      DrawMaskedTexture(*Bmp, area, *item, maskBg);
    }
  }
}

void FillSectionBackgroundBasic(int Section, int TextureIndex0, int TextureIndexHot,
                                const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                                TBitmap* Bmp, const TacSkinData* SkinData) {
  if (!CanPaintSection(Bmp, R, SkinData, Section)) return;
  const TsGeneralData& sec = SkinData->GeneralDataArray[Section];
  int state = std::clamp(State, 0, 2);
  const TsGenState& s = sec.Props[state];
  int texture = state == 0 ? TextureIndex0 : TextureIndexHot;
  TFillPlan plan = PlanFill(s, -1, kNone, *SkinData);
  plan.Fill.TextureIndex = plan.Fill.ImagePercent > 0 ? texture : -1;
  if (plan.Fill.TextureIndex >= 0 && FillTexture(plan.Fill, *SkinData) == nullptr) {
    plan.Fill.TextureIndex = -1;
    plan.Fill.ImagePercent = 0;
  } else if (plan.Fill.TextureIndex < 0) {
    plan.Fill.ImagePercent = 0;
  }
  TacBackgroundSource maskBg = ShiftBackgroundSource(BgSource, Offset);
  bool readyBitmap = BgSource.Ready && BgSource.Bmp != nullptr;
  int t = plan.Transparency;
  if (readyBitmap && t >= 100) {
    CopyFromSource(*Bmp, R, *BgSource.Bmp, BgSource.X + Offset.x, BgSource.Y + Offset.y);
    return;
  }
  if (readyBitmap && t > 0) {
    BlendFillOverParent(*Bmp, R, plan, *SkinData, BgSource, Offset);
  } else {
    // A colour source shows nothing through; a see-through section over it
    // takes the source's colour.
    if (!BgSource.Ready && t >= 100 && BgSource.FillColor != kNone) plan.Fill.Color = BgSource.FillColor;
    PaintOpaqueFill(*Bmp, R, plan.Fill, *SkinData, maskBg);
  }
  if (plan.OnTop) PaintGradient(*Bmp, R, s.GradientData);
}

void DrawSectionCornerGlyphs(const TsGeneralData& Section, int State, const RECT& R, TBitmap& Bmp,
                             const TacSkinData& SkinData) {
  TacBackgroundSource self = BitmapBackgroundSource(&Bmp, 0, 0);
  auto draw = [&](int Index, bool Right, bool Bottom) {
    if (!IsValidMaskIndex(SkinData.MaskArray, Index)) return;
    const TsMaskData& item = SkinData.MaskArray[Index];
    POINT at{Right ? R.right - item.FrameWidth : R.left, Bottom ? R.bottom - item.FrameHeight : R.top};
    DrawSkinGlyph(Bmp, at, State, 1, item, self);
  };
  draw(Section.ImgTopLeft, false, false);
  draw(Section.ImgTopRight, true, false);
  draw(Section.ImgBottomLeft, false, true);
  draw(Section.ImgBottomRight, true, true);
}

void PaintSkinSection(int Section, const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                      TBitmap* Bmp, const TacSkinData* SkinData) {
  if (!CanPaintSection(Bmp, R, SkinData, Section)) return;
  const TsGeneralData& sec = SkinData->GeneralDataArray[Section];
  int state = LimitSectionState(sec, State);
  FillSectionBackground(Section, BgSource, state, R, Offset, Bmp, SkinData);
  DrawSectionCornerGlyphs(sec, state, R, *Bmp, *SkinData);
  TacBackgroundSource bg = ShiftBackgroundSource(BgSource, Offset);
  if (IsValidMaskIndex(SkinData->MaskArray, sec.BorderIndex))
    DrawSkinRect(*Bmp, R, bg, SkinData->MaskArray[sec.BorderIndex], state, true);
  else
    DrawSectionBorder(*Bmp, R, sec, state, bg, nullptr, SkinData->PPI);
}

void PaintSkinSectionWithBorderImage(int Section, int BorderImage, int TextureIndex0, int TextureIndexHot,
                                     const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                                     TBitmap* Bmp, const TacSkinData* SkinData) {
  if (!CanPaintSection(Bmp, R, SkinData, Section)) return;
  const TsGeneralData& sec = SkinData->GeneralDataArray[Section];
  int state = LimitSectionState(sec, State);
  FillSectionBackgroundBasic(Section, TextureIndex0, TextureIndexHot, BgSource, state, R, Offset, Bmp, SkinData);
  TacBackgroundSource bg = ShiftBackgroundSource(BgSource, Offset);
  if (IsValidMaskIndex(SkinData->MaskArray, BorderImage))
    DrawSkinRect(*Bmp, R, bg, SkinData->MaskArray[BorderImage], state, true);
  else
    DrawSectionBorder(*Bmp, R, sec, state, bg, nullptr, SkinData->PPI);
}

void PaintSkinSectionWithMask(int Section, const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                              TBitmap* Bmp, const TacSkinData* SkinData, const TsMaskData& Mask) {
  if (!CanPaintSection(Bmp, R, SkinData, Section)) return;
  const TsGeneralData& sec = SkinData->GeneralDataArray[Section];
  int state = LimitSectionState(sec, State);
  FillSectionBackground(Section, BgSource, state, R, Offset, Bmp, SkinData);
  DrawSectionCornerGlyphs(sec, state, R, *Bmp, *SkinData);
  if (IsValidMaskIndex(SkinData->MaskArray, sec.BorderIndex))
    DrawSkinRect(*Bmp, R, ShiftBackgroundSource(BgSource, Offset), Mask, state, true);
}

void PaintSkinSectionToDC(int Section, const TacBackgroundSource& BgSource, int State, const RECT& R, POINT Offset,
                          HDC DC, const TacSkinData* SkinData) {
  if (DC == nullptr || R.left < 0 || R.top < 0 || IsRectEmpty(&R)) return;
  std::unique_ptr<TBitmap> bmp = NewBitmap32(R.right - R.left, R.bottom - R.top);
  if (bmp->Empty()) return;
  int saved = SaveDC(DC);
  PaintSkinSection(Section, BgSource, State, RECT{0, 0, bmp->Width(), bmp->Height()}, Offset, bmp.get(), SkinData);
  BitBlt(DC, R.left, R.top, bmp->Width(), bmp->Height(), bmp->DC(), 0, 0, SRCCOPY);
  RestoreDC(DC, saved);
}

int PaintSkinSectionOverDC(TBitmap* Bmp, int Section, int FallbackSection, int State, const TacSkinData* SkinData,
                           const RECT& R, uint32_t FillColor, HDC DC) {
  if (Section < 0) Section = FallbackSection;
  if (Section < 0 || Bmp == nullptr || Bmp->Empty()) return Section;
  TacBackgroundSource bg;
  if (DC != nullptr) {
    BitBlt(Bmp->DC(), 0, 0, Bmp->Width(), Bmp->Height(), DC, R.left, R.top, SRCCOPY);
    GdiFlush();
    bg = BitmapBackgroundSource(Bmp, 0, 0);
  }
  bg.FillColor = FillColor;
  PaintSkinSection(Section, bg, State, RECT{0, 0, Bmp->Width(), Bmp->Height()}, POINT{0, 0}, Bmp, SkinData);
  return Section;
}
