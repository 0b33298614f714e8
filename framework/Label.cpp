#include "framework/Label.h"

#include "framework/GdiHandles.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { StoreBounds(0, 0, 65, 17); }

void TLabel::SetAutoSize(bool v) {
  FAutoSize = v;
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

UINT TLabel::DrawFlags() const {
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
  flags |= FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (FAlignment == TAlignment::taCenter) flags |= DT_CENTER;
  if (FAlignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || Loading()) return;
  TWindowDC screen;
  TCanvas canvas(screen.get());
  canvas.Font().Assign(FFont);
  RECT r{0, 0, FWordWrap ? FWidth : 0, 0};
  String text = FText.empty() ? String(L" ") : FText;
  canvas.DrawText(text, r, DrawFlags() | DT_CALCRECT);
  SetBounds(FLeft, FTop, FWordWrap ? FWidth : r.right, r.bottom);
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  if (!FTransparent) {
    canvas.SetBrushColor(FColor);
    canvas.FillRect(r);
  }
  if (!FEnabled) canvas.Font().SetColor(clSystemColor | COLOR_GRAYTEXT);
  canvas.DrawText(FText, r, DrawFlags());
}
