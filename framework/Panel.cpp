#include "framework/Panel.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) { StoreBounds(0, 0, 185, 41); }

void TPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.WinClassName = L"KelvraPanel";
  p.Style |= WS_CLIPCHILDREN;
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

static void DrawBevel(HDC dc, RECT& r, TBevelCut cut) {
  if (cut == TBevelCut::bvNone) return;
  DrawEdge(dc, &r, cut == TBevelCut::bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
}

void TPanel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  DrawBevel(canvas.Handle(), r, FBevelOuter);
  DrawBevel(canvas.Handle(), r, FBevelInner);
  if (FShowCaption && !FText.empty()) canvas.DrawText(FText, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
