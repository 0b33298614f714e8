#pragma once
// The light circle behind a check box's glyph: a soft round spot while the
// mouse is over it, a ripple that grows and fades while it is pressed.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "skin/effects/LayeredEffects.h"
#include "skin/state/ThreadedTimer.h"

class TsCommonData;

// The animated values of a circle and one tick of them.
struct TacCircleValues {
  double CurRadius = 0;
  double CurOpacity = 0;
  int ToRadius = 0;
  uint8_t EndOpacity = 0;
};
// Moves the radius towards ToRadius (a seventh of what remains while the
// button is down, a fifth after) and the opacity by 5 or 15; answers
// whether the circle still grows. At the end the radius is ToRadius.
bool AdvanceCircle(TacCircleValues& V, bool ButtonDown);

struct TacCircleParams {
  uint8_t Mode = 0;
  TsCommonData* Data = nullptr;
  TacStepProc StepProc = nullptr;
  int ToRadius = 0;
  int FromRadius = 0;
  int CenterX = 0, CenterY = 0;
  int State = 1;       // 1 hot, 2 pressed
  uint32_t Color = 0;  // alpha in the top byte
  uint8_t EndOpacity = 0;
  uint8_t StartAlpha = 0;
};

class TacCircleEffect : public TacLayeredEffect {
 public:
  void Repaint() override;
  bool IsCircle() const override { return true; }
  uint8_t EndOpacity = 0;
  int FromRadius = 0, ToRadius = 0;
  uint32_t LightColor = 0;
  POINT MidPoint{};
  double CurOpacity = 0, CurRadius = 0;
  std::unique_ptr<TBitmap> Backdrop;
  uint8_t GrowMode = 0;
  // What the window shows now: a repaint is skipped when nothing changed.
  int ShownRadius = -1, ShownOpacity = -1;
  POINT ShownPoint{};
  uint32_t ShownColor = 0;
  // The last content shown, for tests and repaints (premultiplied).
  RECT ShownRect{};
};

// The circle's picture: a soft round shape of Radius (falloff Radius div 5)
// in Color, premultiplied; with a backdrop drawn over a copy of it, centred,
// at Opacity. Nil below radius 2.
std::unique_ptr<TBitmap> MakeCircleImage(int Radius, uint32_t Color, TBitmap* Backdrop, uint8_t Opacity);

int ShowCircleEffect(const TacCircleParams& Params);
void SetCircleParams(int Index, const TacCircleParams& Params);
void AnimateCircleEffect(const TacCircleParams& Params, bool Animate);
bool CircleEffectStep(TsCommonData* Data, int Step);
void UpdateCircleEffect(TsCommonData* Data, bool Animate);
// -1 becomes the skin's button text colour with Alpha on top.
void DefaultLightColor(uint32_t& Color, uint8_t Alpha);
// The circle's full radius at the control's density.
int CircleRadius(TsCommonData* Data);
