#pragma once
// Captions of the skin engine: text drawn anti-aliased through GDI+ when a
// format carries the private bit, cut with "..." to a width, and measured
// on a DC or the screen.
#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

// The private DrawText format bit that asks for anti-aliased text; it never
// reaches DrawText itself.
constexpr UINT acDT_Antialiased = 0x40000000;

// DT_CALCRECT measures through GDI+ (R.Right and R.Bottom set, nothing
// drawn). Otherwise the text is drawn with GDI+ in the DC's font and text
// colour; where GDI+ draws nothing and Bmp is given, the text goes into Bmp
// with alpha instead. Always true.
bool DrawTextAntialiased(HDC DC, const String& Text, RECT& R, UINT Flags, TBitmap* Bmp);
// DrawTextCapped on the canvas's DC, in the canvas's font and colour.
void DrawTextPChar(TCanvas& Canvas, const String& Text, RECT& R, UINT Flags);
// Text as it stands when it fits MaxWidth, else shortened and ended with
// "..."; empty when MaxWidth <= 0 or not even one character and "..." fit.
String CutTextWithEllipsis(TCanvas& Canvas, const String& Text, int MaxWidth);
// GetTextExtentPoint32 of the text. With DC 0 the screen DC is used, with
// Font selected into it when Font is not 0; a DC given is used as it is.
bool MeasureTextOnDC(HDC DC, const AnsiString& Text, SIZE& Size, HFONT Font);
bool MeasureWideTextOnDC(HDC DC, const String& Text, SIZE& Size, HFONT Font);
// A line in the DC's current pen.
void DrawLineOnDC(HDC DC, int X1, int Y1, int X2, int Y2);
