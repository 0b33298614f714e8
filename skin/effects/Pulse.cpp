#include "skin/effects/Pulse.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "framework/Control.h"
#include "framework/WinControl.h"
#include "framework/GdiHandles.h"
#include "skin/core/SkinCommand.h"
#include "skin/effects/ClickWave.h"
#include "skin/forms/PaintToBitmap.h"
#include "skin/forms/SkinColors.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/PixelEffects.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/StateServices.h"

namespace {

// The parent has no background to give yet.
constexpr uint32_t kNoColor = 0xFF00FF;

constexpr UINT kShakeInterval = 20;
constexpr UINT kShakeRest = 500;
// Ticks of one shake before it rests.
constexpr int kShakeTicks = 25;
// How far the tinted picture goes towards the pulse colour.
constexpr uint8_t kTintKeep = 128;

// The pulses of controls without a skin state, each owning the state made
// for it. They go with their control (it owns them); the list only finds
// them again.
std::vector<TacPulsTimer*>& PrivatePulses() {
  static std::vector<TacPulsTimer*> List;
  return List;
}

TacPulsTimer* PulseOf(TsCommonData* Data) { return Data ? dynamic_cast<TacPulsTimer*>(Data->PulseTimer) : nullptr; }

bool Alive(TacPulsTimer* T, TsCommonData* Data) {
  return T && !T->Destroying() && Data->OwnerControl && !Data->OwnerControl->Destroying();
}

bool FormAnimating() { return StateServices.FormAnimationRunning && StateServices.FormAnimationRunning(); }

void Present(TsCommonData* Data, TBitmap& Frame) {
  TControl* Control = Data->OwnerControl;
  if (Data->IsSkinned()) {
    // A skinned control paints the pulse's frame itself.
    SendCtrlCommand(Control, AC_SETUPDATING, 0);
    SendCtrlCommand(Control, AC_REDRAW, 0);
    return;
  }
  auto* Windowed = dynamic_cast<TWinControl*>(Control);
  TWinControl* Target = Windowed ? Windowed : Control->Parent();
  const HWND Wnd = Target ? Target->HandleIfAllocated() : nullptr;
  if (!Wnd) return;
  TWindowDC DC(Wnd);
  const POINT At = Windowed ? POINT{0, 0} : POINT{Control->Left(), Control->Top()};
  BitBlt(DC.get(), At.x, At.y, Frame.Width(), Frame.Height(), Frame.DC(), 0, 0, SRCCOPY);
}

// Fills R of the parent's client area from the background under it.
void RestoreStrip(TsCommonData* Data, HDC DC, const RECT& R) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  TacBackgroundSource Source;
  Data->GetParentBg(Source);
  if (Source.Bmp) {
    BitBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, Source.Bmp->DC(), Source.X + R.left, Source.Y + R.top,
           SRCCOPY);
    return;
  }
  const COLORREF Color = Source.FillColor == kNoColor ? GetSysColor(COLOR_BTNFACE) : COLORREF(Source.FillColor);
  TOwnedBrush Brush(CreateSolidBrush(Color));
  FillRect(DC, &R, Brush.get());
}

}  // namespace

TacPulsTimer::TacPulsTimer(TComponent* AOwner) : TacThreadedTimer(AOwner, false) {}

TacPulsTimer::~TacPulsTimer() {
  SetEnabled(false);
  auto& List = PrivatePulses();
  List.erase(std::remove(List.begin(), List.end(), this), List.end());
  if (OwnData) {
    // The state made for the control must not free us a second time.
    OwnData->PulseTimer = nullptr;
    if (Data == OwnData.get()) Data = nullptr;
    OwnData.reset();
  }
}

void TacPulsTimer::PrepareImage() {
  if (PulseMode == pmShake) {
    ShakeStep = 1;
    return;
  }
  TsCommonData* D = PulseData;
  if (!D || !D->OwnerControl) return;
  TControl* Control = D->OwnerControl;
  if (D->SkinIndex >= 0) {
    SendCtrlCommand(Control, AC_BUILDCACHE, 0);
  } else {
    if (!D->CacheBmp) D->CacheBmp = NewBitmap32(0, 0);
    D->CacheBmp->SetSize(Control->Width(), Control->Height());
    PaintControlArea(*D->CacheBmp, Control);
  }
  if (!D->CacheBmp || D->CacheBmp->Width() <= 0 || D->CacheBmp->Height() <= 0) return;
  TBitmap& Cache = *D->CacheBmp;
  const RECT R{0, 0, Cache.Width(), Cache.Height()};
  CopyToImage(SourceImage, Cache, R);
  CopyToImage(TargetImage, Cache, R);
  if (PulseMode == pmFade)
    TintBitmapExceptKey(*TargetImage, kTintKeep, SkinColorToRGB(PulseColor, D->GetSkinManager()));
  FrameImage.reset();
}

void StartPulse(TControl* Control, const TacPulseParams& Params) {
  const uint8_t Mode = uint8_t(Params.Mode & 0xFF);
  if (!Control || Control->Destroying() || Mode > pmWave) return;
  if (SendCtrlCommand(Control, AC_BUILDCACHE, 0) != 0) return;
  auto* Data = reinterpret_cast<TsCommonData*>(SendCtrlCommand(Control, AC_GETCOMMONDATA, 0));
  TacPulsTimer* T = nullptr;
  if (!Data) {
    if (TsCommonData* Own = PrivatePulseData(Control)) T = dynamic_cast<TacPulsTimer*>(Own->PulseTimer);
    if (!T) {
      T = new TacPulsTimer(Control);
      T->OwnData = std::make_unique<TsCommonData>(T, false);
      T->OwnData->OwnerControl = Control;
      T->OwnData->Loading = false;
      T->OwnData->BGChanged = false;
      PrivatePulses().push_back(T);
    }
    Data = T->OwnData.get();
    Data->PulseTimer = T;
  } else {
    Data->StopFading();
    delete Data->PulseTimer;
    T = new TacPulsTimer(Control);
    Data->PulseTimer = T;
  }
  T->PulseData = Data;
  T->PulseColor = TColor(Params.Color);
  T->PulseInterval = Params.Interval;
  T->PulseMode = Mode;
  T->Level = 255;
  T->StartAnimation(Data, 0, PulseTick, 0, false);
}

bool PulseTick(TsCommonData* Data, int Step) {
  TacPulsTimer* T = PulseOf(Data);
  if (!Alive(T, Data)) return false;
  const bool Visible = HasVisibleRegion(Data->OwnerControl);
  if (Data->IsUpdating() || Data->BGChanged || FormAnimating()) return Visible;
  T->PrepareImage();
  switch (T->PulseMode) {
    case pmFade:
      T->StepProc = PulseBlendStep;
      if (T->PulseInterval > 0) T->SetInterval(UINT(T->PulseInterval));
      break;
    case pmShake:
      T->StepProc = PulseShakeStep;
      T->StepCount = INT_MAX;
      T->SetInterval(kShakeInterval);
      break;
    default:
      T->StepProc = PulseClickStep;
      T->StepCount = INT_MAX;
      if (T->PulseInterval > 0) T->SetInterval(UINT(T->PulseInterval));
      break;
  }
  return Visible;
}

bool PulseBlendStep(TsCommonData* Data, int Step) {
  TacPulsTimer* T = PulseOf(Data);
  if (!Alive(T, Data) || !HasVisibleRegion(Data->OwnerControl)) return false;
  if (!T->SourceImage || !T->TargetImage) return false;
  if (T->StepCount <= 0) {
    // Nothing to walk through: the tinted picture shows and stays.
    T->Level = 0;
    Present(Data, *T->TargetImage);
    return false;
  }
  TControl* Control = Data->OwnerControl;
  CopyToImage(T->FrameImage, *T->SourceImage, RECT{0, 0, Control->Width(), Control->Height()});
  T->Level -= T->GlowStep;
  const uint8_t Transparency = uint8_t(std::clamp(std::lround(T->Level), 0L, 255L));
  BlendRectConstant(*T->FrameImage, *T->TargetImage, Transparency,
                    RECT{0, 0, T->FrameImage->Width() - 1, T->FrameImage->Height() - 1}, POINT{0, 0});
  Present(Data, *T->FrameImage);
  if (Step >= T->StepCount) {
    // Back and forth until stopped.
    T->Step = 0;
    T->GlowStep = -T->GlowStep;
    T->State = T->State == 0 ? 1 : 0;
  }
  return true;
}

bool PulseShakeStep(TsCommonData* Data, int Step) {
  TacPulsTimer* T = PulseOf(Data);
  if (!Alive(T, Data)) return false;
  TControl* Control = Data->OwnerControl;
  TWinControl* Parent = Control->Parent();
  const HWND ParentWnd = Parent ? Parent->HandleIfAllocated() : nullptr;
  if (!ParentWnd || !IsWindowVisible(ParentWnd)) return false;
  if (T->ShakeBusy) return true;
  T->SkipTick = !T->SkipTick;
  if (T->SkipTick) return true;
  T->ShakeBusy = true;
  if (T->Interval() == kShakeRest) {
    T->Step = 1;
    T->SetInterval(kShakeInterval);
    Control->Repaint();
    T->FrameImage.reset();
  }
  const RECT Bounds = Control->BoundsRect();
  const int W = Bounds.right - Bounds.left, H = Bounds.bottom - Bounds.top;
  if (!T->FrameImage && W > 0 && H > 0) {
    POINT Origin{Bounds.left, Bounds.top};
    ClientToScreen(ParentWnd, &Origin);
    T->FrameImage = NewBitmap32(W, H);
    TWindowDC Screen(nullptr);
    BitBlt(T->FrameImage->DC(), 0, 0, W, H, Screen.get(), Origin.x, Origin.y, SRCCOPY);
  }
  if (T->FrameImage) {
    RECT Shifted = Bounds;
    OffsetRect(&Shifted, T->ShakeStep, 0);
    T->ShakeStep = -T->ShakeStep;
    TWindowDC DC(ParentWnd);
    BitBlt(DC.get(), Shifted.left, Shifted.top, W, H, T->FrameImage->DC(), 0, 0, SRCCOPY);
    // The strip the shifted picture uncovers shows the parent again.
    const RECT Strip = Shifted.left > Bounds.left ? RECT{Bounds.left, Bounds.top, Shifted.left, Bounds.bottom}
                                                  : RECT{Shifted.right, Bounds.top, Bounds.right, Bounds.bottom};
    RestoreStrip(Data, DC.get(), Strip);
  }
  if (T->Step > kShakeTicks) T->SetInterval(kShakeRest);
  T->ShakeBusy = false;
  return true;
}

bool PulseClickStep(TsCommonData* Data, int Step) {
  TacPulsTimer* T = PulseOf(Data);
  if (!Alive(T, Data) || T->StepCount <= 0 || !HasVisibleRegion(Data->OwnerControl)) return false;
  TsSkinManager* Manager = Data->GetSkinManager();
  if (Manager && Manager->ReceivingSkin()) return true;
  try {
    StartClickEffect(Data, 1);
  } catch (...) {
    // A wave that cannot start waits for the next beat.
  }
  return true;
}

void StopPulse(TsCommonData* Data) {
  if (!Data) return;
  TacThreadedTimer* Pulse = Data->PulseTimer;
  TacThreadedTimer* Click = Data->ClickTimer;
  TControl* Control = Data->OwnerControl;
  const bool Own = PulseOf(Data) && PulseOf(Data)->OwnData.get() == Data;
  Data->PulseTimer = nullptr;
  Data->ClickTimer = nullptr;
  if (Click && !Click->Destroying()) delete Click;
  if (!Own) {
    Data->StopFading();
    Data->BGChanged = true;
  }
  // A private state goes with its pulse: Data is not touched after this.
  if (Pulse && !Pulse->Destroying()) delete Pulse;
  if (Own && Control && !Control->Destroying()) {
    Control->Invalidate();
    Control->Update();
    return;
  }
  if (!Own) Data->Invalidate(true);
}

void RedrawPulseFrame(TsCommonData* Data) {
  TacPulsTimer* T = PulseOf(Data);
  if (!T || !T->Enabled() || !T->FrameImage || !Data->OwnerControl) return;
  const TacPulseParams Params{int32_t(T->PulseColor), T->PulseInterval, T->PulseMode};
  TControl* Control = Data->OwnerControl;
  StopPulse(Data);
  StartPulse(Control, Params);
}

int PrivatePulseCount() { return int(PrivatePulses().size()); }

TsCommonData* PrivatePulseData(TControl* Control) {
  for (TacPulsTimer* P : PrivatePulses())
    if (P->OwnData && P->OwnData->OwnerControl == Control) return P->OwnData.get();
  return nullptr;
}
