#include "skin/state/ThreadedTimer.h"

#include <algorithm>
#include <cmath>

#include "framework/Application.h"
#include "framework/Control.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/state/CommonData.h"

namespace {

// To the nearest integer, halves to even.
int RoundEven(double Value) { return int(std::nearbyint(Value)); }

}  // namespace

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner) : TComponent(AOwner) {
  if (Application && Application->Terminated()) return;
  FEnabled = true;
  FInterval = 1000;
  CreateTimer();
}

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner, bool AutoTick) : TacThreadedTimer(AOwner) {
  SetEnabled(false);
  AnimatedComponent = AOwner;
  if (AutoTick) SetOnTimer([this](TObject*) { TimeHandler(); });
}

TacThreadedTimer::~TacThreadedTimer() {
  StopAnimation();
  // The skin state must not keep the address of a timer that is gone.
  if (Data)
    for (TacThreadedTimer** Slot : {&Data->FadeTimer, &Data->PulseTimer, &Data->ClickTimer, &Data->EffectTimer})
      if (*Slot == this) *Slot = nullptr;
  Destroying_();
  FreeTimer();
}

void TacThreadedTimer::CreateTimer() {
  FInnerTimer = new TTimer(this);
  FInnerTimer->SetInterval(FInterval);
  FInnerTimer->OnTimer = [this](TObject*) { InternalTimerEvent(); };
  UpdateTimer();
}

void TacThreadedTimer::FreeTimer() {
  if (!FInnerTimer) return;
  FInnerTimer->SetEnabled(false);
  delete FInnerTimer;
  FInnerTimer = nullptr;
}

void TacThreadedTimer::UpdateTimer() {
  if (!FInnerTimer) return;
  FInnerTimer->SetEnabled(false);
  if (FInterval != 0 && FEnabled && (FOnTimer || StepProc)) FInnerTimer->SetEnabled(true);
}

void TacThreadedTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TacThreadedTimer::SetInterval(UINT Value) {
  FInterval = Value;
  if (!FInnerTimer) return;
  FInnerTimer->SetInterval(Value);
  UpdateTimer();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority Value) {
  if (Value == FThreadPriority) return;
  FThreadPriority = Value;
  UpdateTimer();
}

void TacThreadedTimer::StartAnimation(TsCommonData* AData, int StartStep, TacStepProc AStepProc, int Kind, bool Fast) {
  SetEnabled(false);
  Data = AData;
  StartLevel = 0;
  if (!(Level >= 0)) Level = 0;  // also not a number
  if (Level > 255) Level = 255;
  StepCount = Fast ? 3 : 6;
  switch (Kind) {
    case 0:
      StepCount *= 3;
      GlowStep = Level / StepCount;
      break;
    case 2:
      if (StartStep >= StepCount || StartStep == 0) Level = 255;
      GlowStep = Level / StepCount;
      break;
    default:
      StepCount = State < 1 ? RoundEven((255 - Level) * 6 / 255) : 6;
      StepCount = std::max(StepCount, 1);
      GlowStep = (255 - Level) / StepCount;
      break;
  }
  LevelStep = (255 - StartLevel) / StepCount;
  // The combo edit's button comes in over the whole run, from nothing.
  ButtonLevel = 0;
  ButtonLevelStep = 255.0 / StepCount;
  // A run that goes on from the frame on screen starts from a copy of it.
  if ((Kind == 2 || (Kind == 1 && State == 2)) && FrameImage)
    CopyToImage(SourceImage, *FrameImage, RECT{0, 0, FrameImage->Width(), FrameImage->Height()});
  if (Kind == 1 && State < 1)
    Step = RoundEven(Level * 6 / 255);
  else if (Kind == 0 && State == 1)
    Step = Level != 0 ? RoundEven((255 - Level) * StepCount / 255) : 0;
  else
    Step = FrameImage ? 0 : StartStep;
  if (FInterval == 1000) SetInterval(12);
  StepProc = AStepProc;
  OldState = State;
  State = Kind;
  SetEnabled(true);
}

void TacThreadedTimer::InternalTimerEvent() {
  if (!FInnerTimer || !FInnerTimer->Enabled() || Busy || Destroying()) return;
  Busy = true;
  DoTick();
  Busy = false;
}

void TacThreadedTimer::DoTick() {
  if (Destroying() || !FEnabled) return;
  if (!StepProc) {
    if (FOnTimer) FOnTimer(this);
    return;
  }
  ++Step;
  try {
    if (Step > StepCount || !StepProc(Data, Step)) SetEnabled(false);
  } catch (...) {
    // A failing step ends the run quietly; the control paints its state.
    SetEnabled(false);
  }
}

void TacThreadedTimer::TimeHandler() {
  if (!FEnabled || !StepProc || Destroying()) return;
  if (!StepProc(Data, Step)) {
    StopAnimation();
    State = -1;
  }
}

int PrepareAnimTimer(TacThreadedTimer*& Timer, TControl* Owner, bool KeepLevel) {
  if (Timer) return std::max((Timer->State == 0 ? 18 : 6) - Timer->Step, 0);
  Timer = new TacThreadedTimer(Owner);
  if (!KeepLevel) Timer->Level = 255.0;
  return 0;
}

void CopyToImage(std::unique_ptr<TBitmap>& Image, TBitmap& Source, const RECT& R) {
  if (!Image)
    Image = NewBitmap32OfRect(R);
  else
    Image->SetSize(R.right - R.left, R.bottom - R.top);
  BitBlt(Image->DC(), 0, 0, Image->Width(), Image->Height(), Source.DC(), R.left, R.top, SRCCOPY);
}
