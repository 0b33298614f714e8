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

  HFONT Handle() const;
  TNotifyEvent OnChange;

 private:
  void Changed();
  String FName;
  int FHeight;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  BYTE FCharset = DEFAULT_CHARSET;
  mutable TOwnedFont FHandle;
};

enum class TBrushStyle { bsSolid, bsClear };

// Draws on a device context it does not own; the owner (paint handler,
// bitmap, control) hands it one and takes it back.
class TCanvas : public TObject {
 public:
  TCanvas() = default;
  explicit TCanvas(HDC dc) : FHandle(dc) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return FHandle; }
  void SetHandle(HDC dc) { FHandle = dc; }

  TFont& Font() { return FFont; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor c) {
    FBrushColor = c;
    FBrushStyle = TBrushStyle::bsSolid;
  }
  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle s) { FBrushStyle = s; }
  TColor PenColor() const { return FPenColor; }
  void SetPenColor(TColor c) { FPenColor = c; }

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void TextOut(int x, int y, const String& text);
  SIZE TextExtent(const String& text);
  int TextWidth(const String& text) { return TextExtent(text).cx; }
  int TextHeight(const String& text) { return TextExtent(text).cy; }
  // DrawText with the canvas font and colour; returns the height drawn.
  int DrawText(const String& text, RECT& r, UINT format);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Draw(int x, int y, HBITMAP bitmap, int width, int height);

 private:
  HDC FHandle = nullptr;
  TFont FFont;
  TColor FBrushColor = clWhite;
  TBrushStyle FBrushStyle = TBrushStyle::bsSolid;
  TColor FPenColor = clBlack;
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
