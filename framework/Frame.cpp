#include "framework/Frame.h"

TCustomFrame::TCustomFrame(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  StoreBounds(0, 0, 320, 240);
}

TCustomFrame::~TCustomFrame() { DestroyHandle(); }
