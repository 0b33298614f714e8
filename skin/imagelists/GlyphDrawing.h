#pragma once
// A button's glyph drawn from whichever source the control has: an image
// list of any kind or a glyph bitmap strip of state frames.
#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "framework/ImageList.h"

// TacGlyphDrawData::Options bits.
constexpr unsigned gdoHalfDisabled = 1 << 0;  // a disabled glyph at half opacity
constexpr unsigned gdoToneFromSkin = 1 << 1;  // ToneColor is taken through the skin's palette

struct TacGlyphDrawData {
  int Blend = 0;  // percent of transparency
  int ImageIndex = -1;
  int NumGlyphs = 1;     // frames of a glyph strip
  int CurrentState = 0;  // 0 normal, 1 hot, 2 pressed
  bool Enabled = true;
  bool Down = false;
  bool Grayed = false;
  bool Reflected = false;
  unsigned Options = 0;
  TBitmap* Glyph = nullptr;
  RECT ImgRect = {};
  // The target: DstBmp when set, else Canvas.
  TBitmap* DstBmp = nullptr;
  TCanvas* Canvas = nullptr;
  TColor ToneColor = clNone;
  TCustomImageList* Images = nullptr;
  int PPI = 96;
};

void DrawImageListGlyph(TacGlyphDrawData& Data);
