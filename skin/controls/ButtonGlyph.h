#pragma once
// The glyph of a skinned button, drawn from the button's own state: the
// image list image it chooses for its state, else its glyph strip.
#include "framework/ImageList.h"

#include <cstdint>

class TBitmap;
class TControl;

// What a button tells the glyph painter.
struct TacButtonGlyphInputs {
  TCustomImageList* Images = nullptr;
  int ImageIndex = -1;
  TBitmap* Glyph = nullptr;  // a strip of NumGlyphs frames
  int NumGlyphs = 1;
  int State = 0;  // the paint state; 3 (default) draws as 1
  RECT GlyphRect{};
  int Blend = 0;
  bool Down = false;
  bool Grayed = false;
  bool Reflected = false;
  uint8_t DisabledGlyphKind = 0;
  int PPI = 96;
};

// A button the glyph painter can ask.
class TacGlyphButton {
 public:
  virtual ~TacGlyphButton() = default;
  virtual void GetGlyphInputs(TacButtonGlyphInputs& Inputs) = 0;
};

// Draws the glyph of Control (a TacGlyphButton; anything else draws
// nothing) into Bmp. ToneColor acColorUnset: no tone; another value colours
// glyphs of a character list, and draws other glyphs grayed in that tone.
void DrawButtonGlyph(TControl* Control, TBitmap* Bmp, uint32_t ToneColor);
