#include "framework/Graphics.h"

#include <cmath>

#include "framework/Graphic.h"

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

TFont::TFont() : FName(L"MS Sans Serif"), FHeight(-11) {}

TFont::~TFont() = default;

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::ShapeChanged() {
  FHandle.Reset();
  ++FShapeVersion;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (SameAs(other)) return;
  const bool sameShape = FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
                         FCharset == other.FCharset && FOrientation == other.FOrientation;
  FName = other.FName;
  FHeight = other.FHeight;
  FStyle = other.FStyle;
  FColor = other.FColor;
  FCharset = other.FCharset;
  FOrientation = other.FOrientation;
  if (sameShape)
    Changed();
  else
    ShapeChanged();
}

bool TFont::SameAs(const TFont& other) const {
  return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle && FColor == other.FColor &&
         FCharset == other.FCharset && FOrientation == other.FOrientation;
}

void TFont::SetName(const String& name) {
  if (name != FName) {
    FName = name;
    ShapeChanged();
  }
}
void TFont::SetHeight(int height) {
  if (height != FHeight) {
    FHeight = height;
    ShapeChanged();
  }
}
int TFont::Size() const { return -MulDiv(FHeight, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }
void TFont::SetStyle(TFontStyles style) {
  if (style != FStyle) {
    FStyle = style;
    ShapeChanged();
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
    ShapeChanged();
  }
}
void TFont::SetOrientation(int tenths) {
  if (tenths != FOrientation) {
    FOrientation = tenths;
    ShapeChanged();
  }
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
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

void TPen::SetColor(TColor color) {
  if (color != FColor) {
    FColor = color;
    Changed();
  }
}
void TPen::SetWidth(int width) {
  if (width != FWidth) {
    FWidth = width;
    Changed();
  }
}
void TPen::SetStyle(TPenStyle style) {
  if (style != FStyle) {
    FStyle = style;
    Changed();
  }
}
void TPen::Assign(const TPen& other) {
  FColor = other.FColor;
  FWidth = other.FWidth;
  FStyle = other.FStyle;
  Changed();
}

HPEN TPen::Handle() const {
  if (FStyle == TPenStyle::psClear) return static_cast<HPEN>(GetStockObject(NULL_PEN));
  if (!FHandle) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle.Reset(CreatePen(kStyles[static_cast<int>(FStyle)], FWidth, ColorToRGB(FColor)));
  }
  return FHandle.get();
}

void TBrush::SetColor(TColor color) {
  if (color != FColor) FHandle.Reset();
  FColor = color;
  FStyle = TBrushStyle::bsSolid;
}
void TBrush::SetStyle(TBrushStyle style) { FStyle = style; }
void TBrush::Assign(const TBrush& other) {
  if (other.FColor != FColor) FHandle.Reset();
  FColor = other.FColor;
  FStyle = other.FStyle;
}

HBRUSH TBrush::Handle() const {
  if (FStyle == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!FHandle) FHandle.Reset(CreateSolidBrush(ColorToRGB(FColor)));
  return FHandle.get();
}

TCanvas::TCanvas() { InitializeCriticalSection(&FLock); }

TCanvas::TCanvas(HDC dc) : FHandle(dc) { InitializeCriticalSection(&FLock); }

TCanvas::~TCanvas() { DeleteCriticalSection(&FLock); }

HDC TCanvas::Handle() {
  NeedHandle();
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FHandle) return;
  FreeHandle();
  FHandle = dc;
}

void TCanvas::Lock() {
  EnterCriticalSection(&FLock);
  ++FLockCount;
}

bool TCanvas::TryLock() {
  if (!TryEnterCriticalSection(&FLock)) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Unlock() {
  --FLockCount;
  LeaveCriticalSection(&FLock);
}

void TCanvas::FillRect(const RECT& r) {
  if (FBrush.Style() == TBrushStyle::bsClear) return;
  ::FillRect(Handle(), &r, FBrush.Handle());
}

void TCanvas::FrameRect(const RECT& r) { ::FrameRect(Handle(), &r, FBrush.Handle()); }

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  HDC dc = Handle();
  TSelectObject pen(dc, FPen.Handle());
  TSelectObject brush(dc, FBrush.Handle());
  ::Rectangle(dc, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  HDC dc = Handle();
  TSelectObject pen(dc, FPen.Handle());
  TSelectObject brush(dc, FBrush.Handle());
  ::RoundRect(dc, x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  HDC dc = Handle();
  TSelectObject pen(dc, FPen.Handle());
  TSelectObject brush(dc, FBrush.Handle());
  ::Ellipse(dc, x1, y1, x2, y2);
}

void TCanvas::Polygon(const POINT* points, int count) {
  HDC dc = Handle();
  TSelectObject pen(dc, FPen.Handle());
  TSelectObject brush(dc, FBrush.Handle());
  ::Polygon(dc, points, count);
}

void TCanvas::Polyline(const POINT* points, int count) {
  HDC dc = Handle();
  TSelectObject pen(dc, FPen.Handle());
  ::Polyline(dc, points, count);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  HDC dc = Handle();
  TSelectObject pen(dc, FPen.Handle());
  ::LineTo(dc, x, y);
}

POINT TCanvas::PenPos() {
  POINT p{};
  GetCurrentPositionEx(Handle(), &p);
  return p;
}

TColor TCanvas::Pixels(int x, int y) { return static_cast<TColor>(GetPixel(Handle(), x, y)); }

void TCanvas::SetPixels(int x, int y, TColor color) { SetPixelV(Handle(), x, y, ColorToRGB(color)); }

void TCanvas::TextOut(int x, int y, const String& text) {
  HDC dc = Handle();
  TSelectObject font(dc, FFont.Handle());
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  if (FBrush.Style() == TBrushStyle::bsClear) {
    SetBkMode(dc, TRANSPARENT);
  } else {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(FBrush.Color()));
  }
  ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const String& text) {
  HDC dc = Handle();
  TSelectObject font(dc, FFont.Handle());
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  UINT options = ETO_CLIPPED;
  if (FBrush.Style() == TBrushStyle::bsClear) {
    SetBkMode(dc, TRANSPARENT);
  } else {
    options |= ETO_OPAQUE;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(FBrush.Color()));
  }
  ExtTextOutW(dc, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const String& text) {
  HDC dc = Handle();
  TSelectObject font(dc, FFont.Handle());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

int TCanvas::DrawText(const String& text, RECT& r, UINT format) {
  HDC dc = Handle();
  TSelectObject font(dc, FFont.Handle());
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  SetBkMode(dc, TRANSPARENT);
  return ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void TCanvas::Draw(int x, int y, HBITMAP bitmap, int width, int height) {
  HDC dc = Handle();
  const TMemoryDC src = TMemoryDC::CompatibleWith(dc);
  TSelectObject select(src.get(), bitmap);
  BitBlt(dc, x, y, width, height, src.get(), 0, 0, SRCCOPY);
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, RECT{x, y, x + graphic.Width(), y + graphic.Height()});
}

void TCanvas::StretchDraw(const RECT& r, TGraphic& graphic) {
  if (!graphic.Empty()) graphic.Draw(*this, r);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  StretchBlt(Handle(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top,
             SRCCOPY);
}
