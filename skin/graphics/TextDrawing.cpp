#include "skin/graphics/TextDrawing.h"

#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/PixelRoutines.h"

bool DrawTextAntialiased(HDC DC, const String& Text, RECT& R, UINT Flags, TBitmap* Bmp) {
  if (Flags & DT_CALCRECT) {
    const bool Wrap = (Flags & DT_WORDBREAK) != 0;
    SIZE Size = GpMeasureTextW(DC, Text, Wrap, R.right - R.left);
    if (Size.cx == 0 && Size.cy == 0) {
      // No GDI+: the GDI measure of the same text.
      RECT Calc = R;
      DrawTextW(DC, Text.c_str(), int(Text.size()), &Calc, Flags & ~acDT_Antialiased);
      Size = SIZE{Calc.right - Calc.left, Calc.bottom - Calc.top};
    }
    R.right = R.left + Size.cx;
    R.bottom = R.top + Size.cy;
    return true;
  }
  const TGpAlign Align = (Flags & DT_RIGHT) ? gaRight : (Flags & DT_CENTER) ? gaCenter : gaLeft;
  const TGpAlign VertAlign = (Flags & DT_BOTTOM) ? gaRight : (Flags & DT_VCENTER) ? gaCenter : gaLeft;
  // GpDrawText takes the engine's colour (red low) and orders it for GDI+ itself.
  const uint32_t Color = GetTextColor(DC);
  if (!GpDrawText(DC, Text, R, Color, Align, VertAlign, true) && Bmp)
    DrawTextAlpha(*Bmp, Text, true, R, Flags & ~acDT_Antialiased, Color);
  return true;
}

void DrawTextPChar(TCanvas& Canvas, const String& Text, RECT& R, UINT Flags) {
  HDC DC = Canvas.Handle();
  TSelectObject Font(DC, Canvas.Font().Handle());
  SetTextColor(DC, ColorToRGB(Canvas.Font().Color()));
  SetBkMode(DC, TRANSPARENT);
  DrawTextCapped(DC, Text, R, Flags);
}

String CutTextWithEllipsis(TCanvas& Canvas, const String& Text, int MaxWidth) {
  if (MaxWidth <= 0) return String();
  String Result = Text;
  if (Result.empty() || Canvas.TextWidth(Result) <= MaxWidth) return Result;
  while (!Result.empty() && Canvas.TextWidth(Result + L"...") > MaxWidth) Result.pop_back();
  if (!Result.empty()) Result += L"...";
  return Result;
}

namespace {

template <typename Measure>
bool MeasureOn(HDC DC, HFONT Font, Measure M) {
  if (DC) return M(DC);
  TWindowDC Screen(nullptr);
  HGDIOBJ Old = Font ? SelectObject(Screen.get(), Font) : nullptr;
  const bool Ok = M(Screen.get());
  if (Font) SelectObject(Screen.get(), Old);
  return Ok;
}

}  // namespace

bool MeasureTextOnDC(HDC DC, const AnsiString& Text, SIZE& Size, HFONT Font) {
  Size = SIZE{0, 0};
  return MeasureOn(DC, Font,
                   [&](HDC D) { return GetTextExtentPoint32A(D, Text.data(), int(Text.size()), &Size) != 0; });
}

bool MeasureWideTextOnDC(HDC DC, const String& Text, SIZE& Size, HFONT Font) {
  Size = SIZE{0, 0};
  return MeasureOn(DC, Font,
                   [&](HDC D) { return GetTextExtentPoint32W(D, Text.c_str(), int(Text.size()), &Size) != 0; });
}

void DrawLineOnDC(HDC DC, int X1, int Y1, int X2, int Y2) {
  MoveToEx(DC, X1, Y1, nullptr);
  LineTo(DC, X2, Y2);
}
