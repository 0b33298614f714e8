#include "keyboard/KbTouchKey.h"

#include "framework/GdiHandles.h"
#include "keyboard/KbTouchKeyboard.h"

#include <algorithm>

namespace {

constexpr int kCorner = 10;
constexpr int kLabelMargin = 10;
constexpr int kLabelTop = 5;

COLORREF Scaled(COLORREF c, int num, int den) {
  auto ch = [&](int v) { return static_cast<BYTE>(std::min(255, v * num / den)); };
  return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

String OneCase(const String& s, bool upper) {
  String r = s;
  if (upper)
    CharUpperBuffW(r.data(), static_cast<DWORD>(r.size()));
  else
    CharLowerBuffW(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

}  // namespace

TKbTouchKey::TKbTouchKey(TKbTouchKeyboard* keyboard, TKbTouchKeyItem* item)
    : TGraphicControl(keyboard), FKeyboard(keyboard), FItem(item) {
  SetColor(0xC0C0C0);
}

const TFont& TKbTouchKey::LabelFont() const {
  const bool small = Caption().size() > 1 || !ShiftCaption.empty() || !AltGrCaption.empty();
  return small ? FKeyboard->SmallFont() : FKeyboard->Font();
}

void TKbTouchKey::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      BeginPress();
      TGraphicControl::WndProc(m);
      FinishPress();
      return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      TGraphicControl::WndProc(m);
      FKeyboard->ReleaseKey(FItem->Index());
      return;
  }
  TGraphicControl::WndProc(m);
}

void TKbTouchKey::Paint(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  if (SpecialKey == TSpecialKey::skCaps && FKeyboard->CapsLockMirror()) {
    FShownUp = false;
    FPressCount = 2;
  }
  RECT r{0, 0, Width(), Height()};
  canvas.SetBrushColor(FKeyboard->Color());
  canvas.FillRect(r);

  bool defaultDraw = true;
  if (FKeyboard->OnDrawKey) FKeyboard->OnDrawKey(FKeyboard, FItem, canvas, FPressCount > 1, r, defaultDraw);
  if (!defaultDraw) return;

  const bool down = !FShownUp;
  const bool pictures = !PictureDownState.Empty() || !FKeyboard->PictureDownState().Empty();
  const TPicture* picture = nullptr;
  if (pictures) {
    if (down)
      picture = PictureDownState.Empty() ? &FKeyboard->PictureDownState() : &PictureDownState;
    else
      picture = PictureDownState.Empty() ? &FKeyboard->PictureNormalState() : &PictureNormalState;
  }
  if (picture && !picture->Empty())
    PaintPicture(dc, *picture);
  else
    PaintFace(dc, down);

  const int d = FKeyboard->KeyDistance();
  const int cx = Width() / 2 + d / 2;
  const int cy = Height() / 2 + d / 2;
  if (ImageIndex >= 0 && FKeyboard->Images()) {
    int iw = 0, ih = 0;
    ImageList_GetIconSize(FKeyboard->Images(), &iw, &ih);
    ImageList_Draw(FKeyboard->Images(), ImageIndex, dc, cx - iw / 2, cy - ih / 2, ILD_TRANSPARENT);
    return;
  }
  (void)cx;
  PaintLabel(canvas, down);
}

void TKbTouchKey::PaintFace(HDC dc, bool down) {
  const int d = FKeyboard->KeyDistance();
  const int w = Width(), h = Height();
  const COLORREF face = ColorToRGB(down ? ColorDown : Color());
  {
    const TOwnedBrush brush(CreateSolidBrush(face));
    const TOwnedPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(down ? BorderColorDown : BorderColor)));
    TSelectObject b(dc, brush.get());
    TSelectObject p(dc, pen.get());
    RoundRect(dc, d, d, w, h, kCorner, kCorner);
  }
  if (down) return;
  const COLORREF light = Scaled(face, 2, 1);
  const COLORREF dark = Scaled(face, 1, 2);
  {
    const TOwnedPen pen(CreatePen(PS_SOLID, 1, light));
    TSelectObject p(dc, pen.get());
    Line(dc, d + 1, d + 4, d + 1, h - 4);
    Line(dc, d + 4, d + 1, w - 4, d + 1);
    SetPixel(dc, d + 2, d + 2, light);
    SetPixel(dc, d + 3, d + 2, light);
    SetPixel(dc, d + 2, d + 3, light);
  }
  {
    const TOwnedPen pen(CreatePen(PS_SOLID, 1, dark));
    TSelectObject p(dc, pen.get());
    Line(dc, d + 4, h - 2, w - 4, h - 2);
    Line(dc, w - 2, d + 4, w - 2, h - 4);
    SetPixel(dc, w - 3, h - 3, dark);
    SetPixel(dc, w - 3, h - 4, dark);
    SetPixel(dc, w - 4, h - 3, dark);
  }
}

// The picture's top-left pixel is its transparent colour. A smaller picture
// keeps its outer halves and stretches the two-pixel band between them.
void TKbTouchKey::PaintPicture(HDC dc, const TPicture& picture) {
  const int w = Width(), h = Height();
  const int pw = picture.Width(), ph = picture.Height();
  const TMemoryDC srcDC = TMemoryDC::CompatibleWith(dc);
  const HDC src = srcDC.get();
  TSelectObject s(src, picture.Bitmap());
  const COLORREF key = GetPixel(src, 0, 0);
  const TMemoryDC workDC = TMemoryDC::CompatibleWith(dc);
  const HDC work = workDC.get();
  const TOwnedBitmap canvas(CreateCompatibleBitmap(dc, w, h));
  TSelectObject c(work, canvas.get());
  if (pw >= w && ph >= h) {
    BitBlt(work, 0, 0, w, h, src, 0, 0, SRCCOPY);
  } else {
    const int lw = std::max(0, (pw - 2) / 2), rw = std::max(0, pw - lw - 2);
    const int th = std::max(0, (ph - 2) / 2), bh = std::max(0, ph - th - 2);
    const int sx[3] = {0, lw, lw + 2}, sw[3] = {lw, std::min(2, pw), rw};
    const int dx[3] = {0, lw, w - rw}, dw[3] = {lw, std::max(0, w - lw - rw), rw};
    const int sy[3] = {0, th, th + 2}, sh[3] = {th, std::min(2, ph), bh};
    const int dy[3] = {0, th, h - bh}, dh[3] = {th, std::max(0, h - th - bh), bh};
    SetStretchBltMode(work, COLORONCOLOR);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        if (sw[i] > 0 && sh[j] > 0 && dw[i] > 0 && dh[j] > 0)
          StretchBlt(work, dx[i], dy[j], dw[i], dh[j], src, sx[i], sy[j], sw[i], sh[j], SRCCOPY);
  }
  TransparentBlt(dc, 0, 0, w, h, work, 0, 0, w, h, key);
}

void TKbTouchKey::PaintLabel(TCanvas& canvas, bool down) {
  HDC dc = canvas.Handle();
  const int d = FKeyboard->KeyDistance();
  const int w = Width(), h = Height();
  const int shift = down ? 1 : 0;
  const TShiftState state = FKeyboard->ShiftState();
  const bool altGr = (state & (ssCtrl | ssAlt)) == (ssCtrl | ssAlt);
  const bool upper = ((state & ssShift) || FKeyboard->CapsLockMirror()) && !altGr;
  const COLORREF textColor = ColorToRGB(down ? TextColorDown : TextColor);

  canvas.Font().Assign(LabelFont());
  TSelectObject font(dc, canvas.Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColor);

  String caption = Caption();
  if (FKeyboard->AutoCapsDisplay() && caption.size() == 1) caption = OneCase(caption, upper);

  auto extent = [&](const String& s) {
    SIZE sz{};
    GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    return sz;
  };
  auto out = [&](int x, int y, const String& s) {
    TextOutW(dc, x + shift, y + shift, s.c_str(), static_cast<int>(s.size()));
  };

  if (!ShiftCaption.empty()) {
    out(kLabelMargin, h - kLabelTop - extent(L"gh").cy, caption);
    if (upper && FKeyboard->HighlightCaps() != clNone) SetTextColor(dc, ColorToRGB(FKeyboard->HighlightCaps()));
    out(kLabelMargin, kLabelTop, ShiftCaption);
  } else {
    const SIZE sz = extent(caption);
    out(w / 2 + d / 2 - sz.cx / 2, h / 2 + d / 2 - sz.cy / 2, caption);
  }

  const bool highlightAltGr = FKeyboard->HighlightAltGr() != clNone && altGr;
  SetTextColor(dc, highlightAltGr ? ColorToRGB(FKeyboard->HighlightAltGr()) : textColor);
  if (!AltGrCaption.empty()) {
    const SIZE z = extent(L"Z");
    out(w - kLabelMargin - z.cx, h - kLabelTop - z.cy, AltGrCaption);
  }
}
