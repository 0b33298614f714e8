#pragma once
// The bound label's entrance: when an edit is entered or gets text, its
// text hint flies from inside the edit to the label's place, turning into
// the label's caption on the way, on a layered window above everything.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/System.h"
#include "skin/effects/EffectWindow.h"

class TBitmap;
class TControl;
class TFont;
class TsBoundLabel;
class TsCommonData;

// One end of the flight.
struct TacMoveTextData {
  TsBoundLabel* Owner = nullptr;
  UINT Format = 0;
  String Text;
  TFont* Font = nullptr;
  uint32_t Color = 0;  // TColor
  TControl* Control = nullptr;
  RECT Rect{};  // screen
};

// One frame: where the W x H window goes and how much of the start text
// still shows (255 all, 0 none: the end text shows the rest).
struct TacFlightFrame {
  POINT Pos{};
  uint8_t Level = 0;
};
// Each frame covers a sixth of the way that remains; the flight ends when
// less than half a pixel remains on both axes. No frames when From = To.
std::vector<TacFlightFrame> FlightFrames(double FromX, double FromY, double ToX, double ToY);

// The colour (TColor) premultiplied by Level: 0xAARRGGBB as stored.
uint32_t PremultipliedColor(uint32_t Color, uint8_t Level);
// Where Mask (one byte a pixel, 255 = no text) is not 255 each channel
// becomes (colour x (255 - m) + pixel x m) >> 8 and the alpha at least
// colour alpha x (255 - m) >> 8. Mask has Frame's size.
void PaintThroughMask(TBitmap& Frame, const std::vector<uint8_t>& Mask, uint32_t PremultipliedColor);

class TacTextFlight {
 public:
  TacTextFlight(const TacMoveTextData& From, const TacMoveTextData& To);
  ~TacTextFlight();
  // Paints and shows the next frame; false when the flight is over or the
  // control it starts from is gone.
  bool Step();
  // Shows the label in its place; nothing when the edit is gone.
  void Land();
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  const std::vector<TacFlightFrame>& Frames() const { return FFrames; }
  TBitmap* Frame() const { return FFrame.get(); }
  HWND Window() const { return FWindow.HandleIfAllocated(); }

 private:
  bool OwnerAlive() const;
  TacMoveTextData FFrom, FTo;
  HWND FEditWnd = nullptr;
  int FWidth = 0, FHeight = 0;
  std::vector<uint8_t> FFromMask, FToMask;
  std::vector<TacFlightFrame> FFrames;
  size_t FNext = 0;
  std::unique_ptr<TBitmap> FFrame;
  TacEffectWindow FWindow;
};

// The synchronous flight at 12 ms a frame, then the label lands.
void PlayMovingText(const TacMoveTextData& From, const TacMoveTextData& To);
// The effects' side of AnimateLabelFromHint (skin/state/BoundLabel.h).
void FlyLabelFromHint(TsCommonData* SkinData, TsBoundLabel* Label, const String& Text);
