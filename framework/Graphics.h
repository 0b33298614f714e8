#pragma once
// Colours, fonts and the canvas: thin owners of GDI objects.
#include "framework/GdiHandles.h"
#include "framework/System.h"

#include <windows.h>

#include <functional>

// Red in the low byte; system colours are 0xFF0000nn with nn the COLOR_ index.
using TColor = int32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;

COLORREF ColorToRGB(TColor color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// A logical font; the GDI font is made when first asked for and dropped on change.
class TFont : public TObject {
 public:
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;

  const String& Name() const { return FName; }
  void SetName(const String& name);
  int Height() const { return FHeight; }
  void SetHeight(int height);
  int Size() const;  // points at 96 pixels per inch
  void SetSize(int points);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  BYTE Charset() const { return FCharset; }
  void SetCharset(BYTE charset);
  // Angle of the text line in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int tenths);

  // The GDI font is made of everything but the colour: it stays across a
  // colour change, and this count moves only when it had to be made anew.
  HFONT Handle() const;
  uint32_t ShapeVersion() const { return FShapeVersion; }
  TNotifyEvent OnChange;

 private:
  void Changed();
  void ShapeChanged();
  String FName;
  int FHeight;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  BYTE FCharset = DEFAULT_CHARSET;
  int FOrientation = 0;
  uint32_t FShapeVersion = 0;
  mutable TOwnedFont FHandle;
};

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// A pen for lines and shape outlines; the GDI pen is made when first asked
// for and dropped on change.
class TPen : public TObject {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style);
  void Assign(const TPen& other);
  // The stock null pen for psClear.
  HPEN Handle() const;

 private:
  void Changed() { FHandle.Reset(); }
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = TPenStyle::psSolid;
  mutable TOwnedPen FHandle;
};

// A brush for fills and shape insides, made like the pen.
class TBrush : public TObject {
 public:
  TColor Color() const { return FColor; }
  // Also makes the brush solid: a colour is set to be painted with.
  void SetColor(TColor color);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style);
  void Assign(const TBrush& other);
  // The stock null brush for bsClear.
  HBRUSH Handle() const;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
  mutable TOwnedBrush FHandle;
};

class TGraphic;

// Draws on a device context it does not own; the owner (paint handler,
// bitmap, control) hands it one and takes it back. Pen, brush and font are
// selected into the DC only for the call that draws with them, so a canvas
// can be set onto any DC and taken off again without leaving its objects
// there.
class TCanvas : public TObject {
 public:
  TCanvas();
  explicit TCanvas(HDC dc);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The DC drawn on. A canvas that makes its own DC (a control's canvas)
  // makes it here when it has none.
  HDC Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // A DC the canvas made itself is given back first.
  void SetHandle(HDC dc);

  // Serialises drawing from several threads; counted, and re-entrant on one
  // thread.
  void Lock();
  bool TryLock();
  virtual void Unlock();
  int LockCount() const { return FLockCount; }

  TFont& Font() { return FFont; }
  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  TColor BrushColor() const { return FBrush.Color(); }
  void SetBrushColor(TColor c) { FBrush.SetColor(c); }
  TBrushStyle BrushStyle() const { return FBrush.Style(); }
  void SetBrushStyle(TBrushStyle s) { FBrush.SetStyle(s); }
  TColor PenColor() const { return FPen.Color(); }
  void SetPenColor(TColor c) { FPen.SetColor(c); }

  // Fills with the brush, nothing with a clear brush; exclusive right and
  // bottom edges, as GDI's rectangles.
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  // Shapes: outlined with the pen, filled with the brush.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const RECT& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
  void Polygon(const POINT* points, int count);
  void Polyline(const POINT* points, int count);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  POINT PenPos();

  // -1 for a point outside the DC's clip or surface.
  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor color);

  void TextOut(int x, int y, const String& text);
  // Text at (x, y) cut to r; r is filled with the brush first unless it is
  // clear.
  void TextRect(const RECT& r, int x, int y, const String& text);
  SIZE TextExtent(const String& text);
  int TextWidth(const String& text) { return TextExtent(text).cx; }
  int TextHeight(const String& text) { return TextExtent(text).cy; }
  // DrawText with the canvas font and colour; returns the height drawn.
  int DrawText(const String& text, RECT& r, UINT format);

  void Draw(int x, int y, HBITMAP bitmap, int width, int height);
  // The picture at its own size, or stretched into r.
  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const RECT& r, TGraphic& graphic);
  // Copies source's sourceRect into dest, stretched when the sizes differ.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

 protected:
  // Asked before every use of the DC: a derived canvas makes its own DC
  // here (StoreHandle) or drops one that no longer fits.
  virtual void NeedHandle() {}
  // Forgets the DC; a derived canvas gives back one it made.
  virtual void FreeHandle() { FHandle = nullptr; }
  void StoreHandle(HDC dc) { FHandle = dc; }

 private:
  HDC FHandle = nullptr;
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  CRITICAL_SECTION FLock;
  int FLockCount = 0;
};

// Selects a GDI object into a DC for one scope.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(SelectObject(dc, obj)) {}
  ~TSelectObject() { SelectObject(FDC, FOld); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};
