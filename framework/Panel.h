#pragma once
// A container window of our own class with an optional bevel.
#include "framework/WinControl.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v) {
    FBevelOuter = v;
    Invalidate();
  }
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v) {
    FBevelInner = v;
    Invalidate();
  }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v) {
    FShowCaption = v;
    Invalidate();
  }

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas) override;

 private:
  TBevelCut FBevelOuter = TBevelCut::bvRaised;
  TBevelCut FBevelInner = TBevelCut::bvNone;
  bool FShowCaption = true;
};
