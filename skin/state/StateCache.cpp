// The owner's paint cache, its update nesting and repainting, the fades, the
// glow and the outer shadow of a skin state.
#include <algorithm>
#include <array>

#include "framework/Form.h"
#include "framework/GdiHandles.h"
#include "framework/WinControl.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/manager/HotWindow.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/SkinRect.h"
#include "skin/state/CommonData.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/OuterEffects.h"
#include "skin/state/PaintBorderData.h"
#include "skin/state/ThreadedTimer.h"

namespace {

TWinControl* AsWindowed(TControl* Control) { return dynamic_cast<TWinControl*>(Control); }

bool CanUpdateControl(const TControl* Control) { return Control && !Control->Loading() && !Control->Destroying(); }

bool Designing(const TControl* Control) { return Control && (Control->ComponentState() & csDesigning); }

TForm* ParentForm(TControl* Control) {
  for (TControl* C = Control; C; C = C->Parent())
    if (auto* Form = dynamic_cast<TForm*>(C)) return Form;
  return nullptr;
}

// Which paint flags a border image drawn in mode M (0-12) needs: 0x04 and
// 0x10/0x40 when it changes with the width, 0x20/0x80 with the height.
constexpr std::array<uint16_t, 13> kModePaintFlags = {
    0x10 | 0x40 | 0x20 | 0x80,         // 0
    0x04 | 0x10 | 0x40 | 0x20 | 0x80,  // 1
    0x20,                              // 2
    0x10,                              // 3
    0x04 | 0x20,                       // 4
    0x04 | 0x10,                       // 5
    0x80,                              // 6
    0x40,                              // 7
    0x04 | 0x80,                       // 8
    0x04 | 0x40,                       // 9
    0x10 | 0x40 | 0x20 | 0x80,         // 10
    0x04 | 0x20 | 0x80,                // 11
    0x04 | 0x10 | 0x40,                // 12
};

uint16_t BorderPaintFlags(const TacSkinData* Data, int SectionIndex) {
  if (!Data || !IsValidSectionIndex(Data->GeneralDataArray, SectionIndex)) return 0;
  const int Border = Data->GeneralDataArray[SectionIndex].BorderIndex;
  if (!IsValidMaskIndex(Data->MaskArray, Border)) return 0;
  const unsigned Mode = Data->MaskArray[Border].DrawMode;
  return Mode < kModePaintFlags.size() ? kModePaintFlags[Mode] : 0;
}

// The sections whose shadow follows a rounded outline: the button-like ones.
bool IsRoundedSection(const TsGeneralData& Section) {
  return Section.ClassName == L"BUTTON" || Section.ClassName == L"SPEEDBUTTON" || Section.ClassName == L"TOOLBUTTON";
}

RECT ScreenRect(HWND Wnd, RECT R) {
  MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&R), 2);
  return R;
}

// The part of Wnd's client area that can be seen, on the screen.
RECT VisibleClientRect(HWND Wnd) {
  RECT Clip{};
  TWindowDC DC(Wnd);
  if (DC.get()) GetClipBox(DC.get(), &Clip);
  return ScreenRect(Wnd, Clip);
}

}  // namespace

void TsCommonData::InitCacheBmp() {
  if (!CacheBmp)
    CacheBmp = NewBitmap32(0, 0);
  else
    SetPixelFormat32(*CacheBmp);
  if (OwnerControl) CacheBmp->SetSize(std::max(0, OwnerControl->Width()), std::max(0, OwnerControl->Height()));
}

bool TsCommonData::IsUpdating() {
  if (Designing(OwnerControl) || !GetSkinManager()) return false;
  if (Updating) return true;
  if (!OwnerControl || OwnerControl->Destroying()) return false;
  TWinControl* Parent = OwnerControl->Parent();
  if (!Parent) return false;
  if (const HWND Handle = Parent->HandleIfAllocated()) return SendWndCommand(Handle, AC_ISUPDATING, 0) != 0;
  return QueryCtrlCommand(Parent, AC_ISUPDATING) != 0;
}

bool TsCommonData::CheckUpdating(bool Clear) {
  if (Clear) Updating = false;
  if (!IsUpdating()) return false;
  Updating = true;
  return true;
}

void TsCommonData::Invalidate(bool UpdateNow) {
  BGChanged = true;
  if (Loading) return;
  // Form providers repaint their whole form; they come with form skinning.
  if (!OwnerControl || Designing(OwnerControl) || !CanUpdateControl(OwnerControl)) return;
  if (FadeTimer && FadeTimer->AnimMode != 1) StopFading();
  if (TWinControl* Windowed = AsWindowed(OwnerControl)) {
    const UINT Flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | (UpdateNow ? RDW_UPDATENOW : 0);
    if (const HWND Handle = Windowed->HandleIfAllocated()) RedrawWindow(Handle, nullptr, nullptr, Flags);
  } else if (CtrlKind == 92) {
    SendCtrlCommand(OwnerControl, AC_REDRAW, UpdateNow ? 1 : 0);
  } else {
    OwnerControl->Repaint();
  }
}

void TsCommonData::NotifyParentMoved() {
  if (CheckUpdating(false)) return;
  if (!OwnerControl || Designing(OwnerControl) || !OwnerControl->Parent()) return;
  const HWND Parent = OwnerControl->Parent()->HandleIfAllocated();
  if (!Parent) return;
  SendWndMessage(Parent, WM_SKINCOMMAND, SkinCommandWParam(AC_INVALIDATEALL, 1), 0);
  if (IsWindowVisible(Parent)) SendWndCommand(Parent, AC_BUILDCACHE, 0);
}

bool TsCommonData::ChildrenNeedRefresh() {
  return ((StateBits & acsWidthChanged) && (PaintFlags & 0xA5)) ||
         ((StateBits & acsHeightChanged) && (PaintFlags & 0x56));
}

bool TsCommonData::MouseInControl() {
  HWND Handle = nullptr;
  RECT R{};
  POINT Cursor{};
  GetCursorPos(&Cursor);
  const POINT ScreenCursor = Cursor;
  if (TWinControl* Windowed = AsWindowed(OwnerControl)) {
    Handle = Windowed->HandleIfAllocated();
    if (!Handle || !IsWindowVisible(Handle)) return false;
    GetClientRect(Handle, &R);
    ScreenToClient(Handle, &Cursor);
  } else if (!OwnerControl && Wnd) {
    Handle = Wnd;
    RECT WR{};
    GetWindowRect(Handle, &WR);
    GetClientRect(Handle, &R);
    Cursor.x -= WR.left;
    Cursor.y -= WR.top;
  } else {
    return false;
  }
  // A scroll wrapper paints its bars outside the client area.
  if (SendWndCommand(Handle, AC_GETWRAPPER, 0) != 0) {
    const LONG Style = GetWindowLongW(Handle, GWL_STYLE);
    if (Style & WS_HSCROLL) R.bottom += GetSystemMetrics(SM_CYHSCROLL);
    if (Style & WS_VSCROLL) R.right += GetSystemMetrics(SM_CXVSCROLL);
  }
  if (!PtInRect(&R, Cursor)) return false;
  RECT Clip{};
  {
    TWindowDC DC(Handle);
    if (!DC.get() || GetClipBox(DC.get(), &Clip) == ERROR) return false;
  }
  if (!PtInRect(&Clip, Cursor)) return false;
  const HWND Under = WindowFromPoint(ScreenCursor);
  if (Under && Under != Handle) return IsWndOrDescendant(Under, Handle);
  return true;
}

void TsCommonData::UpdatePaintFlags() {
  PaintFlags = 0;
  TsSkinManager* Manager = GetSkinManager();
  if (!Manager || !Manager->IsValidSectionIndex(SkinIndex)) return;
  // The density tables share their image descriptions, so the base table
  // and the one this owner paints from tell the same modes.
  PaintFlags |= BorderPaintFlags(Manager->SkinData(), SkinIndex);
  PaintFlags |= BorderPaintFlags(GetScaledSkinData(), SkinIndex);
  // Sections here carry no background image list, and providers with
  // title-bar backgrounds come with form skinning.
}

void TsCommonData::StopFading() {
  if (!FadeTimer || FadeTimer->Destroying() || (OwnerControl && OwnerControl->Destroying())) return;
  FadeTimer->SetEnabled(false);
  if (FadeTimer->State == 0) FadeTimer->Level = 0;
  FadeTimer->State = -1;
  FadeTimer->TargetImage.reset();
  FadeTimer->FrameImage.reset();
  FadeTimer->SourceImage.reset();
}

void TsCommonData::StopEffectTimer() {
  if (!EffectTimer || EffectTimer->Destroying() || (OwnerControl && OwnerControl->Destroying())) return;
  EffectTimer->SetEnabled(false);
  if (EffectTimer->State == 0) EffectTimer->Level = 0;
  EffectTimer->State = -1;
  EffectTimer->TargetImage.reset();
  EffectTimer->FrameImage.reset();
  EffectTimer->SourceImage.reset();
}

bool TsCommonData::IsAnimating() {
  return (FadeTimer && FadeTimer->Enabled()) || (PulseTimer && PulseTimer->Enabled() && PulseTimer->SourceImage);
}

void TsCommonData::UpdateGlow(bool Again, HWND AWnd, int Index, bool Animate, uint8_t Alpha) {
  TsSkinManager* Manager = GetSkinManager();
  if (!Manager || !Manager->Effects().AllowGlowing() || Manager->Options().NoMouseHover() || GetCapture()) return;
  if (Index < 0) Index = SkinIndex;
  TacSkinData* SkinData = GetScaledSkinData();
  if (!SkinData || !IsValidSectionIndex(SkinData->GeneralDataArray, Index)) return;
  const TsGeneralData& Section = SkinData->GeneralDataArray[Index];
  if (Section.Glow < 1 &&
      !(OuterEffects().Visibility() == TacOuterVisibility::ovMouseHovered && Section.OuterMode >= 1))
    return;
  if (OwnerControl) {
    if (!MouseAbove) {
      HideLayeredEffect(GlowId, Animate);
      return;
    }
    if ((GetKeyState(VK_LBUTTON) & 0x8000) || CustomBorder().IsCustom() || (Again && GlowId != -1)) return;
    TWinControl* Parent = OwnerControl->Parent();
    if (!Parent || !ParentForm(OwnerControl)) return;
    if (!Manager->Effects().AllowAnimation()) Animate = false;
    if (Animate) Alpha = 0;
    if (GlowId == -1) {
      const HWND ParentWnd = Parent->HandleIfAllocated();
      TWinControl* Windowed = AsWindowed(OwnerControl);
      const HWND Own = Windowed ? Windowed->HandleIfAllocated() : nullptr;
      RECT R = OwnerControl->BoundsRect();
      if (ParentWnd) R = ScreenRect(ParentWnd, R);
      RECT Visible = Own ? VisibleClientRect(Own) : ParentWnd ? VisibleClientRect(ParentWnd) : R;
      IntersectRect(&R, &R, &Visible);
      GlowId = ShowGlow(R, Windowed ? Section.ClassName : SkinSection(), L"GLOW", this, ParentWnd, Alpha,
                        Section.GlowMargin);
    }
    if (Animate && GlowId != -1) {
      BGChanged = false;
      AnimateStateChange(this, GetCtrlState(), nullptr, true, false);
      if (FadeTimer) FadeTimer->AnimMode = 1;
    }
    return;
  }
  const HWND Foreign = AWnd ? AWnd : Wnd;
  if (!Foreign) return;
  if (!MouseAbove || Again) {
    HideLayeredEffect(GlowId, false);
    return;
  }
  if (GlowId == -1)
    GlowId = ShowGlow(VisibleClientRect(Foreign), SkinSection(), L"GLOW", this, GetAncestor(Foreign, GA_ROOT), Alpha,
                      Section.GlowMargin);
}

void TsCommonData::PaintOuterEffect(TacBackgroundInfo& Info, int State) {
  if (!IsSkinned() || !OuterEffects().IsShown() || !OwnerControl) return;
  if (Info.BgKind != bgkBitmap || !Info.Bmp || Info.Bmp->Empty()) return;
  TacSkinData* SkinData = GetScaledSkinData();
  if (!SkinData || !IsValidSectionIndex(SkinData->GeneralDataArray, SkinIndex)) return;
  const TsGeneralData& Section = SkinData->GeneralDataArray[SkinIndex];
  const int Kind = Section.OuterMode;
  if (Kind < 1) return;
  int Shadow = Section.OuterMask;
  TacLimits Margins{Section.OutOffsL, Section.OutOffsT, Section.OutOffsR, Section.OutOffsB};
  int Opacity = Section.OuterOpacity;
  if (Shadow < 0) {
    if (Kind > 2) return;
    const TacOutEffData& Effect = SkinData->OuterEffects[Kind - 1];
    Shadow = Effect.MaskIndex;
    Margins = TacLimits{Effect.OffsetL, Effect.OffsetT, Effect.OffsetR, Effect.OffsetB};
    Opacity = Effect.Opacity;
  }
  if (!IsValidMaskIndex(SkinData->MaskArray, Shadow)) return;

  RECT Bounds = OwnerControl->BoundsRect();
  SendCtrlCommand(OwnerControl, AC_GETBOUNDS, reinterpret_cast<LPARAM>(&Bounds));
  OffsetRect(&Bounds, Info.OffsetX, Info.OffsetY);
  const RECT Target{Bounds.left - Margins.Left, Bounds.top - Margins.Top, Bounds.right + Margins.Right,
                    Bounds.bottom + Margins.Bottom};
  const int Width = Target.right - Target.left, Height = Target.bottom - Target.top;
  if (Width <= 0 || Height <= 0) return;

  TacLimits Limits = Margins;
  const int Border = Section.BorderIndex;
  if (IsValidMaskIndex(SkinData->MaskArray, Border)) {
    const TsMaskData& Mask = SkinData->MaskArray[Border];
    Limits = TacLimits{Limits.Left + Mask.WL, Limits.Top + Mask.WT, Limits.Right + Mask.WR, Limits.Bottom + Mask.WB};
  } else if (IsRoundedSection(Section)) {
    const int Half = std::min(OwnerControl->Width(), OwnerControl->Height()) / 2;
    Limits = TacLimits{Limits.Left + Half, Limits.Top + Half, Limits.Right + Half, Limits.Bottom + Half};
  }

  if (!OuterBmp)
    OuterBmp = NewBitmap32(Width, Height);
  else
    OuterBmp->SetSize(Width, Height);
  BitBlt(OuterBmp->DC(), 0, 0, Width, Height, Info.Bmp->DC(), Target.left, Target.top, SRCCOPY);

  if (OuterEffects().Visibility() == TacOuterVisibility::ovFocused) Opacity = std::min(255, Opacity * 2);
  DrawSkinRectLimited(*Info.Bmp, Target, EmptyBackgroundSource, SkinData->MaskArray[Shadow], State, Limits,
                      uint8_t(std::clamp(Opacity, 0, 255)));
}

void TsCommonData::PaintChildrenOuterEffects(TWinControl* Parent, POINT Offset) {
  TsSkinManager* Manager = GetSkinManager();
  if (!Parent || !IsSkinned() || !Manager || !Manager->Effects().AllowOuterEffects()) return;
  for (int I = 0; I < Parent->ControlCount(); ++I) {
    TControl* Child = Parent->Controls(I);
    if (!Child->Visible() || !CanUpdateControl(Child)) continue;
    TacBackgroundInfo Info;
    Info.BgKind = bgkBitmap;
    Info.Bmp = CacheBmp.get();
    Info.OffsetX = Offset.x;
    Info.OffsetY = Offset.y;
    SendCtrlCommand(Child, AC_PAINTOUTER, reinterpret_cast<LPARAM>(&Info));
  }
}
