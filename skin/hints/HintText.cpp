#include "skin/hints/HintText.h"

#include "skin/painting/HtmlText.h"

int DrawHintText(TCanvas& Canvas, const String& Text, RECT& R, UINT Flags, bool HTMLMode) {
  if (!HTMLMode || Text.empty()) return Canvas.DrawText(Text, R, Flags);
  const HDC DC = Canvas.Handle();
  TSelectObject Font(DC, Canvas.Font().Handle());
  SetTextColor(DC, ColorToRGB(Canvas.Font().Color()));
  TsHtml Html;
  if (Flags & DT_CENTER) Html.Alignment = TAlignment::taCenter;
  if (Flags & DT_RIGHT) Html.Alignment = TAlignment::taRightJustify;
  Html.Init(DC, nullptr, Text, R);
  TacLinks Links;
  RECT Size{};
  Html.Render(Links, (Flags & DT_CALCRECT) != 0, Size);
  if (Flags & DT_CALCRECT) R = RECT{R.left, R.top, R.left + Size.right, R.top + Size.bottom};
  return Size.bottom;
}
