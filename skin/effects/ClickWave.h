#pragma once
// The click wave: a copy of the control grows outward from it and fades on
// a layered window that takes no mouse input and never activates.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "skin/effects/EffectWindow.h"
#include "skin/state/ThreadedTimer.h"

class TsCommonData;

// The layered, click-through window a wave is shown on.
// Mode 0: a soft wave, blurred, growing by 7 pixels a frame; 1: a sharp one
// growing by 2.
class TacClickTimer : public TacThreadedTimer {
 public:
  explicit TacClickTimer(TComponent* AOwner);
  ~TacClickTimer() override;
  // Captures the control as it shows on the screen, without its background.
  void PrepareImage() override;
  // Stops and takes the wave window away.
  void StopAnimation() override;

  uint8_t WaveOpacity = 255;
  uint8_t WaveMode = 0;
  // Where the last frame lies on the screen.
  RECT WaveRect{};
  std::unique_ptr<TacEffectWindow> EffectWindow;
};

// Starts the wave on the owner control of Data (nothing while it loads).
void StartClickEffect(TsCommonData* Data, uint8_t Mode);
bool WaveOutStep(TsCommonData* Data, int Step);

// The screen rectangle of the frame after Prev, centred on Effect.
RECT NextWaveRect(const RECT& Prev, const RECT& Effect, uint8_t Mode);
inline uint8_t NextWaveOpacity(uint8_t Opacity) { return uint8_t(Opacity * 5 / 6); }
