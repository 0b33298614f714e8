#include "skin/effects/StateAnimation.h"

#include <algorithm>
#include <cmath>

#include "framework/Control.h"
#include "framework/WinControl.h"
#include "framework/GdiHandles.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/MaskedCopies.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/GlowEffects.h"

bool SessionEnding = false;
TacGlowAlphaSetter GlowAlphaSetter = nullptr;

namespace {

int RoundLevel(double Value) { return int(std::lround(std::clamp(Value, 0.0, 255.0))); }

bool Empty(const TBitmap* Bmp) { return !Bmp || Bmp->Width() <= 0 || Bmp->Height() <= 0; }

RECT SizeRect(const TBitmap& Bmp) { return RECT{0, 0, Bmp.Width(), Bmp.Height()}; }

// The window a windowed owner or a foreign window is presented on.
HWND FadeWindow(TsCommonData* Data) {
  if (Data->OwnerControl && Data->OwnerControl->Destroying()) return nullptr;
  return Data->GetWndHandle();
}

void SetGlowAlpha(TsCommonData* Data, int L) {
  if (Data->GlowId >= 0 && GlowAlphaSetter) GlowAlphaSetter(Data->GlowId, uint8_t(L));
}

// Whether the pulse paints the control itself now.
bool PulseRuns(TsCommonData* Data) { return Data->PulseTimer && Data->PulseTimer->Enabled(); }

void PresentOnWindow(HWND Wnd, TBitmap& Frame) {
  HDC DC = GetWindowDC(Wnd);
  if (!DC) return;
  // A mirrored window would flip the frame, which is already laid out.
  SetLayout(DC, 0);
  BitBlt(DC, 0, 0, Frame.Width(), Frame.Height(), Frame.DC(), 0, 0, SRCCOPY);
  ReleaseDC(Wnd, DC);
}

// The control paints its cache in its current state; 0 when it did.
LRESULT BuildCache(TsCommonData* Data) {
  if (Data->OwnerControl) return SendCtrlCommand(Data->OwnerControl, AC_BUILDCACHE, 0);
  return Data->Wnd ? SendWndCommand(Data->Wnd, AC_BUILDCACHE, 0) : 1;
}

// Asks the control's paint-state handler (the mouse light) whether its
// look changed.
bool PaintStateChanged(TsCommonData* Data, int State) {
  auto* Ctrl = dynamic_cast<TsCtrlSkinData*>(Data);
  if (!Ctrl || !Ctrl->OnPaintState) return false;
  TacPaintStateInfo Info{uint8_t(State), 0};
  Ctrl->OnPaintState(Ctrl->OwnerControl, Info);
  return Info.Reserved != 0;
}

void RepaintAfterFade(TsCommonData* Data) {
  auto* Ctrl = dynamic_cast<TsCtrlSkinData*>(Data);
  if (!Ctrl || !Ctrl->OnPaintState) return;
  Data->BGChanged = true;
  if (Data->OwnerControl) {
    if (!Data->OwnerControl->Destroying()) Data->OwnerControl->Repaint();
  } else if (Data->Wnd) {
    RedrawWindow(Data->Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
}

// The end of a run: a fade to normal lets go of its pictures, and only the
// hot state keeps its glow.
void FinishFade(TsCommonData* Data, int State) {
  if (State == 0) Data->StopFading();
  if (State != 1) HideLayeredEffect(Data->GlowId, false);
}

// A run without steps jumps to its end: the new picture shows at once.
bool ShowFinalState(TsCommonData* Data, TacThreadedTimer& T, HWND Wnd) {
  const int State = T.State;
  T.Level = State == 1 ? 255.0 : 0.0;
  if (Wnd && !Empty(T.TargetImage.get()) && !PulseRuns(Data)) PresentOnWindow(Wnd, *T.TargetImage);
  FinishFade(Data, State);
  Data->BGChanged = true;
  Data->Invalidate(false);
  return false;
}

// The frame of Step: the level moves on and the picture on screen is
// blended towards the new one, which is painted again first when the
// control's look changed with the state (the mouse light). Nothing without
// a new picture (false).
bool BlendFadeFrame(TsCommonData* Data, TacThreadedTimer& T, int Step, int& L) {
  L = AdvanceFadeLevel(T, Step);
  if (PaintStateChanged(Data, T.State) && T.State < 2) {
    Data->BGChanged = true;
    if (BuildCache(Data) == 0 && Data->CacheBmp) CopyToImage(T.TargetImage, *Data->CacheBmp, SizeRect(*Data->CacheBmp));
  }
  if (!T.TargetImage) return false;
  BlendRectConstant(*T.FrameImage, *T.TargetImage, FadeTransparency(T.State, L),
                    RECT{0, 0, T.FrameImage->Width() - 1, T.FrameImage->Height() - 1}, POINT{0, 0});
  return true;
}

// Within the run the glow follows the level, and a fade to normal lets the
// glow go once the level falls below 10. True: the run goes on.
bool GlowWithinRun(TsCommonData* Data, TacThreadedTimer& T, int Step, int L) {
  if (Step >= T.StepCount) return false;
  SetGlowAlpha(Data, L);
  if (T.State == 0 && L < 10) {
    T.Level = 0;
    HideLayeredEffect(Data->GlowId, false);
  }
  return true;
}

// The end of a run: the fade lets go and the control shows its final state.
bool EndFadeRun(TsCommonData* Data, TacThreadedTimer& T) {
  FinishFade(Data, T.State);
  RepaintAfterFade(Data);
  return false;
}

}  // namespace

int AdvanceFadeLevel(TacThreadedTimer& T, int Step) {
  switch (T.State) {
    case 0:
    case 2:
      T.Level -= T.GlowStep;
      break;
    case 1:
      T.Level += T.GlowStep;
      break;
    default:
      T.Level = T.StepCount > 0 ? 255.0 - double(Step) / T.StepCount * 255.0 : 0.0;
      break;
  }
  // A run makes one move more than it has steps (its first comes at the
  // start): the level stays in range for the run that follows.
  T.Level = std::clamp(T.Level, 0.0, 255.0);
  return RoundLevel(T.Level);
}

bool FadeStepWindow(TsCommonData* Data, int Step) {
  if (!Data) return false;
  TacThreadedTimer* T = Data->FadeTimer;
  if (!T || T->Destroying()) return false;
  const HWND Wnd = FadeWindow(Data);
  if (!Wnd || !T->SourceImage || Empty(Data->CacheBmp.get())) return false;
  if (T->StepCount <= 0) return ShowFinalState(Data, *T, Wnd);
  CopyToImage(T->FrameImage, *T->SourceImage, SizeRect(*Data->CacheBmp));
  int L = 0;
  if (!BlendFadeFrame(Data, *T, Step, L)) return false;
  if (!PulseRuns(Data)) PresentOnWindow(Wnd, *T->FrameImage);
  if (GlowWithinRun(Data, *T, Step, L)) return true;
  // A fade to normal always ends at level 0: a last step that finds the
  // level above it runs on for the steps the level still needs.
  if (T->State == 0 && L != 0 && T->GlowStep > 0) {
    T->Step = T->StepCount - int(std::lround(T->Level / T->GlowStep)) - 1;
    return true;
  }
  return EndFadeRun(Data, *T);
}

bool FadeStepGraphic(TsCommonData* Data, int Step) {
  if (!Data) return false;
  TacThreadedTimer* T = Data->FadeTimer;
  auto* Graphic = dynamic_cast<TGraphicControl*>(Data->OwnerControl);
  if (!T || T->Destroying() || !Graphic || Graphic->Destroying() || !Graphic->Parent()) return false;
  if (!T->SourceImage || Empty(Data->CacheBmp.get())) return false;
  if (T->StepCount <= 0) return ShowFinalState(Data, *T, nullptr);
  CopyToImage(T->FrameImage, *T->SourceImage, RECT{0, 0, Graphic->Width(), Graphic->Height()});
  int L = 0;
  if (!BlendFadeFrame(Data, *T, Step, L)) return false;
  // The control paints FrameImage itself while its fade runs.
  SendCtrlCommand(Graphic, AC_SETUPDATING, 0);
  SendCtrlCommand(Graphic, AC_REDRAW, 0);
  if (GlowWithinRun(Data, *T, Step, L)) return true;
  if (T->State == 0 && L != 0) {
    T->Step = Step - 1;
    return true;
  }
  return EndFadeRun(Data, *T);
}

bool GlowFadeStep(TsCommonData* Data, int Step) {
  if (!Data || Data->GlowId < 0) return false;
  TacThreadedTimer* T = Data->FadeTimer;
  if (!T || T->Destroying()) return false;
  const int State = T->State;
  if (T->StepCount <= 0) {
    T->Level = State == 1 ? 255.0 : 0.0;
    SetGlowAlpha(Data, RoundLevel(T->Level));
    if (State != 1) HideLayeredEffect(Data->GlowId, false);
    if (State < 1) Data->StopFading();
    return false;
  }
  T->Level += State == 1 ? T->GlowStep : -T->GlowStep;
  SetGlowAlpha(Data, RoundLevel(T->Level));
  if (Step < T->StepCount) return true;
  if (State != 1) HideLayeredEffect(Data->GlowId, false);
  if (State < 1) Data->StopFading();
  return false;
}

int CheckWipePosition(int W, int H, int Step) {
  const int A = W + H;
  if (A <= 0) return 0;
  if (Step >= CheckWipeSteps) return A;
  // The size still hidden falls from A to 2 over 13 steps.
  const double Q = std::pow(std::max(A / 2, 1), 1.0 / 13.0);
  const double E = A - A / std::pow(Q, std::max(Step, 0));
  // x + (H - y) < E for whole numbers, with H the height.
  return std::max(0, int(std::ceil(E)) - 1);
}

namespace {

// The glyph's rectangle in window coordinates; empty when the control does
// not tell it.
RECT CheckGlyphRect(HWND Wnd) {
  RECT R{};
  SendMessageW(Wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_GETEFFECTRECT, 1), LPARAM(&R));
  if (IsRectEmpty(&R)) return RECT{};
  RECT Window{};
  GetWindowRect(Wnd, &Window);
  OffsetRect(&R, -Window.left, -Window.top);
  return R;
}

}  // namespace

bool FadeStepCheckGlyph(TsCommonData* Data, int Step) {
  if (!Data) return false;
  TacThreadedTimer* T = Data->FadeTimer;
  if (!T || T->Destroying()) return false;
  const HWND Wnd = FadeWindow(Data);
  if (!Wnd || !T->SourceImage || !T->TargetImage || Empty(Data->CacheBmp.get())) return false;
  T->StepCount = CheckWipeSteps;
  CopyToImage(T->FrameImage, *T->SourceImage, SizeRect(*Data->CacheBmp));
  if (!PulseRuns(Data)) {
    const RECT R = CheckGlyphRect(Wnd);
    if (!IsRectEmpty(&R))
      CopyRectDiagonal(*T->FrameImage, *T->TargetImage, CheckWipePosition(R.right - R.left, R.bottom - R.top, Step),
                       RECT{R.left, R.top, R.right - 1, R.bottom - 1}, POINT{R.left, R.top});
    PresentOnWindow(Wnd, *T->FrameImage);
  }
  if (Step < T->StepCount) return true;
  Data->StopFading();
  return false;
}

void StartFade(TsCommonData* Data, int NewState, TacStepProc StepProc, bool Fast) {
  if (!Data || Empty(Data->CacheBmp.get())) return;
  // A fade back to normal starts from the full hot look.
  const int Remaining = PrepareAnimTimer(Data->FadeTimer, Data->OwnerControl, NewState != 0);
  TacThreadedTimer* T = Data->FadeTimer;
  T->Data = Data;
  if (T->State != -1 && T->State == NewState && T->Enabled()) return;
  TBitmap& Cache = *Data->CacheBmp;
  const RECT CacheRect = SizeRect(Cache);
  if (T->FrameImage && (T->FrameImage->Width() != Cache.Width() || T->FrameImage->Height() != Cache.Height()))
    T->FrameImage.reset();
  // An interrupted fade goes on from the frame on screen.
  if (T->FrameImage)
    CopyToImage(T->SourceImage, *T->FrameImage, CacheRect);
  else
    CopyToImage(T->SourceImage, Cache, CacheRect);
  if (Data->BGChanged && BuildCache(Data) != 0) T->StopAnimation();
  if (!Data->CacheBmp || Empty(Data->CacheBmp.get())) return;
  CopyToImage(T->TargetImage, *Data->CacheBmp, SizeRect(*Data->CacheBmp));
  T->StartAnimation(Data, Remaining, StepProc, NewState, Fast);
  T->TimeHandler();
}

void AnimateControlState(TsCommonData* Data, int NewState, TacStepProc StepProc, bool Allowed, bool WithGlow) {
  if (!Data) return;
  const HWND Wnd = FadeWindow(Data);
  if (!Data->IsSkinned() || (Wnd && !IsWindowVisible(Wnd))) {
    Data->Invalidate(false);
    return;
  }
  if (!StepProc) StepProc = dynamic_cast<TGraphicControl*>(Data->OwnerControl) ? FadeStepGraphic : FadeStepWindow;
  TsSkinManager* Manager = Data->GetSkinManager();
  const bool Animated = Allowed && Manager && !Manager->ReceivingSkin() && !SessionEnding &&
                        !Empty(Data->CacheBmp.get()) && !Data->BGChanged && Manager->Effects().AllowAnimation();
  if (Animated) {
    // The fade raises the glow's alpha from 0.
    if (WithGlow && NewState < 100 && Data->GlowId < 0) Data->UpdateGlow(false, nullptr, -1, false, 0);
    Data->BGChanged = true;
    StartFade(Data, NewState, StepProc, false);
    return;
  }
  if (!PaintStateChanged(Data, NewState)) Data->Invalidate(true);
  if (!Data->MouseAbove) {
    HideLayeredEffect(Data->GlowId, false);
    if (Data->FadeTimer) Data->FadeTimer->Level = 0;
  } else if (WithGlow) {
    if (NewState < 100 && Data->GlowId < 0) Data->UpdateGlow(false, nullptr, -1, false, 255);
    if (Data->FadeTimer) Data->FadeTimer->Level = 255;
  }
}
