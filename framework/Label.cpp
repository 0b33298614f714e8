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
  UINT flags = DT_EXPANDTABS;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
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
  DoDrawText(canvas, r, DrawFlags() | DT_CALCRECT);
  SetBounds(FLeft, FTop, FWordWrap ? FWidth : r.right, r.bottom);
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  if (!FTransparent) {
    canvas.SetBrushColor(FColor);
    canvas.FillRect(r);
  }
  if (FLayout != TTextLayout::tlTop) {
    RECT need = r;
    DoDrawText(canvas, need, DrawFlags() | DT_CALCRECT);
    int spare = (r.bottom - r.top) - (need.bottom - need.top);
    if (FLayout == TTextLayout::tlCenter) spare /= 2;
    if (spare > 0) r.top += spare;
  }
  DoDrawText(canvas, r, DrawFlags());
}

void TLabel::DoDrawText(TCanvas& canvas, RECT& r, UINT flags) {
  String text = FText;
  if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == L"&"))) text += L" ";
  if (!FEnabled) canvas.Font().SetColor(clSystemColor | COLOR_GRAYTEXT);
  canvas.DrawText(text, r, flags);
}

void TLabel::SetLayout(TTextLayout v) {
  if (FLayout == v) return;
  FLayout = v;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
  if (FShowAccelChar == v) return;
  FShowAccelChar = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TControl* v) {
  if (FFocusControl == v) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = v;
  if (v) v->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}
