#include "skin/state/ControlText.h"

#include <algorithm>
#include <memory>

#include "framework/SavedDC.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/TextDrawing.h"
#include "skin/graphics/TextGlow.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"

namespace {

constexpr uint32_t kNoContour = 0xFFFFFFFF;
constexpr int kWebButton = 8;
constexpr int kToolBarButton = 59;
constexpr int kAllSides = 15;

TacSkinData* SectionData(TsSkinManager* Manager) { return Manager ? Manager->GetSkinDataForPPI(96) : nullptr; }

// The standard sections that paint no background of their own: entries
// 0..9 and the tool-bar button.
bool IsSeeThroughSection(const TacSkinData& Data, int Section) {
  if (Section < 0) return false;
  for (int i = 0; i <= 9; ++i)
    if (Data.StandardSections[i] == Section) return true;
  return Data.StandardSections[kToolBarButton] == Section;
}

// "COLOR" of GLOBALINFO, read as the loader reads it.
uint32_t GlobalColor(TsSkinManager& Manager) {
  return uint32_t(Manager.SkinOptions().ReadInteger(L"GLOBALINFO", L"COLOR", int(GetSysColor(COLOR_BTNFACE))));
}

// Selected after a SaveDC, so the restore takes the font out again.
void PrepareDC(HDC DC, TCanvas& Canvas) {
  SelectObject(DC, Canvas.Font().Handle());
  SetBkMode(DC, TRANSPARENT);
}

// Enabled text in the colour given; disabled text embossed in the system's
// highlight and shadow colours. No length cap, no private format bit.
void DrawTextPlainOrEmbossed(HDC DC, const String& Text, bool Enabled, const RECT& R, UINT Flags, COLORREF Color) {
  const UINT plain = Flags & ~acDT_Antialiased;
  RECT copy = R;
  if (!Enabled) {
    SetTextColor(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
    OffsetRect(&copy, 1, 1);
    DrawTextW(DC, Text.c_str(), int(Text.size()), &copy, plain);
    copy = R;
    Color = GetSysColor(COLOR_BTNSHADOW);
  }
  SetTextColor(DC, Color);
  DrawTextW(DC, Text.c_str(), int(Text.size()), &copy, plain);
}

// An outline copy one pixel to a side, in draw order left, top, right, bottom.
struct TContour {
  uint32_t Color;
  int DX, DY;
};

void DrawColoured(HDC DC, const String& Text, const RECT& R, UINT Flags, uint32_t Color, int DX = 0, int DY = 0) {
  SetTextColor(DC, Color & 0xFFFFFF);
  RECT copy = R;
  OffsetRect(&copy, DX, DY);
  DrawTextCapped(DC, Text, copy, Flags);
}

}  // namespace

uint32_t ApplyControlColorEffects(uint32_t Color, const TsCommonData& CommonData) {
  if (CommonData.ColorTone != acColorUnset)
    Color = SwapRedBlueBytes(
        ApplyColorTone(SwapRedBlueBytes(ColorToRGB(TColor(Color))), ColorToRGB(TColor(CommonData.ColorTone))));
  Color = ApplyColorHue(CommonData.HUEOffset, Color);
  Color = ApplyColorSaturation(Color, CommonData.Saturation * 256 / 100);
  return ColorToRGB(TColor(Color));
}

void DrawTextWithEffects(TCanvas& Canvas, const wchar_t* Text, bool Enabled, RECT R, UINT Flags,
                         TsCommonData& CommonData, int State, bool AllowGlow) {
  if (!Text) return;
  const String text(Text);
  TsSkinManager* manager = CommonData.GetSkinManager();
  TacSkinData* data = SectionData(manager);
  const bool skinned = CommonData.IsSkinned();
  if (State != 0 && skinned && data && CommonData.SkinIndex == data->StandardSections[kWebButton])
    Canvas.Font().SetStyle(Canvas.Font().Style() | fsUnderline);
  Canvas.Brush().SetStyle(TBrushStyle::bsClear);
  HDC dc = Canvas.Handle();
  TSavedDC saved(dc);
  PrepareDC(dc, Canvas);
  const COLORREF canvasColor = ColorToRGB(Canvas.Font().Color());
  if (!skinned || CommonData.CustomFont() || !data) {
    DrawTextPlainOrEmbossed(dc, text, Enabled, R, Flags, canvasColor);
    return;
  }

  int section = CommonData.SkinIndex;
  TControl* owner = CommonData.OwnerControl;
  if (owner && owner->Parent() && IsSeeThroughSection(*data, section)) {
    TacBgIndexQuery query{State, section, owner->BoundsRect(), manager};
    const LRESULT answer = SendCtrlCommand(owner, AC_GETBGSKININDEX, reinterpret_cast<LPARAM>(&query));
    if (answer == 0) {
      section = -1;
    } else if (answer != -1) {
      section = query.SectionIndex < 0 ? -1 : query.SectionIndex;
      if (query.Manager) manager = query.Manager, data = SectionData(manager);
    }
  }
  if (section < 0 && owner && owner->Parent()) {
    DrawTextPlainOrEmbossed(dc, text, Enabled, R, Flags, ColorToRGB(owner->Parent()->Font().Color()));
    return;
  }

  State = std::clamp(State, 0, 2);
  if (!data || !manager->IsValidSectionIndex(section) || section >= int(data->GeneralDataArray.size())) {
    DrawColoured(dc, text, R, Flags, canvasColor);
    return;
  }
  const TsGenState& s = data->GeneralDataArray[section].Props[State];
  if (AllowGlow && CommonData.CacheBmp && s.GlowSize != 0) {
    TSavedDC clipped(dc);
    IntersectClipRect(dc, R.left, R.top, R.right, R.bottom);
    std::unique_ptr<TBitmap> maskCache;
    DrawTextGlow(*CommonData.CacheBmp, text, R, Flags, kAllSides, s.GlowSize,
                 ApplyControlColorEffects(s.GlowColor, CommonData), maskCache);
  }
  if (!Enabled) {
    DrawColoured(dc, text, R, Flags,
                 ApplyControlColorEffects(MixColors(s.FontColor, GlobalColor(*manager), 100), CommonData));
    return;
  }
  const TContour contours[] = {
      {s.ContourLeft, -1, 0}, {s.ContourTop, 0, -1}, {s.ContourRight, 1, 0}, {s.ContourBottom, 0, 1}};
  for (const TContour& c : contours)
    if (c.Color != kNoContour)
      DrawColoured(dc, text, R, Flags, ApplyControlColorEffects(c.Color, CommonData), c.DX, c.DY);
  DrawColoured(dc, text, R, Flags, ApplyControlColorEffects(s.FontColor, CommonData));
}
