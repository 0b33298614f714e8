#pragma once
// A container window of our own class with an optional bevel and a caption.
#include "framework/Label.h"  // TAlignment
#include "framework/WinControl.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int v);
  // Space kept free inside the bevels: children align within it and the
  // caption is drawn within it.
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v) {
    FShowCaption = v;
    Invalidate();
  }

  // The client rectangle less BorderWidth and the width of each bevel.
  RECT CaptionRect() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas) override;
  void AlignControls(RECT& rect) override;
  // A change of the frame widths moves the children.
  void FrameChanged();

 private:
  TBevelCut FBevelOuter = TBevelCut::bvRaised;
  TBevelCut FBevelInner = TBevelCut::bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = TAlignment::taCenter;
  bool FShowCaption = true;
};
