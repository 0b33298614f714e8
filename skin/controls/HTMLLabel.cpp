#include "skin/controls/HTMLLabel.h"

#include "framework/Application.h"
#include "skin/controls/LinkTarget.h"
#include "skin/forms/CaptionText.h"
#include "skin/graphics/Bitmap32.h"

#include <shellapi.h>

void TsHTMLLabel::SetUseHTML(bool Value) {
  if (FUseHTML == Value) return;
  FUseHTML = Value;
  AdjustBounds();
  Invalidate();
}

void TsHTMLLabel::SetFitToWidth(bool Value) {
  if (FFitToWidth == Value) return;
  FFitToWidth = Value;
  if (!Loading() && AutoSize()) AdjustBounds();
}

String TsHTMLLabel::PlainCaption() const { return StripTags(Caption(), false); }

void TsHTMLLabel::DoDrawText(TCanvas& Canvas, RECT& R, UINT Flags) {
  if (!FUseHTML || Caption().empty()) {
    TsLabel::DoDrawText(Canvas, R, Flags);
    return;
  }
  const bool Measure = Flags & DT_CALCRECT;
  auto Bmp = NewBitmap32(std::max(1, Width()), std::max(1, Height()));
  const HDC DC = Bmp->DC();
  TSelectObject Font(DC, TextFont().Handle());
  SetTextColor(DC, ColorToRGB(TextColor()));
  SetBkMode(DC, TRANSPARENT);
  TsHtml Html;
  Html.SkinManager = SkinManager();
  Html.TranspMode = TranspMode();
  RECT Area = R;
  if (Measure) {
    if (AutoSize() && !FFitToWidth) {
      const bool Stretched = Align() == TAlign::alTop || Align() == TAlign::alBottom || Align() == TAlign::alClient;
      Area.right = Area.left + (Stretched ? Width() : 65535);
    } else if (Area.right <= Area.left) {
      Area.right = Area.left + Width();
    }
    Html.Init(DC, Bmp.get(), Caption(), Area, FHotLink, FPressedLink);
    TacLinks Links;
    RECT Size{};
    Html.Render(Links, true, Size);
    R = RECT{R.left, R.top, R.left + Size.right, R.top + Size.bottom};
    return;
  }
  Html.Alignment = Alignment();
  Html.BiDiMode = BiDiMode();
  Html.Init(DC, Bmp.get(), Caption(), Area, FHotLink, FPressedLink);
  BitBlt(DC, 0, 0, Width(), Height(), Canvas.Handle(), 0, 0, SRCCOPY);
  RECT Size{};
  // The drawing pass's links are where the words are, whatever the alignment.
  Html.Render(FLinks, false, Size);
  BitBlt(Canvas.Handle(), 0, 0, Width(), Height(), DC, 0, 0, SRCCOPY);
}

int TsHTMLLabel::LinkAt(POINT P) const {
  for (const TacLink& Link : FLinks)
    if (PtInRect(&Link.Rect, P)) return Link.Number;
  return -1;
}

void TsHTMLLabel::SetHot(int Number) {
  if (Number == FHotLink) return;
  FHotLink = Number;
  SetCursor(Number >= 0 ? crHandPoint : crDefault);
  Repaint();
}

void TsHTMLLabel::ResetLinks() {
  if (FHotLink < 0 && FPressedLink < 0) return;
  FHotLink = FPressedLink = -1;
  SetCursor(crDefault);
  Repaint();
}

void TsHTMLLabel::LinkClick(int Number) {
  String Link;
  for (const TacLink& L : FLinks)
    if (L.Number == Number) {
      Link = L.Text;
      break;
    }
  bool DefaultAction = true;
  if (OnLinkClick) OnLinkClick(this, Link, DefaultAction);
  if (!Link.empty() && DefaultAction && IsShellLinkTarget(Link)) OpenLink(Link);
}

void TsHTMLLabel::OpenLink(const String& Target) {
  ShellExecuteW(Application ? Application->Handle() : nullptr, L"open", Target.c_str(), nullptr, nullptr,
                static_cast<int>(FShowMode));
}

void TsHTMLLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      TsLabel::WndProc(Message);
      SetHot(LinkAt(POINT{LParamX(Message.LParam), LParamY(Message.LParam)}));
      return;
    }
    case WM_LBUTTONDOWN:
      TsLabel::WndProc(Message);
      if (FHotLink >= 0) {
        FPressedLink = FHotLink;
        Repaint();
      }
      return;
    case WM_LBUTTONUP:
      TsLabel::WndProc(Message);
      if (FPressedLink >= 0 && !FClicking) {
        FClicking = true;
        const int Pressed = FPressedLink;
        if (LinkAt(POINT{LParamX(Message.LParam), LParamY(Message.LParam)}) == Pressed) LinkClick(Pressed);
        FPressedLink = -1;
        FClicking = false;
        Repaint();
      }
      return;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      TsLabel::WndProc(Message);
      ResetLinks();
      return;
  }
  TsLabel::WndProc(Message);
}
