#pragma once
// A frame: a reusable group of controls placed on forms as one control.
#include "framework/WinControl.h"

class TCustomFrame : public TCustomControl {
 public:
  explicit TCustomFrame(TComponent* owner);
};

class TFrame : public TCustomFrame {
 public:
  using TCustomFrame::TCustomFrame;
};
