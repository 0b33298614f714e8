#include "skin/effects/LayeredEffects.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/GdiHandles.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/effects/StateAnimation.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/SkinRect.h"
#include "skin/state/CommonData.h"
#include "skin/state/OuterEffects.h"
#include "skin/state/StateQueries.h"
#include "skin/state/ThreadedTimer.h"

namespace {

std::vector<std::unique_ptr<TacLayeredEffect>> gEffects;
// Set while an effect window goes: freeing the whole list then would pull
// the list out from under the code that frees it.
bool gFreeingEffect = false;

constexpr int kGlowFadeSteps = 6;

TacGlowEffect* GlowAt(int Index) { return dynamic_cast<TacGlowEffect*>(LayeredEffect(Index)); }

const TsGeneralData* OwnerSection(TsCommonData* Data, TacSkinData*& SkinData) {
  SkinData = Data ? Data->GetScaledSkinData() : nullptr;
  if (!SkinData || !IsValidSectionIndex(SkinData->GeneralDataArray, Data->SkinIndex)) return nullptr;
  return &SkinData->GeneralDataArray[Data->SkinIndex];
}

bool OuterShownOnHover(TsCommonData* Data, const TsGeneralData& Section) {
  return Data->OuterEffects().Visibility() == TacOuterVisibility::ovMouseHovered && Section.OuterMode >= 1;
}

HWND OwnWindow(TsCommonData* Data) {
  if (!Data) return nullptr;
  if (auto* Windowed = dynamic_cast<TWinControl*>(Data->OwnerControl)) return Windowed->HandleIfAllocated();
  return Data->OwnerControl ? nullptr : Data->Wnd;
}

RECT VisibleWindowRect(HWND Wnd) {
  RECT R{};
  GetWindowRect(Wnd, &R);
  TWindowDC DC(Wnd);
  RECT Clip{};
  RECT Client{};
  GetClientRect(Wnd, &Client);
  if (DC.get() && GetClipBox(DC.get(), &Clip) != ERROR && !IsRectEmpty(&Clip) && !EqualRect(&Clip, &Client)) {
    // Only the part of the control on screen glows; the clip box is in
    // client coordinates.
    POINT Origin{0, 0};
    ClientToScreen(Wnd, &Origin);
    OffsetRect(&Clip, Origin.x, Origin.y);
    IntersectRect(&R, &R, &Clip);
  }
  return R;
}

// Windows stacked above the control that reach past it would show the glow
// through them: their area stays transparent.
void CutOutCoveringSiblings(TBitmap& Image, HWND Wnd, const RECT& Control, POINT Origin) {
  for (HWND Sibling = GetWindow(Wnd, GW_HWNDPREV); Sibling; Sibling = GetWindow(Sibling, GW_HWNDPREV)) {
    if (!IsWindowVisible(Sibling)) continue;
    RECT S{}, Inside{};
    GetWindowRect(Sibling, &S);
    IntersectRect(&Inside, &S, &Control);
    if (EqualRect(&Inside, &S)) continue;
    OffsetRect(&S, -Origin.x, -Origin.y);
    FillRect32(Image, S, 0, 0);
  }
}

void FreeEffectWindow(TacLayeredEffect& Effect) {
  const bool Was = gFreeingEffect;
  gFreeingEffect = true;
  Effect.EffectForm.Destroy();
  gFreeingEffect = Was;
}

}  // namespace

TacGlowLayout GlowLayout(const RECT& Control, bool HasMask, const TacSides& MaskBorders, int Inset,
                         const TacSides* OuterMargins) {
  TacSides M;
  if (HasMask)
    M = {MaskBorders.Left - Inset, MaskBorders.Top - Inset, MaskBorders.Right - Inset, MaskBorders.Bottom - Inset};
  if (OuterMargins)
    M = {std::max(M.Left, OuterMargins->Left), std::max(M.Top, OuterMargins->Top),
         std::max(M.Right, OuterMargins->Right), std::max(M.Bottom, OuterMargins->Bottom)};
  TacGlowLayout Layout;
  Layout.Window = {Control.left - M.Left, Control.top - M.Top, Control.right + M.Right, Control.bottom + M.Bottom};
  const int W = Layout.Window.right - Layout.Window.left, H = Layout.Window.bottom - Layout.Window.top;
  if (HasMask)
    Layout.ItemRect = {M.Left + Inset - MaskBorders.Left, M.Top + Inset - MaskBorders.Top,
                       W - M.Right - Inset + MaskBorders.Right, H - M.Bottom - Inset + MaskBorders.Bottom};
  return Layout;
}

void TacGlowEffect::Repaint() {
  TacSkinData* SkinData = nullptr;
  const TsGeneralData* Section = OwnerSection(OwnerData, SkinData);
  if (!Section) return;
  const HWND Own = OwnWindow(OwnerData);
  const HWND InsertAfter = (!OwnerWnd || (GetWindowLongPtrW(OwnerWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ||
                            (!OwnerData->OwnerControl && !OwnerData->OwnerObject))
                               ? HWND_TOPMOST
                               : InsertAfterFor(OwnerWnd);
  const RECT Control = Own ? VisibleWindowRect(Own) : OwnerRect;

  const bool HasMask = IsValidMaskIndex(SkinData->MaskArray, GlowItem);
  TacSides Borders;
  if (HasMask) {
    const TsMaskData& Mask = SkinData->MaskArray[GlowItem];
    Borders = {Mask.WL, Mask.WT, Mask.WR, Mask.WB};
  }
  TacSides Outer;
  int OuterItem = -1;
  if (OuterShownOnHover(OwnerData, *Section)) {
    Outer = {Section->OutOffsL, Section->OutOffsT, Section->OutOffsR, Section->OutOffsB};
    OuterItem = Section->OuterMask;
  }
  const TacGlowLayout Layout = GlowLayout(Control, HasMask, Borders, Inset, OuterItem >= 0 ? &Outer : nullptr);
  Image = NewBitmap32OfRect(Layout.Window);
  FillRect32(*Image, RECT{0, 0, Image->Width(), Image->Height()}, 0, 0);
  const int State = std::max(OwnerData->GetCtrlState(), 0);
  TacBackgroundSource NoBackground;
  if (IsValidMaskIndex(SkinData->MaskArray, OuterItem)) {
    const TsMaskData& Item = SkinData->MaskArray[OuterItem];
    const RECT Whole{0, 0, Image->Width(), Image->Height()};
    DrawSkinRectLimited(*Image, Whole, NoBackground, Item, std::min<int>(State, std::max(Item.ImageCount - 1, 0)),
                        TacLimits{Control.left - Layout.Window.left, Control.top - Layout.Window.top,
                                  Layout.Window.right - Control.right, Layout.Window.bottom - Control.bottom},
                        255);
  }
  if (HasMask) {
    const TsMaskData& Mask = SkinData->MaskArray[GlowItem];
    DrawSkinRect(*Image, Layout.ItemRect, NoBackground, Mask, std::min<int>(State, std::max(Mask.ImageCount - 1, 0)),
                 false);
  }
  if (Own) CutOutCoveringSiblings(*Image, Own, Control, POINT{Layout.Window.left, Layout.Window.top});
  uint32_t Color = 0x1FFFFFFF;
  if (Own) {
    const LRESULT Answer = SendMessageW(Own, WM_SKINCOMMAND, SkinCommandWParam(AC_GETGLOWDATA), 0);
    if (Answer) Color = uint32_t(Answer);
  }
  ApplyColorEffects(Image.get(), OwnerData, TColor(Color), State);
  ShownRect = Layout.Window;
  EffectForm.Show(*Image, POINT{Layout.Window.left, Layout.Window.top}, Opacity, InsertAfter);
}

std::vector<std::unique_ptr<TacLayeredEffect>>& LayeredEffects() { return gEffects; }

TacLayeredEffect* LayeredEffect(int Index) {
  return Index >= 0 && Index < int(gEffects.size()) ? gEffects[Index].get() : nullptr;
}

int AddLayeredEffect(std::unique_ptr<TacLayeredEffect> Effect) {
  // A freed effect's slot is taken again, so that effects shown and hidden
  // over and over do not make the list grow.
  const auto Free = std::find(gEffects.begin(), gEffects.end(), nullptr);
  if (Free != gEffects.end()) {
    *Free = std::move(Effect);
    return int(Free - gEffects.begin());
  }
  gEffects.push_back(std::move(Effect));
  return int(gEffects.size()) - 1;
}

namespace {

int ShowGlowItem(const RECT& R, int MaskIndex, int Margin, uint8_t Alpha, HWND OwnerWnd, TsCommonData* Data) {
  TacSkinData* SkinData = nullptr;
  const TsGeneralData* Section = OwnerSection(Data, SkinData);
  if (!Section) return -1;
  if (!IsValidMaskIndex(SkinData->MaskArray, MaskIndex) &&
      !(OuterShownOnHover(Data, *Section) && Section->OuterMode >= 1))
    return -1;
  auto Glow = std::make_unique<TacGlowEffect>();
  Glow->OwnerData = Data;
  Glow->Manager = Data->GetSkinManager();
  Glow->Inset = Margin;
  Glow->GlowItem = MaskIndex;
  Glow->OwnerRect = R;
  Glow->Opacity = Alpha;
  Glow->OwnerWnd = OwnerWnd;
  TacGlowEffect* Shown = Glow.get();
  const int Index = AddLayeredEffect(std::move(Glow));
  Shown->Repaint();
  return Index;
}

bool GlowAllowed(TsCommonData* Data) { return Data && LayeredWindowsAvailable() && !GetCapture(); }

}  // namespace

int ShowGlowEffect(const RECT& R, const String& SectionName, const String& ItemName, TsCommonData* Data, HWND OwnerWnd,
                   uint8_t Alpha, int Margin) {
  if (!GlowAllowed(Data)) return -1;
  TacSkinData* SkinData = nullptr;
  const TsGeneralData* Section = OwnerSection(Data, SkinData);
  TsSkinManager* Manager = Data->GetSkinManager();
  if (!Section || !Manager) return -1;
  int Mask = -1;
  if (Section->Glow >= 1)
    Mask = SectionName.empty() ? Manager->GetSectionMaskIndex(Data->SkinIndex, ItemName + L"0", SkinData)
                               : Manager->GetMaskIndex(SectionName, ItemName + L"0", SkinData);
  if (Mask < 0 && !SectionName.empty() && Section->Glow >= 1)
    Mask = Manager->GetSectionMaskIndex(Data->SkinIndex, ItemName + L"0", SkinData);
  return ShowGlowItem(R, Mask, Margin, Alpha, OwnerWnd, Data);
}

int ShowGlowWithMask(const RECT& R, const std::vector<int>& MaskIndexes, int Margin, uint8_t Alpha, HWND OwnerWnd,
                     TsCommonData* Data) {
  if (MaskIndexes.empty() || MaskIndexes[0] < 0 || !GlowAllowed(Data)) return -1;
  return ShowGlowItem(R, MaskIndexes[0], Margin, Alpha, OwnerWnd, Data);
}

void SetGlowAlpha(int Index, uint8_t Alpha) {
  TacGlowEffect* Glow = GlowAt(Index);
  if (!Glow) return;
  Glow->Opacity = Alpha;
  Glow->EffectForm.SetOpacity(Alpha);
}

void UpdateLayeredEffect(int Index) {
  if (TacLayeredEffect* Effect = LayeredEffect(Index)) Effect->Repaint();
}

void HideGlowOrCircle(int& Index, bool Animate) {
  TacLayeredEffect* Effect = LayeredEffect(Index);
  if (!Effect) return;
  TsCommonData* Data = Effect->OwnerData;
  TsSkinManager* Manager = Data ? Data->GetSkinManager() : nullptr;
  auto* Glow = dynamic_cast<TacGlowEffect*>(Effect);
  if (Animate && Glow && Data && Manager && Manager->Effects().AllowAnimation() &&
      !(Application && Application->Terminated()) && (!Data->FadeTimer || Data->FadeTimer->AnimMode == 1) &&
      Data->OwnerControl) {
    PrepareAnimTimer(Data->FadeTimer, Data->OwnerControl, true);
    TacThreadedTimer* Timer = Data->FadeTimer;
    if (Timer->Enabled() && Timer->State == 0 && Timer->StepProc == GlowFadeStep) return;
    Timer->SetEnabled(false);
    Timer->Data = Data;
    // The glow step lowers Level by GlowStep a tick, from the glow's alpha.
    Timer->Level = Glow->Opacity;
    Timer->StepCount = kGlowFadeSteps;
    Timer->GlowStep = Timer->Level / kGlowFadeSteps;
    Timer->Step = 0;
    Timer->State = 0;
    Timer->AnimMode = 1;
    Timer->StepProc = GlowFadeStep;
    Timer->SetInterval(12);
    Timer->SetEnabled(true);
    return;
  }
  FreeEffectWindow(*Effect);
  // Circles too: the control's next hover makes a new one, and a kept
  // object would still name the control's skin state after it is gone.
  gEffects[Index].reset();
  Index = -1;
  if (Data && Data->FadeTimer && Data->FadeTimer->StepProc == GlowFadeStep) Data->FadeTimer->StepProc = nullptr;
  if (Data && Data->FadeTimer) Data->StopFading();
}

void ReleaseEffectForm(int& Index) {
  TacLayeredEffect* Effect = LayeredEffect(Index);
  TsCommonData* Data = Effect ? Effect->OwnerData : nullptr;
  if (Effect) {
    FreeEffectWindow(*Effect);
    gEffects[Index].reset();
  }
  Index = -1;
  if (Data && Data->EffectTimer) Data->StopEffectTimer();
}

void FreeLayeredEffects(bool FreeForms, bool KeepCircles) {
  if (gFreeingEffect) return;
  for (int I = 0; I < int(gEffects.size()); ++I) {
    TacLayeredEffect* Effect = gEffects[I].get();
    if (!Effect || (KeepCircles && Effect->IsCircle())) continue;
    if (FreeForms) FreeEffectWindow(*Effect);
    if (TsCommonData* Data = Effect->OwnerData) {
      if (Data->GlowId == I) Data->GlowId = -1;
      if (Data->EffectId == I) Data->EffectId = -1;
    }
    gEffects[I].reset();
  }
  if (!KeepCircles) gEffects.clear();
}
