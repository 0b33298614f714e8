#pragma once
// Multi-stop gradients of skin sections ("GRADIENTDATA"): the parsed form,
// the parser, the painters for 32-bit bitmaps, and the soft shapes built on
// them (window shadows and glows, panel side fades).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"

#pragma pack(push, 1)
struct TsGradItem {
  uint16_t Index;
  // Bits 0-1 of the first item: 0 vertical, 1 horizontal, 2 four-corner.
  // 0x10: the segment ending here is drawn through GDI+; 0x20 (first item,
  // four-corner): a GDI+ path gradient.
  uint32_t Mode;
  uint32_t Color;  // red in the low byte; alpha on top in the five-field form
  uint8_t Percent;
};
#pragma pack(pop)
static_assert(sizeof(TsGradItem) == 11);

using TsGradArray = std::vector<TsGradItem>;

constexpr uint32_t gmGdiPlusSegment = 0x10;
constexpr uint32_t gmGdiPlusPath = 0x20;

// Raises EConvertError when a colour, percent or mode field is no number.
TsGradArray ParseGradientString(const String& Text);

// Fills Rect (cut to the bitmap) with opaque gradient pixels.
void PaintGradient(TBitmap& Bmp, RECT Rect, const TsGradArray& Items);
// Vertical and horizontal gradients mixed with a texture tiled from the
// bitmap's origin: channel = (Weight x (T - G) + G x 256) shr 8; alpha = Alpha.
void PaintGradientBlended(TBitmap& Bmp, RECT Rect, const TsGradArray& Items, uint8_t Alpha, uint8_t Weight,
                          RECT TextureRect, TBitmap& Texture);

// A soft round-cornered shape for shadows and glows; Color carries its
// alpha in the top byte.
std::unique_ptr<TBitmap> CreateGlowShape(uint32_t Color, int Radius, int TopOffset, int ExtraHeight, int ExtraWidth,
                                         int FalloffWidth, bool GreyMask, bool Premultiply);
// The fade of a panel's side shadow; sides 0 left, 1 top, 2 right, 3 bottom.
void FillFadeGradient(TBitmap& Bmp, uint32_t Color, int Side);

// The system's "GradientFill" of msimg32, bound when the unit starts.
void InitGradients();
void DoneGradients();
bool GradientFillAvailable();
