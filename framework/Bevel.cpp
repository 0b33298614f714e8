#include "framework/Bevel.h"

namespace {

constexpr TColor kShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor kHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;

void Line(TCanvas& c, TColor color, int x1, int y1, int x2, int y2) {
  c.SetPenColor(color);
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

// A one-pixel rectangle outline, top-left in one colour and bottom-right in
// the other.
void Frame3D(TCanvas& c, RECT r, TColor topLeft, TColor bottomRight) {
  --r.right;
  --r.bottom;
  Line(c, topLeft, r.left, r.bottom, r.left, r.top);
  Line(c, topLeft, r.left, r.top, r.right, r.top);
  Line(c, bottomRight, r.right, r.top, r.right, r.bottom);
  Line(c, bottomRight, r.right, r.bottom, r.left - 1, r.bottom);
}

}  // namespace

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { StoreBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape v) {
  if (v == FShape) return;
  FShape = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  Invalidate();
}

void TBevel::Paint(TCanvas& c) {
  // Lowered: the shadow comes first (top or left), the light after it.
  const TColor first = FStyle == TBevelStyle::bsLowered ? kShadow : kHighlight;
  const TColor second = FStyle == TBevelStyle::bsLowered ? kHighlight : kShadow;
  const int w = FWidth, h = FHeight;
  c.Pen().SetWidth(1);
  switch (FShape) {
    case TBevelShape::bsBox:
      Frame3D(c, RECT{0, 0, w, h}, first, second);
      break;
    case TBevelShape::bsFrame:
      Frame3D(c, RECT{0, 0, w - 1, h - 1}, first, first);
      Frame3D(c, RECT{1, 1, w, h}, second, second);
      break;
    case TBevelShape::bsTopLine:
      Line(c, first, 0, 0, w, 0);
      Line(c, second, 0, 1, w, 1);
      break;
    case TBevelShape::bsBottomLine:
      Line(c, first, 0, h - 2, w, h - 2);
      Line(c, second, 0, h - 1, w, h - 1);
      break;
    case TBevelShape::bsLeftLine:
      Line(c, first, 0, 0, 0, h);
      Line(c, second, 1, 0, 1, h);
      break;
    case TBevelShape::bsRightLine:
      Line(c, first, w - 2, 0, w - 2, h);
      Line(c, second, w - 1, 0, w - 1, h);
      break;
    case TBevelShape::bsSpacer:
      break;
  }
}
