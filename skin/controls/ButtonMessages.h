#pragma once
// What the skinned push and bit buttons do alike while skinned: the pressed
// look from mouse-down to mouse-up (animated both ways, with the click
// circle where the manager asks for it), the hot look on mouse enter and
// leave, focus and text changes with the redraw held off, and their own
// painting messages. Each button is a host the handling asks for its parts.
#include "framework/WinControl.h"
#include "skin/effects/AnimationAllowed.h"
#include "skin/state/CtrlSkinData.h"

class TacButtonHost {
 public:
  virtual ~TacButtonHost() = default;
  virtual TWinControl& HostControl() = 0;
  virtual TsCtrlSkinData& HostData() = 0;
  // The framework button's handling of a message.
  virtual void HostInherited(TMessage& Message) = 0;
  // The system button's alone.
  virtual void HostDefault(TMessage& Message) = 0;
  virtual void HostPaint(HDC DC) = 0;
  virtual bool HostBuildCache() = 0;
  // The default button's look shown again.
  virtual void HostReapplyStyle() = 0;
  virtual void HostMouseEnter() = 0;
  virtual void HostMouseLeave() = 0;
  virtual bool ButtonDown() const = 0;
  virtual TacAnimatEvents ButtonAnimatEvents() const = 0;

  // A press began on the skinned button and was not released yet.
  bool PressedByMouse = false;
  // Guards the focus handling against the focus moving again inside it.
  bool InFocusChange = false;
};

// True: the message is finished.
bool HandleSkinnedButtonMessage(TacButtonHost& H, TMessage& Message);
// Paint state 2 when the window reports the pushed state (or the forced
// pressed paint runs) while the mouse is over it, the press came from the
// keyboard, or the manager shows no hover; -1 otherwise.
int PushedButtonState(TWinControl& Control, TsCommonData& Data);
// The manager's click effect is the circle (alone or with the wave).
bool ButtonCircleEffects(TsCommonData& Data);
// The wave that runs on Click when the manager's click effect is the wave.
void StartButtonClickWave(TsCommonData& Data, TacAnimatEvents Events);
