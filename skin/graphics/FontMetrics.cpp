#include "skin/graphics/FontMetrics.h"

#include "skin/graphics/PixelRoutines.h"

int FontLineHeight(HFONT Font, bool Bare) {
  TWindowDC Screen(nullptr);
  TSelectObject Select(Screen.get(), Font);
  TEXTMETRICA Metrics{};
  if (!GetTextMetricsA(Screen.get(), &Metrics)) return 0;
  return Bare ? Metrics.tmHeight - Metrics.tmInternalLeading - Metrics.tmExternalLeading : Metrics.tmHeight + 6;
}

void MeasureTextExtent(HFONT Font, const String& Text, UINT DTFlags, bool WordWrap, int Width, bool AddI, SIZE& Size) {
  TWindowDC Screen(nullptr);
  HDC DC = Screen.get();
  TSelectObject Select(DC, Font);
  if (WordWrap) {
    RECT R{0, 0, Width, 0};
    DrawTextCapped(DC, Text, R, DTFlags | DT_CALCRECT | DT_WORDBREAK);
    Size = SIZE{R.right - R.left, R.bottom - R.top};
  } else if (!GetTextExtentPoint32W(DC, Text.c_str(), int(Text.size()), &Size)) {
    Size = SIZE{0, 0};
  }
  if (AddI) {
    SIZE I{0, 0};
    GetTextExtentPoint32W(DC, L"I", 1, &I);
    Size.cx += I.cx;
  }
}

bool FontsEqual(const TFont& A, const TFont& B) {
  return A.Style() == B.Style() && A.Size() == B.Size() && A.Color() == B.Color() && A.Name() == B.Name();
}
