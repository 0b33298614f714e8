#pragma once
// Records the skin painters pass around.
#include <windows.h>

#include <cstdint>

class TBitmap;

// Where a painter takes the background under see-through pixels from: a
// bitmap at an offset when Ready, else a plain colour (0xFF00FF = none).
struct TacBackgroundSource {
  TBitmap* Bmp = nullptr;
  int X = 0, Y = 0;
  uint32_t FillColor = 0xFF00FF;
  RECT FillRect = {};
  bool Ready = false;
};

// How a control asks its parent for the background under it.
struct TacBackgroundInfo {
  TBitmap* Bmp = nullptr;
  uint32_t Color = 0;
  int OffsetX = 0, OffsetY = 0;
  RECT R = {};
  RECT FillRect = {};
  uint8_t BgKind = 0;  // one of the bgk values below
  bool PleaseDraw = false;
  HDC DrawDC = nullptr;
};

// TacBackgroundInfo::BgKind. The kind, not the colour, says whether anybody
// answered, so a black answer stays black.
constexpr uint8_t bgkUnanswered = 0;
constexpr uint8_t bgkColor = 1;
constexpr uint8_t bgkBitmap = 2;
constexpr uint8_t bgkNotReady = 3;

struct TacPadding {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
