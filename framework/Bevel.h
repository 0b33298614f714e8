#pragma once
// A bevelled line or frame drawn in the 3-D colours, without a window: a
// separator or a group's outline.
#include "framework/Control.h"

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape v);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle v);

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  TBevelShape FShape = TBevelShape::bsBox;
  TBevelStyle FStyle = TBevelStyle::bsLowered;
};
