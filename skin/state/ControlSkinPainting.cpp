#include "skin/state/ControlSkinPainting.h"

#include <algorithm>

#include "framework/WinControl.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SectionBorder.h"
#include "skin/painting/SectionPainting.h"
#include "skin/painting/SkinGlyph.h"
#include "skin/painting/SkinRect.h"
#include "skin/state/CommonData.h"
#include "skin/state/PaintBorderData.h"

namespace {

constexpr uint32_t kNone = 0xFF00FF;

// The skin palette lives with the form utilities above this library; until
// it is reachable from here a colour constant maps as the framework maps it.
COLORREF PaletteColor(TColor Color, const TsSkinManager*) { return ColorToRGB(Color); }

struct TControlPaint {
  TsSkinManager* Manager = nullptr;
  TacSkinData* SkinData = nullptr;
  int Section = -1;
};

bool PrepareControlPaint(TsCommonData& CommonData, TBitmap* Bmp, const RECT& R, TControlPaint& Paint) {
  Paint.Manager = CommonData.GetSkinManager();
  if (Paint.Manager == nullptr) return false;
  Paint.SkinData = CommonData.GetScaledSkinData();
  Paint.Section = CommonData.SkinIndex;
  return CanPaintSection(Bmp, R, Paint.SkinData, Paint.Section);
}

TacBorderValues BorderValues(const TacPaintBorderData& Border) {
  TacBorderValues values;
  values.Width = Border.Width();
  for (int i = 0; i < 3; ++i) values.Colors[i] = Border.Color(i);
  for (int i = 0; i < 4; ++i) values.Radii[i] = Border.GetCornerRadius(i);
  return values;
}

// The limiter measures the control the border belongs to, or the painted
// rectangle when the border has no control.
TacRadiusLimiter ControlRadiusLimiter(const TacPaintBorderData& Border, const RECT& R) {
  const TControl* control = Border.Data() != nullptr ? Border.Data()->OwnerControl : nullptr;
  int width = control ? control->Width() : R.right - R.left;
  int height = control ? control->Height() : R.bottom - R.top;
  return [width, height](std::array<int, 4>& Radii) { LimitCornerRadii(width, height, Radii); };
}

// The section record the plain border is drawn from: the one of the 96-PPI
// table, as border widths and radii are scaled while drawing.
const TsGeneralData& BorderSection(const TControlPaint& Paint) {
  const TacSkinData* base = Paint.Manager->SkinData();
  if (base != nullptr && IsValidSectionIndex(base->GeneralDataArray, Paint.Section))
    return base->GeneralDataArray[Paint.Section];
  return Paint.SkinData->GeneralDataArray[Paint.Section];
}

void ApplyColorAdjustments(TsCommonData& CommonData, TBitmap& Bmp, const TsSkinManager* Manager) {
  if (CommonData.ColorTone != acColorUnset)
    ForEachPixelExcept(&Bmp, TonePixelProc, int(PaletteColor(TColor(CommonData.ColorTone), Manager)), kNone);
  if (CommonData.HUEOffset != 0) ForEachPixelExcept(&Bmp, HuePixelProc, CommonData.HUEOffset, kNone);
  if (CommonData.Saturation != 0) ForEachPixelExcept(&Bmp, SaturatePixelProc, CommonData.Saturation, kNone);
}

enum class TBorderChoice { None, Pieces, Plain };

TBorderChoice ChooseBorder(TsCommonData& CommonData, const TControlPaint& Paint, int State) {
  const TsGeneralData& sec = Paint.SkinData->GeneralDataArray[Paint.Section];
  if (CommonData.CustomBorder().IsCustom()) return TBorderChoice::Plain;
  if (IsValidMaskIndex(Paint.SkinData->MaskArray, sec.BorderIndex)) {
    const TsMaskData& item = Paint.SkinData->MaskArray[sec.BorderIndex];
    return State == 0 && (item.DrawMode & dmNothingInState0) != 0 ? TBorderChoice::None : TBorderChoice::Pieces;
  }
  return sec.Props[std::min(State, 2)].BorderColor != kNone ? TBorderChoice::Plain : TBorderChoice::None;
}

}  // namespace

void FillControlBackground(TsCommonData& CommonData, const TacBackgroundSource& BgSource, int State, const RECT& R,
                           POINT Offset, TBitmap* Bmp) {
  TControlPaint paint;
  if (!PrepareControlPaint(CommonData, Bmp, R, paint)) return;
  uint32_t custom = kNone;
  if (CommonData.CustomColor() && CommonData.OwnerControl != nullptr)
    custom = PaletteColor(CommonData.OwnerControl->Color(), paint.Manager);
  FillSectionBackground(paint.Section, BgSource, State, R, Offset, Bmp, paint.SkinData, -1, -1, custom);
}

void PaintControlSkin(TsCommonData& CommonData, const TacBackgroundSource& BgSource, int State, const RECT& R,
                      POINT Offset, TBitmap* Bmp, bool DrawFlag) {
  TControlPaint paint;
  if (!PrepareControlPaint(CommonData, Bmp, R, paint)) return;
  const TsGeneralData& sec = paint.SkinData->GeneralDataArray[paint.Section];
  int state = LimitSectionState(sec, State);
  int s2 = std::min(state, 2);
  FillControlBackground(CommonData, BgSource, s2, R, Offset, Bmp);
  DrawSectionCornerGlyphs(sec, s2, R, *Bmp, *paint.SkinData);
  TacBackgroundSource bg = ShiftBackgroundSource(BgSource, Offset);
  bool opaque = false;
  switch (ChooseBorder(CommonData, paint, state)) {
    case TBorderChoice::Pieces:
      DrawSkinRect(*Bmp, R, bg, paint.SkinData->MaskArray[sec.BorderIndex], state, DrawFlag);
      opaque = true;
      break;
    case TBorderChoice::Plain: {
      TacPaintBorderData& border = CommonData.CustomBorder();
      TacBorderValues values = BorderValues(border);
      bool custom = border.IsCustom();
      opaque = DrawSectionBorder(*Bmp, R, BorderSection(paint), s2, bg, custom ? &values : nullptr, paint.SkinData->PPI,
                                 ControlRadiusLimiter(border, R)) ||
               sec.Props[s2].Transparency == 0;
      break;
    }
    case TBorderChoice::None:
      opaque = sec.Props[s2].Transparency < 100;
      break;
  }
  if (opaque) ApplyColorAdjustments(CommonData, *Bmp, paint.Manager);
}

bool PaintControlSkinOverParent(TsCommonData& CommonData, TWinControl* Parent, int State, const RECT& R, POINT Offset,
                                TBitmap* Bmp, bool DrawFlag) {
  TControlPaint paint;
  if (!PrepareControlPaint(CommonData, Bmp, R, paint)) return true;
  TacBackgroundInfo info;
  info.PleaseDraw = false;
  if (Parent != nullptr) {
    QueryControlBackground(info, Parent, false);
    if (info.BgKind == bgkNotReady) return false;
  }
  TacBackgroundSource bg;
  BackgroundInfoToSource(info, bg);
  bg = ShiftBackgroundSource(bg, Offset);
  const TsGeneralData& sec = paint.SkinData->GeneralDataArray[paint.Section];
  int state = LimitSectionState(sec, State);
  int s2 = std::min(state, 2);
  FillControlBackground(CommonData, bg, s2, R, POINT{0, 0}, Bmp);
  switch (ChooseBorder(CommonData, paint, state)) {
    case TBorderChoice::Pieces:
      DrawSkinRect(*Bmp, R, bg, paint.SkinData->MaskArray[sec.BorderIndex], state, DrawFlag);
      break;
    case TBorderChoice::Plain:
      DrawControlBorder(Bmp, R, CommonData, bg, s2);
      break;
    case TBorderChoice::None:
      break;
  }
  DrawSectionCornerGlyphs(sec, s2, R, *Bmp, *paint.SkinData);
  return true;
}

bool DrawControlBorder(TBitmap* Bmp, const RECT& R, TsCommonData& CommonData, const TacBackgroundSource& BgSource,
                       int State) {
  TControlPaint paint;
  if (!PrepareControlPaint(CommonData, Bmp, R, paint)) return false;
  TacPaintBorderData& border = CommonData.CustomBorder();
  TacBorderValues values = BorderValues(border);
  return DrawSectionBorder(*Bmp, R, paint.SkinData->GeneralDataArray[paint.Section], State, BgSource,
                           border.IsCustom() ? &values : nullptr, paint.SkinData->PPI);
}
