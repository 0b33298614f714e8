#include "framework/Panel.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) { StoreBounds(0, 0, 185, 41); }

void TPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.WinClassName = L"KelvraPanel";
  p.Style |= WS_CLIPCHILDREN;
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPanel::SetBevelOuter(TBevelCut v) {
  if (FBevelOuter == v) return;
  FBevelOuter = v;
  FrameChanged();
}

void TPanel::SetBevelInner(TBevelCut v) {
  if (FBevelInner == v) return;
  FBevelInner = v;
  FrameChanged();
}

void TPanel::SetBevelWidth(int v) {
  if (v < 1) v = 1;
  if (FBevelWidth == v) return;
  FBevelWidth = v;
  FrameChanged();
}

void TPanel::SetBorderWidth(int v) {
  if (v < 0) v = 0;
  if (FBorderWidth == v) return;
  FBorderWidth = v;
  FrameChanged();
}

void TPanel::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Invalidate();
}

void TPanel::FrameChanged() {
  Realign();
  Invalidate();
}

RECT TPanel::CaptionRect() const {
  RECT r = ClientRect();
  int inset = FBorderWidth;
  if (FBevelOuter != TBevelCut::bvNone) inset += FBevelWidth;
  if (FBevelInner != TBevelCut::bvNone) inset += FBevelWidth;
  InflateRect(&r, -inset, -inset);
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void TPanel::AlignControls(RECT& rect) {
  RECT inner = CaptionRect();
  rect = inner;
  TCustomControl::AlignControls(rect);
}

static void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == TBevelCut::bvNone) return;
  for (int i = 0; i < width; ++i) {
    if (cut == TBevelCut::bvSpace)
      InflateRect(&r, -1, -1);
    else
      DrawEdge(dc, &r, cut == TBevelCut::bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  }
}

void TPanel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  DrawBevel(canvas.Handle(), r, FBevelOuter, FBevelWidth);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  DrawBevel(canvas.Handle(), r, FBevelInner, FBevelWidth);
  if (!FShowCaption || FText.empty()) return;
  static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas.DrawText(FText, r, kAlign[static_cast<int>(FAlignment)] | DT_VCENTER | DT_SINGLELINE);
}
