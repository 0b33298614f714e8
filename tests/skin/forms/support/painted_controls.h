#pragma once
// Controls that paint one solid colour, and a bitmap whose pixels tell
// where in it they lie, for checking painted images pixel by pixel.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/SkinTypes.h"
#include "tests/skin/support/PixelHelpers.h"

// Colours the framework does not name.
constexpr TColor kBlue = 0xFF0000, kYellow = 0x00FFFF, kMaroon = 0x000080, kOlive = 0x008080, kTeal = 0x808000,
                 kSilver = 0xC0C0C0, kNavy = 0x800000;

// A windowed control of our own class filled with Fill.
class TSolidControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  TColor Fill = clRed;
  int Paints = 0;
  // Component state as a designer would set it.
  void SetDesigning() { SetState(csDesigning, true); }

 protected:
  void Paint(TCanvas& Canvas) override {
    ++Paints;
    Canvas.SetBrushColor(Fill);
    Canvas.FillRect(ClientRect());
  }
};

// A graphic control filled with Fill (none: paints nothing).
class TSolidGraphic : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  TColor Fill = kBlue;
  int Paints = 0;
  TControlState StateWhilePainting = 0;
  // The top-left pixel in the key colour 0xFF00FF.
  bool KeyCorner = false;
  // Runs inside Paint, before the fill.
  std::function<void()> WhilePainting;
  void SetDesigning() { SetState(csDesigning, true); }

 protected:
  void Paint(TCanvas& Canvas) override {
    ++Paints;
    StateWhilePainting = ControlState();
    if (WhilePainting) WhilePainting();
    if (Fill != clNone) {
      Canvas.SetBrushColor(Fill);
      Canvas.FillRect(RECT{0, 0, Width(), Height()});
    }
    if (KeyCorner) Canvas.SetPixels(0, 0, clFuchsia);
  }
};

// The colour part of a pixel: GDI leaves alpha 0 where it paints.
inline uint32_t RgbAt(TBitmap& Bmp, int X, int Y) {
  GdiFlush();
  return PixelAt(Bmp, X, Y) & 0xFFFFFF;
}
// A TColor (0x00BBGGRR) as the 0xRRGGBB of a pixel.
inline uint32_t Rgb(TColor Color) {
  const uint32_t C = uint32_t(Color);
  return (C & 0xFF) << 16 | (C & 0xFF00) | (C >> 16 & 0xFF);
}
// Pixel (x, y) is RGB(x, y, 0x80) (the test display has 24 bits).
inline uint32_t PlaceColor(int X, int Y) { return uint32_t(X) << 16 | uint32_t(Y) << 8 | 0x80; }
inline std::unique_ptr<TBitmap> PlaceBitmap(int Width, int Height) {
  std::unique_ptr<TBitmap> Bmp(FilledBitmap32(Width, Height, 0xFF000000));
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) SetPixelAt(*Bmp, X, Y, 0xFF000000 | PlaceColor(X, Y));
  return Bmp;
}

// The control answers AC_GETBG as a skinned container does.
struct TBackgroundAnswer {
  TBackgroundAnswer(TControl* Control, const TacBackgroundInfo& Answer) {
    TWndMethod Inherited = Control->WindowProc;
    Control->WindowProc = [=](TMessage& M) {
      if (M.Msg != WM_SKINCOMMAND || SkinCommandCode(M.WParam) != AC_GETBG) return Inherited(M);
      auto* Info = reinterpret_cast<TacBackgroundInfo*>(M.LParam);
      Info->BgKind = Answer.BgKind;
      Info->Bmp = Answer.Bmp;
      Info->Color = Answer.Color;
      Info->OffsetX = Answer.OffsetX;
      Info->OffsetY = Answer.OffsetY;
      Info->FillRect = Answer.FillRect;
      M.Result = 1;
    };
  }
};
