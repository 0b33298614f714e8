#pragma once
// TacThreadedTimer: the timer every animation of the skin engine runs on.
// Despite the name it makes no thread: its ticks are window-message timer
// ticks on the GUI thread. Besides a plain OnTimer it drives a stepped
// animation, a level from 0 to 255 walked in a few steps, calling a step
// procedure on the skin state being animated once per tick.
#include "framework/Bitmap.h"
#include "framework/Thread.h"
#include "framework/Timer.h"

#include <memory>

class TsCommonData;
class TControl;

// Answers False to end the run.
using TacStepProc = bool (*)(TsCommonData* Data, int Step);

class TacThreadedTimer : public TComponent {
 public:
  explicit TacThreadedTimer(TComponent* AOwner);
  // A timer animating AOwner: starts disabled; with AutoTick each tick runs
  // TimeHandler.
  TacThreadedTimer(TComponent* AOwner, bool AutoTick);
  ~TacThreadedTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  UINT Interval() const { return FInterval; }
  void SetInterval(UINT Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority Value);
  TTimer* InnerTimer() const { return FInnerTimer; }

  // Kind 0 fades in, 1 fades out, 2 runs on from the frame shown now.
  void StartAnimation(TsCommonData* AData, int StartStep, TacStepProc AStepProc, int Kind, bool Fast);
  // Per-tick work of descendants; the base calls the step procedure
  // without advancing the step.
  virtual void TimeHandler();
  // Captures the images of an effect.
  virtual void PrepareImage() {}
  virtual void StopAnimation() { SetEnabled(false); }
  void UpdateTimer();

  bool InHandler = false;
  bool Busy = false;
  TComponent* AnimatedComponent = nullptr;
  double Level = 0.0;
  double StartLevel = 0.0;
  double GlowStep = 0.0;
  double LevelStep = 0.0;
  // The combo edit's button fades on its own level (FadeStepComboEdit).
  double ButtonLevel = 0.0;
  double ButtonLevelStep = 0.0;
  int State = -1;
  int Step = 0;
  int IntState = -1;
  int OldState = -1;
  int StepCount = 6;
  int AnimMode = 0;
  std::unique_ptr<TBitmap> TargetImage;
  std::unique_ptr<TBitmap> FrameImage;
  std::unique_ptr<TBitmap> SourceImage;
  RECT EffectRect{};
  // The click circle's radius and centre; kept across the runs of one press.
  double Radius = 0.0;
  POINT Centre{};
  TsCommonData* Data = nullptr;
  TControl* EffectControl = nullptr;
  TacStepProc StepProc = nullptr;

 private:
  void CreateTimer();
  void FreeTimer();
  void InternalTimerEvent();
  void DoTick();
  bool FEnabled = false;
  UINT FInterval = 0;
  TNotifyEvent FOnTimer;
  TTimer* FInnerTimer = nullptr;
  TThreadPriority FThreadPriority = tpNormal;
};

// With a timer: the steps its run still has to go. Without: makes one owned
// by Owner (at level 255 unless KeepLevel) and answers 0.
int PrepareAnimTimer(TacThreadedTimer*& Timer, TControl* Owner, bool KeepLevel);
// Image becomes a 32-bit copy of R of Source (made or resized to R's size).
void CopyToImage(std::unique_ptr<TBitmap>& Image, TBitmap& Source, const RECT& R);
