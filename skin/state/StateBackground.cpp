// What lies under a skinned control, as its children and painters ask for
// it: background colour, the answer to AC_GETBG, the parent's background,
// the light colour, the hot state and a few questions about the section.
#include <windows.h>
// After windows.h, which it needs.
#include <uxtheme.h>

#include <algorithm>

#include "framework/Panel.h"
#include "framework/WinControl.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/state/CommonData.h"
#include "skin/state/ControlKinds.h"
#include "skin/state/SectionLookup.h"
#include "skin/state/StateQueries.h"
#include "skin/state/ThreadedTimer.h"

namespace {

constexpr uint32_t kBtnFaceCode = 0xFF00000F;
constexpr uint32_t kNoColor = 0xFF00FF;

TWinControl* AsWindowed(TControl* Control) { return dynamic_cast<TWinControl*>(Control); }

// The colour a control shows its children: a skinned one is asked, and then
// every answer is a colour, black included; the others give their Color.
uint32_t ControlBgColor(TControl* Control) {
  if (!Control) return kNoColor;
  if (IsControlSkinned(Control))
    return ColorToRGB(TColor(Control->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0)));
  return ColorToRGB(Control->Color());
}

uint32_t WndBgColor(HWND Wnd) {
  if (!Wnd) return kNoColor;
  if (IsWindowSkinned(Wnd)) return ColorToRGB(TColor(SendWndCommand(Wnd, AC_GETBGCOLOR, 0)));
  if (TWinControl* Control = TWinControl::FindControl(Wnd)) return ColorToRGB(Control->Color());
  return ColorToRGB(TColor(kBtnFaceCode));
}

uint32_t ManagerBgColor(const TsSkinManager* Manager) {
  return Manager ? Manager->Palette()[pcMainColor] : ColorToRGB(TColor(kBtnFaceCode));
}

POINT WndPosInParent(HWND Wnd) {
  RECT R{};
  GetWindowRect(Wnd, &R);
  POINT P{R.left, R.top};
  if (HWND Parent = GetParent(Wnd)) ScreenToClient(Parent, &P);
  return P;
}

// The caller's R shows the cache the way a parent that paints itself into
// DrawDC would show it: DC point (x, y) is cache point (x + OffsetX,
// y + OffsetY). Only the part that lies inside the cache is copied.
void CopyCacheInto(const TacBackgroundInfo& Info, TBitmap& Cache) {
  if (!Info.DrawDC) return;
  RECT Src = Info.R;
  OffsetRect(&Src, Info.OffsetX, Info.OffsetY);
  const RECT Whole{0, 0, Cache.Width(), Cache.Height()};
  if (!IntersectRect(&Src, &Src, &Whole)) return;
  BitBlt(Info.DrawDC, Src.left - Info.OffsetX, Src.top - Info.OffsetY, Src.right - Src.left, Src.bottom - Src.top,
         Cache.DC(), Src.left, Src.top, SRCCOPY);
}

void AnswerWithBitmap(TacBackgroundInfo& Info, TBitmap* Bmp) {
  Info.BgKind = bgkBitmap;
  Info.Bmp = Bmp;
  Info.OffsetX = 0;
  Info.OffsetY = 0;
}

void AnswerWithColor(TacBackgroundInfo& Info, uint32_t Color) {
  Info.BgKind = bgkColor;
  Info.Bmp = nullptr;
  Info.Color = Color;
}

bool ThemesEnabled() { return IsThemeActive() && IsAppThemed(); }

}  // namespace

TColor TsCommonData::GetBgColor(int UseState, HWND ForeignWnd) {
  const TsGeneralData* Section = IsSkinned() ? SectionAt(GetScaledSkinData(), SkinIndex) : nullptr;
  if (!ForeignWnd) ForeignWnd = Wnd;
  if (Section) {
    const TsGenState& St = Section->Props[UseState > 0 && Section->States > 1 ? 1 : 0];
    const uint32_t C = St.Color;
    const int T = St.Transparency;
    if (T > 0 || !CustomColor()) {
      if (T <= 0) return TColor(C);
      bool HasParentColor = true;
      uint32_t ParentColor = 0;
      if (OwnerControl && OwnerControl->Parent())
        ParentColor = ControlBgColor(OwnerControl->Parent());
      else if (!OwnerControl && ForeignWnd && GetParent(ForeignWnd))
        ParentColor = WndBgColor(GetParent(ForeignWnd));
      else
        HasParentColor = false;
      if (T >= 100) return TColor(HasParentColor ? ParentColor : C);
      if (!HasParentColor) return OwnerControl ? TColor(C) : TColor(kBtnFaceCode);
      // The transparency is the parent's share, as the section painter
      // mixes it.
      return TColor(MixColors(ParentColor, C, uint8_t(T * 255 / 100)));
    }
  }
  if (OwnerControl) return OwnerControl->Color();
  return TColor(kBtnFaceCode);
}

void TsCommonData::GetBgInfo(TacBackgroundInfo& Info, int State, HWND ForeignWnd) {
  if (Info.PleaseDraw) {
    if (BGChanged && OwnerControl) SendCtrlCommand(OwnerControl, AC_BUILDCACHE, 0);
    if (!BGChanged && CacheBmp && !CacheBmp->Empty()) CopyCacheInto(Info, *CacheBmp);
    Info.BgKind = bgkBitmap;
    return;
  }
  if (SkinIndex < 0) {
    AnswerWithColor(Info, ControlBgColor(OwnerControl));
    return;
  }
  TacSkinData* Data = GetScaledSkinData();
  const TsGeneralData* Section = SectionAt(Data, SkinIndex);
  if (CustomColor() || !Section) {
    AnswerWithColor(Info, ColorToRGB(OwnerControl ? OwnerControl->Color() : TColor(kBtnFaceCode)));
    return;
  }
  TsSkinManager* Manager = GetSkinManager();
  const TsGenState& St = Section->Props[LimitedState(*Section, State)];
  const int T = St.Transparency;
  const HWND OwnWnd = ForeignWnd ? ForeignWnd : Wnd;

  if (T >= 100 && !CacheBmp) {
    TWinControl* Parent = OwnerControl ? OwnerControl->Parent() : nullptr;
    if (Parent && IsControlSkinned(Parent)) {
      QueryControlBackground(Info, Parent, false);
      if (Info.BgKind == bgkBitmap && Info.Bmp) {
        Info.OffsetX += OwnerControl->Left();
        Info.OffsetY += OwnerControl->Top();
        Info.FillRect.left -= OwnerControl->Left();
        Info.FillRect.top -= OwnerControl->Top();
      }
    } else if (!OwnerControl && OwnWnd && GetParent(OwnWnd)) {
      QueryWindowBackground(Info, GetParent(OwnWnd), false);
      if (Info.BgKind == bgkBitmap && Info.Bmp) {
        const POINT P = WndPosInParent(OwnWnd);
        Info.OffsetX += P.x;
        Info.OffsetY += P.y;
      }
    } else {
      // Nothing under us paints from the skin: its colour stands in.
      AnswerWithColor(Info, ManagerBgColor(TsSkinManager::DefaultManager()));
    }
    return;
  }
  if (T >= 100) {
    if (BGChanged && OwnerControl) SendCtrlCommand(OwnerControl, AC_BUILDCACHE, 0);
    if (BGChanged)
      AnswerWithColor(Info, ColorToRGB(GetBgColor(0)));
    else
      AnswerWithBitmap(Info, CacheBmp.get());
    return;
  }
  if (T > 0) {
    if (!CacheBmp) {
      AnswerWithColor(Info, kNoColor);
      return;
    }
    if (CacheBmp->Empty()) {
      if (OwnerControl) SendCtrlCommand(OwnerControl, AC_BUILDCACHE, 0);
      if (!CacheBmp || CacheBmp->Empty()) {
        Updating = true;
        Info.BgKind = bgkNotReady;
        Info.Bmp = nullptr;
        return;
      }
    }
    AnswerWithBitmap(Info, CacheBmp.get());
    return;
  }

  const TsMaskData* Mask = BorderMaskOf(Data, *Section);
  const bool MaskIsImage = Mask && (Mask->DrawMode & dmNothingInState0) != 0;
  const bool NoGlyphs = Section->ImgTopLeft < 0 && Section->ImgTopRight < 0 && Section->ImgBottomLeft < 0 &&
                        Section->ImgBottomRight < 0;
  if (St.ImagePercent <= 0 && St.GradientPercent <= 0 && !MaskIsImage && NoGlyphs && !OuterEffectsAllowed()) {
    AnswerWithColor(Info, ColorToRGB(GetBgColor(State, ForeignWnd)));
    if (Mask && CacheBmp) {
      // Only the border comes from the painted image.
      Info.FillRect = RECT{Mask->WL, Mask->WT, Mask->WR, Mask->WB};
      Info.Bmp = CacheBmp.get();
      Info.OffsetX = 0;
      Info.OffsetY = 0;
    }
    return;
  }

  Info.Color = ManagerBgColor(Manager);
  const bool SizeDiffers = OwnerControl && CacheBmp &&
                           (CacheBmp->Width() != OwnerControl->Width() || CacheBmp->Height() != OwnerControl->Height());
  if (OwnerControl && (BGChanged || !CacheBmp || CacheBmp->Empty() || SizeDiffers)) {
    if (CacheBmp) CacheBmp->SetSize(0, 0);
    SendCtrlCommand(OwnerControl, AC_BUILDCACHE, 0);
  }
  if (!CacheBmp || CacheBmp->Empty()) {
    Info.BgKind = bgkNotReady;
    Info.Bmp = nullptr;
    return;
  }
  TBitmap* Frame = FadeTimer && FadeTimer->Enabled() && FadeTimer->FrameImage ? FadeTimer->FrameImage.get()
                                                                              : CacheBmp.get();
  AnswerWithBitmap(Info, Frame);
}

void TsCommonData::GetParentBg(TacBackgroundSource& Source) {
  TWinControl* Windowed = AsWindowed(OwnerControl);
  TWinControl* Parent = OwnerControl ? OwnerControl->Parent() : nullptr;
  const HWND ParentWnd = !Parent && Windowed && Windowed->HandleAllocated() ? GetParent(Windowed->HandleIfAllocated())
                                                                            : nullptr;
  if (IsSkinned() && OwnerControl && (Parent || ParentWnd)) {
    TacBackgroundInfo Info;
    if (Parent)
      QueryControlBackground(Info, Parent, false);
    else
      QueryWindowBackground(Info, ParentWnd, false);
    // The kind tells whether there is an answer; a black one stays black.
    if (Info.BgKind == bgkNotReady) {
      Source = TacBackgroundSource{};
      Source.FillColor = kNoColor;
      return;
    }
    BackgroundInfoToSource(Info, Source);
    return;
  }
  Source = TacBackgroundSource{};
  Source.FillColor = ColorToRGB(GetBgColor(0));
}

void TsCommonData::GetWndParentBg(HWND ForeignWnd, TacBackgroundSource& Source) {
  const HWND ParentWnd = ForeignWnd ? GetParent(ForeignWnd) : nullptr;
  if (!ParentWnd) {
    Source = TacBackgroundSource{};
    Source.FillColor = uint32_t(clNone);
    return;
  }
  TacBackgroundInfo Info;
  QueryWindowBackground(Info, ParentWnd, false);
  if (Info.BgKind == bgkNotReady) {
    Source = TacBackgroundSource{};
    Source.FillColor = kNoColor;
    return;
  }
  BackgroundInfoToSource(Info, Source);
}

TColor TsCommonData::GetLightColor(int State) {
  if (SkinIndex <= 0) return -1;
  TacSkinData* Data = GetScaledSkinData();
  const TsGeneralData* Section = SectionAt(Data, SkinIndex);
  if (!Section) return -1;
  // A section without a third state has one hot state beside the normal.
  const int HotStates = Section->UseState2 ? 2 : 1;
  const int S = std::max(0, std::min({State, Section->States - 1, std::min(HotStates + 1, 2)}));
  const TsGenState& St = Section->Props[S];
  const TsMaskData* Mask = BorderMaskOf(Data, *Section);
  const bool BorderDrawn = Mask && (Mask->DrawMode & dmPaintCentre) != 0 &&
                           ((Mask->DrawMode & dmNothingInState0) == 0 || S != 0);
  if ((St.Transparency < 40 || BorderDrawn) && St.LightColor != kNoColor) return TColor(St.LightColor);
  TWinControl* Parent = OwnerControl ? OwnerControl->Parent() : nullptr;
  if (Parent && Parent->HandleAllocated())
    if (TsCommonData* ParentData = GetWndCommonData(Parent->HandleIfAllocated())) return ParentData->GetLightColor(0);
  TsSkinManager* Manager = GetSkinManager();
  return Manager ? TColor(Manager->Globals().DefLight) : -1;
}

bool TsCommonData::ShowsParentInState(int State) {
  if (CustomFont()) return false;
  return SectionShowsParentIn(GetScaledSkinData(), SkinIndex, State, OwnerControl);
}

int TsCommonData::GetMaskBorderWidth() {
  TacSkinData* Data = GetScaledSkinData();
  const TsGeneralData* Section = SectionAt(Data, SkinIndex);
  const TsMaskData* Mask = Section ? BorderMaskOf(Data, *Section) : nullptr;
  if (!Mask || (Mask->DrawMode & dmNothingInState0) != 0) return 0;
  return std::max({int(Mask->WL), int(Mask->WT), int(Mask->WR), int(Mask->WB)});
}

bool TsCommonData::FocusRectVisible() {
  TsSkinManager* Manager = GetSkinManager();
  return !(Manager && Manager->IsSkinLoaded() && !Manager->ButtonsOptions().ShowFocusRect() && ThemesEnabled());
}

bool TsCommonData::OuterEffectsAllowed() {
  // Providers come with form skinning; until then only windowed owners.
  if (!AsWindowed(OwnerControl)) return false;
  TsSkinManager* Manager = GetSkinManager();
  return Manager && Manager->Effects().AllowOuterEffects();
}

bool TsCommonData::DependsOnParentBg() {
  TsSkinManager* Manager = GetSkinManager();
  if (!IsSkinned() || !OwnerControl || (Manager && Manager->ReceivingSkin()) || !OwnerControl->Enabled()) return true;
  const TsGeneralData* Section = SectionAt(GetScaledSkinData(), SkinIndex);
  if (!Section || Section->Props[0].Transparency <= 0) return false;
  TWinControl* Parent = OwnerControl->Parent();
  if (!Parent || !Parent->HandleAllocated()) return false;
  return SendWndCommand(Parent->HandleIfAllocated(), AC_ISSKINAWARE, 0) != 0;
}

int TsCommonData::GetCtrlState() {
  if (!OwnerControl) return 0;
  if (OwnerControl->ComponentState() & (csDestroying | csDesigning)) return 0;
  if (!OwnerControl->Enabled()) return 0;
  if (Focused) return 1;
  TWinControl* Windowed = AsWindowed(OwnerControl);
  if (Windowed && Windowed->Focused() && !dynamic_cast<TPanel*>(Windowed)) return 1;
  if (!MouseAbove) return 0;
  TsSkinManager* Manager = GetSkinManager();
  if (Manager && Manager->Options().NoMouseHover()) return 0;
  if (ckNoHotKinds.Contains(CtrlKind) || ckFocusHotKinds.Contains(CtrlKind)) return 0;
  return 1;
}
