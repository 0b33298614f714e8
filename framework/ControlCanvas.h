#pragma once
// TControlCanvas: the canvas of one control. During WM_PAINT the control sets
// it onto the paint DC; outside painting it gets a DC of its own, of the
// control's window, or for a control without a window of its parent's
// window, moved and clipped to the control. That DC is given back when the
// canvas is set onto another DC, when its last Unlock comes, when the
// control moves or its window goes, and at the latest with the canvas.
#include "framework/Graphics.h"

class TControl;

class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : FControl(control) {}
  ~TControlCanvas() override;

  TControl* Control() const { return FControl; }
  void Unlock() override;

 protected:
  void NeedHandle() override;
  void FreeHandle() override;

 private:
  TControl* FControl;
  // The DC this canvas got for itself, with the window and the place of the
  // control it was made for.
  HWND FWindow = nullptr;
  HDC FOwnDC = nullptr;
  RECT FBounds{};
};
