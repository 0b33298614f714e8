#pragma once
// The small routines every skin painter uses on 32-bit bitmaps: byte order,
// single pixels, fills with a given alpha, premultiplication, blending a
// colour in, text with correct alpha and icons.
//
// Colours are system colour values (red in the low byte); pixels are
// 0xAARRGGBB. Rectangles exclude right and bottom unless a routine says it
// includes them, and every rectangle is cut to the bitmap.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"
#include "skin/graphics/SkinTypes.h"

inline uint32_t ExchangeRedBlue(uint32_t Color) {
  return (Color & 0xFF00FF00u) | (Color >> 16 & 0xFF) | (Color & 0xFF) << 16;
}
// The same result by byte reversal and rotation.
inline uint32_t SwapColor(uint32_t Color) {
  uint32_t Reversed = __builtin_bswap32(Color);
  return (Reversed >> 8) | (Reversed << 24);
}
inline uint32_t SwapBytes32(uint32_t Value) { return __builtin_bswap32(Value); }
void SwapBytes32Array(uint32_t* P, int Count);
void FillDwords(uint32_t* Dest, int Count, uint32_t Value);

// Unchecked single-pixel access.
uint32_t GetPixel32(TBitmap& Bmp, int X, int Y);
// Stores a pixel and returns the address of its row.
uint32_t* PutPixel32(TBitmap& Bmp, int X, int Y, uint32_t Value);
void SetPixel32(TBitmap& Bmp, int X, int Y, uint32_t Value);

// Every pixel of Rect becomes the colour with the given alpha.
void FillRect32(TBitmap& Bmp, RECT Rect, uint32_t Color, uint8_t Alpha);
// The band between Outer and Inner.
void FillRectFrame32(TBitmap& Bmp, const RECT& Outer, const RECT& Inner, uint32_t Color, uint8_t Alpha);
void FillFrameSides(TBitmap& Bmp, const RECT& Rect, int LeftWidth, int TopWidth, int RightWidth, int BottomWidth,
                    uint32_t Color);
// Rect inclusive: c := (c x Keep + colour x (255 - Keep)) shr 8; alpha kept.
void BlendRectWithColor(TBitmap& Bmp, RECT Rect, uint8_t Keep, uint32_t Color);
// c := c - Percent x (c - colour) div 100; alpha := Alpha.
void FillRectBlendAlpha(TBitmap& Bmp, RECT Rect, uint32_t Color, int Percent, uint8_t Alpha);
// Every pixel's alpha, except pixels in ExcludeRects and (unless SkipColor
// is 0x1FFFFFFF) pixels whose whole value is SkipColor.
void SetAlphaRect(TBitmap& Bmp, RECT Rect, uint8_t Alpha, uint32_t SkipColor = 0x1FFFFFFF,
                  const std::vector<RECT>* ExcludeRects = nullptr);
// Without desktop composition no premultiplied pixel stays pure white.
void PremultiplyAlphaRect(TBitmap& Bmp, RECT Rect);
void PremultiplyAlpha(TBitmap& Bmp);
// Pixels whose colour equals Reference's at the same place become 0.
void ClearEqualPixels(TBitmap& Bmp, TBitmap& Reference);
// A bitmap without any alpha gets 255 except on the bottom-left pixel's colour.
void MakeAlphaFromKeyColor(TBitmap& Bmp);
// The caller owns the icon.
HICON MakeIconFromBitmap32(TBitmap& Bmp);
// Text in the bitmap's DC font, blended with proper alpha.
void DrawTextAlpha(TBitmap& Bmp, const String& Text, bool AlphaMode, const RECT& Rect, UINT Format, uint32_t Color);
// DrawText of at most 5460 characters; with the private bit 0x40000000 the
// anti-aliased text of TextDrawing.h, which falls back to Bmp.
int DrawTextCapped(HDC DC, const String& Text, RECT& R, UINT Flags, TBitmap* Bmp = nullptr);

// Solid fills of a device context; Alpha 0 is a plain GDI fill, others go
// through GDI+ at that opacity.
void FillRectOnDC(HDC DC, const RECT& Rect, uint32_t Color, uint8_t Alpha);
void FillFrameOnDC(HDC DC, const RECT& R, int LeftW, int TopH, int RightW, int BottomH, uint32_t Color, uint8_t Alpha);

// TsDisabledKind bits.
constexpr uint8_t dkBlended = 1 << 0;
constexpr uint8_t dkGrayed = 1 << 1;
// Engine-wide settings of the disabled look: grey level in percent
// (-100: plain grey), blend level 0-255.
int DisabledGrayLevel();
void SetDisabledGrayLevel(int Value);
uint8_t DisabledBlendLevel();
void SetDisabledBlendLevel(uint8_t Value);
// The disabled look of a control's image: greyed, and blended into what
// lies beneath (the background bitmap at Offset when ready, else its fill
// colour, else ControlBgColor).
void ApplyDisabledKind(TBitmap& Bmp, uint8_t DisabledKind, const TacBackgroundSource& BgSource, POINT Offset,
                       uint32_t ControlBgColor);

// Whether the desktop composes windows (false when the system cannot say).
bool IsDwmCompositionEnabled();

// Shared by the pixel loops: a rectangle cut to the bitmap; false when
// nothing is left.
bool ClipToBitmap(const TBitmap& Bmp, RECT& R);
