#pragma once
// The skin engine's GDI+ drawing: anti-aliased shapes, alpha fills,
// gradients, rotated and stretched 32-bit images, blur and text, through
// the flat API bound by name from "gdiplus.dll". Missing library or
// exports, or GDI+ not started, make every routine draw nothing; the text
// routines then report false so callers fall back to GDI.
//
// Colours are the engine's values (red in the low byte). Shapes, lines and
// text get alpha 0xFF when the value has no alpha byte of its own.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"

struct TacGpPoint {
  float X, Y;
};
using TacGpPoints = std::vector<TacGpPoint>;

// Unit start and end: load, bind, start once; shut down and free.
void InitGdiPlus();
void DoneGdiPlus();
// Whether GDI+ runs; starts it when Start is asked and it can be.
bool GpStart(bool Start);
void GpStop(bool Stop);
// Engine colour to GDI+ ARGB, alpha added when the value has none.
uint32_t GpColor(uint32_t Color);

void GpDrawLine(HDC DC, uint32_t Color, int X1, int Y1, int X2, int Y2, int Width);
void GpFillEllipse(HDC DC, uint32_t Color, int X, int Y, int W, int H);
void GpRoundRect(HDC DC, int X, int Y, int W, int H, int Radius, int BorderWidth, uint32_t FillColor,
                 uint32_t BorderColor);
// Radii: top-left, top-right, bottom-left, bottom-right. Sides: 1 left,
// 2 top, 4 right, 8 bottom; 0 means all four.
void GpRoundBorder(HDC DC, int X, int Y, int W, int H, int Width, uint32_t Color, const int Radii[4], int Sides = 0);
void GpRectBorder(HDC DC, RECT Rect, int Width, uint32_t Color, int Sides = 0);
void GpFillRectAlpha(HDC DC, uint32_t Color, const RECT& Rect, uint8_t Alpha);
void GpFillGradientH(HDC DC, uint32_t Color1, uint32_t Color2, int X, int Y, int W, int H);
void GpFillGradientV(HDC DC, uint32_t Color1, uint32_t Color2, int X, int Y, int W, int H);
void GpFillPathGradient(HDC DC, const POINT Corners[4], const uint32_t CornerColors[4], int X, int Y, int W, int H,
                        uint32_t CenterColor);
void GpDrawPolygon(HDC DC, uint32_t Color, const TacGpPoint* Points, int Count, int Width);
void GpFillPolygon(HDC DC, uint32_t Color, const TacGpPoints& Points, int Count);
void GpFillPolygonInt(HDC DC, uint32_t Color, const POINT* Points, int Count);
// Whole-degree rotation about Center: x' = cx + dx cos + dy sin, y' = cy - dx sin + dy cos.
void GpRotatePoints(TacGpPoint* Points, TacGpPoint Center, int Count, int Angle);
void GpDrawRotated(HDC DC, TBitmap& Bitmap, const RECT& Rect, int Angle);
// Stretches a 32-bit bitmap with its alpha.
void GpStretchDraw32(TBitmap& Dst, TBitmap& Src, const RECT& DstRect, const RECT& SrcRect);
void GpStretchDrawRect(TBitmap& Dst, TBitmap& Src, int X, int Y, int W, int H);
// Blurs in place; where the blur effect is missing or refused, the bitmap
// is smoothed by halving instead.
void GpBlurBitmap(TBitmap& Bitmap, int Radius);
void SmoothByHalving(TBitmap& Bitmap);

enum TGpAlign { gaLeft = 0, gaRight = 1, gaCenter = 2 };
// False when nothing was drawn (GDI+ not running, no font).
bool GpDrawText(HDC DC, const String& Text, const RECT& Rect, uint32_t Color, TGpAlign Align, TGpAlign VertAlign,
                bool AntiAliasOnly, const String& FontName = String(), int Angle = 0);
// Width + 1 and height + 1 of the text in the DC's font; wrapped at
// MaxWidth (unlimited when 0) when WordWrap.
SIZE GpMeasureText(HDC DC, const AnsiString& Text, bool WordWrap);
SIZE GpMeasureTextW(HDC DC, const String& Text, bool WordWrap, int MaxWidth = 0);

// Single-precision whole-degree sine and cosine, the table of the drawing library.
float SinDeg(int Angle);
float CosDeg(int Angle);
