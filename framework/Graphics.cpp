#include "framework/Graphics.h"

#include <cmath>

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

TFont::TFont() : FName(L"MS Sans Serif"), FHeight(-11) {}

TFont::~TFont() = default;

void TFont::Changed() {
  FHandle.Reset();
  if (OnChange) OnChange(this);
}

void TFont::Assign(const TFont& other) {
  if (SameAs(other)) return;
  FName = other.FName;
  FHeight = other.FHeight;
  FStyle = other.FStyle;
  FColor = other.FColor;
  FCharset = other.FCharset;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle && FColor == other.FColor &&
         FCharset == other.FCharset;
}

void TFont::SetName(const String& name) {
  if (name != FName) {
    FName = name;
    Changed();
  }
}
void TFont::SetHeight(int height) {
  if (height != FHeight) {
    FHeight = height;
    Changed();
  }
}
int TFont::Size() const { return -MulDiv(FHeight, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }
void TFont::SetStyle(TFontStyles style) {
  if (style != FStyle) {
    FStyle = style;
    Changed();
  }
}
void TFont::SetColor(TColor color) {
  if (color != FColor) {
    FColor = color;
    Changed();
  }
}
void TFont::SetCharset(BYTE charset) {
  if (charset != FCharset) {
    FCharset = charset;
    Changed();
  }
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & fsItalic) != 0;
    lf.lfUnderline = (FStyle & fsUnderline) != 0;
    lf.lfStrikeOut = (FStyle & fsStrikeOut) != 0;
    lf.lfCharSet = FCharset;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
    FHandle.Reset(CreateFontIndirectW(&lf));
  }
  return FHandle.get();
}

void TCanvas::FillRect(const RECT& r) {
  if (FBrushStyle == TBrushStyle::bsClear) return;
  const TOwnedBrush brush(CreateSolidBrush(ColorToRGB(FBrushColor)));
  ::FillRect(FHandle, &r, brush.get());
}

void TCanvas::FrameRect(const RECT& r) {
  const TOwnedBrush brush(CreateSolidBrush(ColorToRGB(FBrushColor)));
  ::FrameRect(FHandle, &r, brush.get());
}

void TCanvas::TextOut(int x, int y, const String& text) {
  TSelectObject font(FHandle, FFont.Handle());
  SetTextColor(FHandle, ColorToRGB(FFont.Color()));
  if (FBrushStyle == TBrushStyle::bsClear) {
    SetBkMode(FHandle, TRANSPARENT);
  } else {
    SetBkMode(FHandle, OPAQUE);
    SetBkColor(FHandle, ColorToRGB(FBrushColor));
  }
  ExtTextOutW(FHandle, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const String& text) {
  TSelectObject font(FHandle, FFont.Handle());
  SIZE size{};
  GetTextExtentPoint32W(FHandle, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

int TCanvas::DrawText(const String& text, RECT& r, UINT format) {
  TSelectObject font(FHandle, FFont.Handle());
  SetTextColor(FHandle, ColorToRGB(FFont.Color()));
  SetBkMode(FHandle, TRANSPARENT);
  return ::DrawTextW(FHandle, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(FHandle, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  const TOwnedPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(FPenColor)));
  TSelectObject select(FHandle, pen.get());
  ::LineTo(FHandle, x, y);
}

void TCanvas::Draw(int x, int y, HBITMAP bitmap, int width, int height) {
  const TMemoryDC src(FHandle);
  TSelectObject select(src.get(), bitmap);
  BitBlt(FHandle, x, y, width, height, src.get(), 0, 0, SRCCOPY);
}
