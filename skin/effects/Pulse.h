#pragma once
// The pulse: a control calls attention to itself until it is stopped, by
// fading between its picture and a tinted one, by shaking sideways, or by
// sending out a click wave again and again.
#include <cstdint>
#include <memory>

#include "framework/Graphics.h"
#include "skin/state/ThreadedTimer.h"

class TControl;
class TsCommonData;

enum TacPulseMode : uint8_t { pmFade, pmShake, pmWave };

// As the callers pass them: colour, interval, mode (its low byte counts).
struct TacPulseParams {
  int32_t Color = 0;
  int32_t Interval = 0;
  int32_t Mode = 0;
};

class TacPulsTimer : public TacThreadedTimer {
 public:
  explicit TacPulsTimer(TComponent* AOwner);
  ~TacPulsTimer() override;
  // Captures the pictures the pulse blends (nothing to capture to shake).
  void PrepareImage() override;

  int ShakeStep = 1;
  bool ShakeBusy = false;
  bool SkipTick = false;
  TsCommonData* PulseData = nullptr;
  TColor PulseColor = 0;
  // Milliseconds; 0 keeps the timer's pace.
  int PulseInterval = 0;
  uint8_t PulseMode = pmFade;
  // The skin state made for a control that has none.
  std::unique_ptr<TsCommonData> OwnData;
};

void StartPulse(TControl* Control, const TacPulseParams& Params);
void StopPulse(TsCommonData* Data);
// Starts a running pulse again with its parameters, after a skin change.
void RedrawPulseFrame(TsCommonData* Data);

bool PulseTick(TsCommonData* Data, int Step);
bool PulseBlendStep(TsCommonData* Data, int Step);
bool PulseShakeStep(TsCommonData* Data, int Step);
bool PulseClickStep(TsCommonData* Data, int Step);

// The pulses of controls without a skin state that are alive now.
int PrivatePulseCount();
// The skin state a pulse made for Control, which has none; nil without.
TsCommonData* PrivatePulseData(TControl* Control);
