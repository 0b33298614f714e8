#include "skin/state/CacheCopies.h"

#include <algorithm>

#include "framework/SavedDC.h"
#include "framework/WinControl.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/CommonData.h"
#include "skin/state/PaintBorderData.h"

namespace {

bool HasCache(TsCommonData* Data) { return Data && Data->CacheBmp && !Data->CacheBmp->Empty(); }

void CopyCache(TsCommonData& Data, POINT SrcPos, HDC DC, const RECT& DestRect) {
  BitBlt(DC, DestRect.left, DestRect.top, DestRect.right - DestRect.left, DestRect.bottom - DestRect.top,
         Data.CacheBmp->DC(), SrcPos.x, SrcPos.y, SRCCOPY);
}

// A child that paints over all of its rectangle is cut out; one that shows
// its parent through itself is not, so the parent's pixels reach it.
bool CoversItsRect(TControl* Child, TsSkinManager* Manager) {
  auto* Windowed = dynamic_cast<TWinControl*>(Child);
  if (!Windowed) return !(Manager && Manager->Options().StdImgTransparency());
  return (Child->ControlStyle() & csOpaque) || QueryCtrlCommand(Child, AC_ISOPAQUE) == 1;
}

void ExcludeRect(HDC DC, const RECT& R) { ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom); }

// Group boxes show what lies under their inside; only their frame is cut.
void ExcludeGroupBoxFrame(HDC DC, HWND Child, const RECT& R, TsSkinManager* Manager) {
  const int Height = R.bottom - R.top;
  const int Top = std::clamp(int(SendWndCommand(Child, AC_GETSKINMANAGER, 0)), 0, Height);
  int WL = 0, WR = 0, WB = 0;
  if (TacSkinData* SkinData = Manager->SkinData()) {
    const int Section = SkinData->SectionIndex(L"GROUPBOX");
    const int Border = IsValidSectionIndex(SkinData->GeneralDataArray, Section)
                           ? SkinData->GeneralDataArray[Section].BorderIndex
                           : -1;
    if (IsValidMaskIndex(SkinData->MaskArray, Border)) {
      const TsMaskData& Mask = SkinData->MaskArray[Border];
      WL = Mask.WL, WR = Mask.WR, WB = Mask.WB;
    }
  }
  ExcludeRect(DC, RECT{R.left, R.top, R.right, R.top + Top});
  ExcludeRect(DC, RECT{R.left, R.top, R.left + WL, R.bottom});
  ExcludeRect(DC, RECT{R.right - WR, R.top, R.right, R.bottom});
  ExcludeRect(DC, RECT{R.left, R.bottom - WB, R.right, R.bottom});
}

}  // namespace

void CopyCacheExcludingChildren(TWinControl* Parent, TsCommonData* Data, POINT SrcPos, POINT Offset, bool PaintBorder,
                                HDC DC, const RECT& DestRect) {
  if (!HasCache(Data) || !DC) return;
  if (PaintBorder && Data->CustomBorder().IsCustom()) FillCacheCorners(Data, Data->GetCtrlState(), 15);
  TSavedDC Saved(DC);
  IntersectClipRect(DC, DestRect.left, DestRect.top, DestRect.right, DestRect.bottom);
  TsSkinManager* Manager = Data->GetSkinManager();
  for (int I = 0; Parent && I < Parent->ControlCount(); ++I) {
    TControl* Child = Parent->Controls(I);
    if (!Child->Visible()) continue;
    RECT R = Child->BoundsRect();
    OffsetRect(&R, Offset.x, Offset.y);
    RECT Common;
    if (!IntersectRect(&Common, &R, &DestRect) || !CoversItsRect(Child, Manager)) continue;
    ExcludeRect(DC, R);
  }
  CopyCache(*Data, SrcPos, DC, DestRect);
}

void CopyCacheExcludingChildWindows(HWND Wnd, TsCommonData* Data, POINT SrcPos, POINT Offset, bool PaintBorder, HDC DC,
                                    const RECT& DestRect) {
  if (!HasCache(Data) || !DC) return;
  if (PaintBorder) FillCacheCorners(Data, Data->GetCtrlState(), 15);
  TSavedDC Saved(DC);
  IntersectClipRect(DC, DestRect.left, DestRect.top, DestRect.right, DestRect.bottom);
  TsSkinManager* Manager = Data->GetSkinManager();
  const bool DefaultManager = Manager && Manager == TsSkinManager::DefaultManager();
  for (HWND Child = Wnd ? GetWindow(Wnd, GW_CHILD) : nullptr; Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
    // The child's own visibility: a hidden parent still gets its pixels.
    if (!(GetWindowLongW(Child, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT R{};
    GetWindowRect(Child, &R);
    MapWindowPoints(nullptr, Wnd, reinterpret_cast<POINT*>(&R), 2);
    OffsetRect(&R, Offset.x, Offset.y);
    const LONG Style = GetWindowLongW(Child, GWL_STYLE);
    const LONG ExStyle = GetWindowLongW(Child, GWL_EXSTYLE);
    if (DefaultManager && (Style & 7) == 7 && !(ExStyle & WS_EX_CLIENTEDGE))
      ExcludeGroupBoxFrame(DC, Child, R, Manager);
    else
      ExcludeRect(DC, R);
  }
  CopyCache(*Data, SrcPos, DC, DestRect);
}
