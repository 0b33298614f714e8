#pragma once
// A frame: a reusable group of controls placed on forms as one control.
#include "framework/WinControl.h"

class TCustomFrame : public TCustomControl {
 public:
  explicit TCustomFrame(TComponent* owner);
  // The window goes while the frame is still whole, so that whoever hooked
  // its WindowProc sees WM_DESTROY.
  ~TCustomFrame() override;
};

class TFrame : public TCustomFrame {
 public:
  using TCustomFrame::TCustomFrame;
};
