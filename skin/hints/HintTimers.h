#pragma once
// The timing of the alpha hints: the hide timer, the cleanup timer that
// tidies up once no hint is visible, the show animation that fades a bubble
// in while it glides from the previous bubble's place, and the carrier forms
// the pictures are shown on. The tests drive the timers' ticks directly.
#include <memory>

#include "framework/Form.h"
#include "skin/state/ThreadedTimer.h"

class TsAlphaHints;
class TacCustomHintWindow;

// The show animation's timer: one step per tick.
class TsShowTimer : public TacThreadedTimer {
 public:
  TsShowTimer();
  ~TsShowTimer() override;

  TacCustomHintWindow* Window = nullptr;
  int StepCount = 0;
  int Steps = 0;
  int AlphaFloor = 0;
  double Increment = 0.0;
  double X = 0.0, Y = 0.0, DX = 0.0, DY = 0.0;
  RECT StartBounds{};

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

constexpr int kHintShowSteps = 20;
constexpr UINT kHintShowInterval = 12;

// A borderless topmost layered form at R that the mouse passes through.
std::unique_ptr<TForm> CreateHintCarrier(TacCustomHintWindow* Window, const RECT& R);

// Interval 0: every 300 ms the hint is hidden once the mouse left the hinted
// control. Otherwise the hint window is released after Interval ms.
void StartHintHideTimer(TsAlphaHints* Hints, UINT Interval);
// The control the hide timer compares with the hinted one; tests replace it.
extern TControl* (*HintMouseControl)();

// After the application's short hint pause + 300 ms: when no hint is
// showing any more the carriers and the last picture go and the hint pause
// is given back.
void StartHintCleanupTimer(TsAlphaHints* Hints);
void HintCleanupTimerTick(TsAlphaHints* Hints);

// Sets up Timer for Window's new picture of Width x Height and starts it;
// Steps 0 shows the final state at the first tick.
void InitHintShowAnimation(TsShowTimer& Timer, TacCustomHintWindow* Window, int Width, int Height,
                           int Steps = kHintShowSteps);
void HintShowAnimationStep(TsShowTimer& Timer);
// Ends the run: the new picture at full strength at the target bounds.
void FinishHintShowAnimation(TsShowTimer& Timer);
// Starts the animation of Window on the active component's show timer.
void StartShowAnimation(TacCustomHintWindow* Window, int Width, int Height);

// A hint window hid.
void HintHidden(TacCustomHintWindow* Window);
