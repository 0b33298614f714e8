#include "skin/state/EditLabel.h"

#include "framework/GdiHandles.h"
#include "skin/painting/HtmlText.h"
#include "skin/state/BoundLabel.h"

TsEditLabel::TsEditLabel(TsBoundLabel* BoundLabel) : TLabel(nullptr), FBoundLabel(BoundLabel) {}

TsEditLabel::~TsEditLabel() {
  Destroying_();
  if (FBoundLabel) FBoundLabel->LabelGone(this);
}

void TsEditLabel::Click() {
  TLabel::Click();
  if (FBoundLabel && FBoundLabel->AllowClick()) FBoundLabel->ClickOwnerControl();
}

void TsEditLabel::DblClick() {
  TLabel::DblClick();
  if (FBoundLabel && FBoundLabel->AllowClick()) FBoundLabel->ClickOwnerControl();
}

void TsEditLabel::SetMaxWidthConstraint(int Value) {
  if (Value == FMaxWidth) return;
  FMaxWidth = Value;
  if (FMaxWidth > 0 && Width() > FMaxWidth) SetBounds(Left(), Top(), FMaxWidth, Height());
}

void TsEditLabel::SetBounds(int left, int top, int width, int height) {
  if (FMaxWidth > 0 && width > FMaxWidth) width = FMaxWidth;
  TLabel::SetBounds(left, top, width, height);
}

void TsEditLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustSize();
}

void TsEditLabel::AdjustSize() {
  if (!AutoSize() || Loading() || Destroying()) return;
  TWindowDC screen;
  TCanvas canvas(screen.get());
  canvas.Font().Assign(Font());
  RECT r{0, 0, WordWrap() ? Width() : 0, 0};
  DoDrawText(canvas, r, DrawFlags() | DT_CALCRECT);
  SetBounds(Left(), Top(), r.right, r.bottom);
}

void TsEditLabel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  if (!Transparent()) {
    canvas.SetBrushColor(Color());
    canvas.FillRect(r);
  }
  if (!Enabled()) canvas.Font().SetColor(clSystemColor | COLOR_GRAYTEXT);
  if (Layout() != TTextLayout::tlTop) {
    RECT need = r;
    DoDrawText(canvas, need, DrawFlags() | DT_CALCRECT);
    int free = (r.bottom - r.top) - (need.bottom - need.top);
    if (Layout() == TTextLayout::tlCenter) free /= 2;
    if (free > 0) r.top += free;
  }
  DoDrawText(canvas, r, DrawFlags());
}

void TsEditLabel::DoDrawText(TCanvas& canvas, RECT& r, UINT flags) {
  if (!FUseHTML || Caption().empty()) {
    TLabel::DoDrawText(canvas, r, flags);
    return;
  }
  const HDC dc = canvas.Handle();
  TSelectObject font(dc, canvas.Font().Handle());
  SetTextColor(dc, ColorToRGB(canvas.Font().Color()));
  TsHtml html;
  html.Alignment = Alignment();
  html.BiDiMode = BiDiMode();
  // Measured unwrapped unless the label breaks its text at its width.
  RECT area = r;
  if ((flags & DT_CALCRECT) && !WordWrap()) area.right = 0;
  html.Init(dc, nullptr, Caption(), area);
  TacLinks links;
  RECT size{};
  html.Render(links, (flags & DT_CALCRECT) != 0, size);
  if (flags & DT_CALCRECT) r = RECT{r.left, r.top, r.left + size.right, r.top + size.bottom};
}
