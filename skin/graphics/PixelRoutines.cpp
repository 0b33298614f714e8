#include "skin/graphics/PixelRoutines.h"

#include <algorithm>
#include <cmath>

#include "framework/GdiHandles.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/TextDrawing.h"

bool ClipToBitmap(const TBitmap& Bmp, RECT& R) {
  R.left = std::max<LONG>(R.left, 0);
  R.top = std::max<LONG>(R.top, 0);
  R.right = std::min<LONG>(R.right, Bmp.Width());
  R.bottom = std::min<LONG>(R.bottom, Bmp.Height());
  return R.right > R.left && R.bottom > R.top;
}

void SwapBytes32Array(uint32_t* P, int Count) {
  for (int i = 0; i < Count; ++i) P[i] = __builtin_bswap32(P[i]);
}

void FillDwords(uint32_t* Dest, int Count, uint32_t Value) {
  if (Count > 0) std::fill_n(Dest, Count, Value);
}

uint32_t GetPixel32(TBitmap& Bmp, int X, int Y) { return static_cast<uint32_t*>(Bmp.ScanLine(Y))[X]; }

uint32_t* PutPixel32(TBitmap& Bmp, int X, int Y, uint32_t Value) {
  auto* Row = static_cast<uint32_t*>(Bmp.ScanLine(Y));
  Row[X] = Value;
  return Row;
}

void SetPixel32(TBitmap& Bmp, int X, int Y, uint32_t Value) { PutPixel32(Bmp, X, Y, Value); }

void FillRect32(TBitmap& Bmp, RECT Rect, uint32_t Color, uint8_t Alpha) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!ClipToBitmap(Bmp, Rect) || !PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const uint32_t Pixel = (ExchangeRedBlue(Color) & 0xFFFFFF) | uint32_t(Alpha) << 24;
  for (int y = Rect.top; y < Rect.bottom; ++y)
    std::fill(PixelRow(Row0, Step, y) + Rect.left, PixelRow(Row0, Step, y) + Rect.right, Pixel);
}

void FillRectFrame32(TBitmap& Bmp, const RECT& Outer, const RECT& Inner, uint32_t Color, uint8_t Alpha) {
  FillRect32(Bmp, RECT{Outer.left, Outer.top, Outer.right, Inner.top}, Color, Alpha);
  FillRect32(Bmp, RECT{Outer.left, Inner.top, Inner.left, Inner.bottom}, Color, Alpha);
  FillRect32(Bmp, RECT{Inner.right, Inner.top, Outer.right, Inner.bottom}, Color, Alpha);
  FillRect32(Bmp, RECT{Outer.left, Inner.bottom, Outer.right, Outer.bottom}, Color, Alpha);
}

void FillFrameSides(TBitmap& Bmp, const RECT& R, int LeftWidth, int TopWidth, int RightWidth, int BottomWidth,
                    uint32_t Color) {
  FillRect32(Bmp, RECT{R.left, R.top, R.right, R.top + TopWidth}, Color, 255);
  FillRect32(Bmp, RECT{R.left, R.top + TopWidth, R.left + LeftWidth, R.bottom}, Color, 255);
  FillRect32(Bmp, RECT{R.left + LeftWidth, R.bottom - BottomWidth, R.right, R.bottom}, Color, 255);
  FillRect32(Bmp, RECT{R.right - RightWidth, R.top + TopWidth, R.right, R.bottom - BottomWidth}, Color, 255);
}

void BlendRectWithColor(TBitmap& Bmp, RECT Rect, uint8_t Keep, uint32_t Color) {
  ++Rect.right;  // inclusive
  ++Rect.bottom;
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!ClipToBitmap(Bmp, Rect) || !PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const uint32_t k = Keep, Mix = 255 - Keep;
  const uint32_t cb = (Color >> 16 & 0xFF) * Mix, cg = (Color >> 8 & 0xFF) * Mix, cr = (Color & 0xFF) * Mix;
  for (int y = Rect.top; y < Rect.bottom; ++y) {
    uint8_t* p = Row0 + y * Step + Rect.left * 4;
    for (int x = Rect.left; x < Rect.right; ++x, p += 4) {
      p[0] = uint8_t((p[0] * k + cb) >> 8);
      p[1] = uint8_t((p[1] * k + cg) >> 8);
      p[2] = uint8_t((p[2] * k + cr) >> 8);
    }
  }
}

void FillRectBlendAlpha(TBitmap& Bmp, RECT Rect, uint32_t Color, int Percent, uint8_t Alpha) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!ClipToBitmap(Bmp, Rect) || !PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const int c[3] = {int(Color >> 16 & 0xFF), int(Color >> 8 & 0xFF), int(Color & 0xFF)};
  for (int y = Rect.top; y < Rect.bottom; ++y) {
    uint8_t* p = Row0 + y * Step + Rect.left * 4;
    for (int x = Rect.left; x < Rect.right; ++x, p += 4) {
      for (int i = 0; i < 3; ++i) p[i] = uint8_t(p[i] - Percent * (p[i] - c[i]) / 100);  // C++ / truncates like div
      p[3] = Alpha;
    }
  }
}

void SetAlphaRect(TBitmap& Bmp, RECT Rect, uint8_t Alpha, uint32_t SkipColor, const std::vector<RECT>* ExcludeRects) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!ClipToBitmap(Bmp, Rect) || !PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const bool Excluding = ExcludeRects && !ExcludeRects->empty();
  for (int y = Rect.top; y < Rect.bottom; ++y) {
    uint8_t* Row = Row0 + y * Step;
    if (!Excluding && SkipColor == 0x1FFFFFFF) {
      for (int x = Rect.left; x < Rect.right; ++x) Row[4 * x + 3] = Alpha;
      continue;
    }
    for (int x = Rect.left; x < Rect.right; ++x) {
      if (SkipColor != 0x1FFFFFFF && reinterpret_cast<uint32_t*>(Row)[x] == SkipColor) continue;
      if (Excluding) {
        POINT P{x, y};
        if (std::any_of(ExcludeRects->begin(), ExcludeRects->end(), [&](const RECT& E) { return PtInRect(&E, P); }))
          continue;
      }
      Row[4 * x + 3] = Alpha;
    }
  }
}

bool IsDwmCompositionEnabled() {
  using Query = HRESULT(WINAPI*)(BOOL*);
  static const Query Function = [] {
    HMODULE Dwm = LoadLibraryW(L"dwmapi.dll");
    return Dwm ? reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(Dwm, "DwmIsCompositionEnabled")))
               : nullptr;
  }();
  BOOL Enabled = FALSE;
  return Function && SUCCEEDED(Function(&Enabled)) && Enabled;
}

void PremultiplyAlphaRect(TBitmap& Bmp, RECT Rect) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!ClipToBitmap(Bmp, Rect) || !PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const bool CapWhite = !IsDwmCompositionEnabled();
  for (int y = Rect.top; y < Rect.bottom; ++y) {
    uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = Rect.left; x < Rect.right; ++x) {
      uint32_t p = Row[x];
      if (p == 0x00FFFFFF) {
        Row[x] = 0;
        continue;
      }
      uint32_t a = p >> 24, b = p & 0xFF, g = p >> 8 & 0xFF, r = p >> 16 & 0xFF;
      uint32_t nb = b * a >> 8, ng = g * a >> 8, nr = r * a >> 8;
      if (CapWhite && b > 244 && g > 244 && r > 244) {
        nb = std::min<uint32_t>(244, nb);
        ng = std::min<uint32_t>(244, ng);
        nr = std::min<uint32_t>(244, nr);
      }
      Row[x] = a << 24 | nr << 16 | ng << 8 | nb;
    }
  }
}

void PremultiplyAlpha(TBitmap& Bmp) { PremultiplyAlphaRect(Bmp, RECT{0, 0, Bmp.Width(), Bmp.Height()}); }

void ClearEqualPixels(TBitmap& Bmp, TBitmap& Reference) {
  if (Bmp.Width() != Reference.Width() || Bmp.Height() != Reference.Height()) return;
  uint8_t *B0, *R0;
  ptrdiff_t BStep, RStep;
  if (!PrepareScanlineWalk(&Bmp, B0, BStep) || !PrepareScanlineWalk(&Reference, R0, RStep)) return;
  for (int y = 0; y < Bmp.Height(); ++y) {
    uint32_t* b = PixelRow(B0, BStep, y);
    const uint32_t* r = PixelRow(R0, RStep, y);
    for (int x = 0; x < Bmp.Width(); ++x)
      if (((b[x] ^ r[x]) & 0xFFFFFF) == 0) b[x] = 0;
  }
}

void MakeAlphaFromKeyColor(TBitmap& Bmp) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const int W = Bmp.Width(), H = Bmp.Height();
  for (int y = 0; y < H; ++y) {
    const uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = 0; x < W; ++x)
      if (Row[x] >> 24) return;
  }
  const uint32_t Key = PixelRow(Row0, Step, H - 1)[0] & 0xFFFFFF;
  for (int y = 0; y < H; ++y) {
    uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = 0; x < W; ++x)
      if ((Row[x] & 0xFFFFFF) != Key) Row[x] |= 0xFF000000u;
  }
}

HICON MakeIconFromBitmap32(TBitmap& Bmp) {
  Bmp.SetPixelFormat(pf32bit);
  TBitmap Mask;
  Mask.SetPixelFormat(pf8bit);
  Mask.SetSize(Bmp.Width(), Bmp.Height());
  uint8_t *B0, *M0;
  ptrdiff_t BStep, MStep;
  if (PrepareScanlineWalk(&Bmp, B0, BStep) && PrepareScanlineWalk(&Mask, M0, MStep))
    for (int y = 0; y < Bmp.Height(); ++y) {
      const uint8_t* b = B0 + y * BStep;
      uint8_t* m = M0 + y * MStep;
      for (int x = 0; x < Bmp.Width(); ++x) m[x] = uint8_t(255 - b[4 * x + 3]);
    }
  ICONINFO Info = {};
  Info.fIcon = TRUE;
  Info.hbmColor = Bmp.Handle();
  Info.hbmMask = Mask.Handle();
  return CreateIconIndirect(&Info);
}

int DrawTextCapped(HDC DC, const String& Text, RECT& R, UINT Flags, TBitmap* Bmp) {
  if (Flags & acDT_Antialiased) {
    DrawTextAntialiased(DC, Text, R, Flags, Bmp);
    return R.bottom - R.top;
  }
  int Length = int(std::min<size_t>(Text.size(), 5460));
  return DrawTextW(DC, Text.c_str(), Length, &R, Flags);
}

void DrawTextAlpha(TBitmap& Bmp, const String& Text, bool AlphaMode, const RECT& Rect, UINT Format, uint32_t Color) {
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  if (W <= 0 || H <= 0) return;
  auto Tmp = NewBitmap32(W, H);
  HDC TmpDC = Tmp->DC();
  HGDIOBJ OldFont = SelectObject(TmpDC, GetCurrentObject(Bmp.DC(), OBJ_FONT));
  SetTextColor(TmpDC, RGB(0, 0, 0));
  SetBkColor(TmpDC, RGB(255, 255, 255));
  SetBkMode(TmpDC, TRANSPARENT);
  RECT All{0, 0, W, H};
  FillRect(TmpDC, &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawTextCapped(TmpDC, Text, All, Format);
  SelectObject(TmpDC, OldFont);

  uint8_t *D0, *T0;
  ptrdiff_t DStep, TStep;
  if (!PrepareScanlineWalk(&Bmp, D0, DStep) || !PrepareScanlineWalk(Tmp.get(), T0, TStep)) return;
  const int col[3] = {int(Color >> 16 & 0xFF), int(Color >> 8 & 0xFF), int(Color & 0xFF)};  // b, g, r
  const int x0 = std::max<int>(0, -Rect.left), y0 = std::max<int>(0, -Rect.top);
  const int x1 = std::min<int>(W, Bmp.Width() - Rect.left), y1 = std::min<int>(H, Bmp.Height() - Rect.top);
  for (int y = y0; y < y1; ++y) {
    const uint8_t* t = T0 + y * TStep;
    uint8_t* d = D0 + (Rect.top + y) * DStep + Rect.left * 4;
    for (int x = x0; x < x1; ++x) {
      const uint8_t* tp = t + 4 * x;
      uint8_t* dp = d + 4 * x;
      uint32_t tv = *reinterpret_cast<const uint32_t*>(tp);
      if ((tv & 0xFFFFFF) == 0xFFFFFF) continue;
      if (AlphaMode) {
        if (tv & 0xFFFFFF) {
          int L = int(std::nearbyint(0.299 * tp[2] + 0.587 * tp[1] + 0.114 * tp[0]));
          int a = std::max<int>(dp[3], 255 - L);
          for (int i = 0; i < 3; ++i) dp[i] = uint8_t((((dp[i] - col[i]) * L + col[i] * 256) * a) >> 16);
          dp[3] = uint8_t(a);
        } else {
          int a = std::max<int>(dp[3], 254);
          for (int i = 0; i < 3; ++i) dp[i] = uint8_t(((dp[i] + col[i] * 255) * a) >> 16);
          dp[3] = uint8_t(a);
        }
      } else {
        for (int i = 0; i < 3; ++i) dp[i] = uint8_t(((dp[i] - col[i]) * tp[i] + col[i] * 256) >> 8);
        dp[3] = 255;
      }
    }
  }
}

void FillRectOnDC(HDC DC, const RECT& Rect, uint32_t Color, uint8_t Alpha) {
  if (Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
  if (Alpha != 0) {
    GpFillRectAlpha(DC, Color, Rect, Alpha);
    return;
  }
  const TOwnedBrush Brush(CreateSolidBrush(Color & 0xFFFFFF));
  FillRect(DC, &Rect, Brush.get());
}

void FillFrameOnDC(HDC DC, const RECT& R, int LeftW, int TopH, int RightW, int BottomH, uint32_t Color, uint8_t Alpha) {
  FillRectOnDC(DC, RECT{R.left, R.top, R.right, R.top + TopH}, Color, Alpha);
  FillRectOnDC(DC, RECT{R.left, R.top + TopH, R.left + LeftW, R.bottom - BottomH}, Color, Alpha);
  FillRectOnDC(DC, RECT{R.right - RightW, R.top + TopH, R.right, R.bottom - BottomH}, Color, Alpha);
  FillRectOnDC(DC, RECT{R.left, R.bottom - BottomH, R.right, R.bottom}, Color, Alpha);
}

namespace {

struct DisabledLook {
  int GrayLevel = -90;
  uint8_t BlendLevel = 100;
};

DisabledLook& Disabled() {
  static DisabledLook Settings;
  return Settings;
}

}  // namespace

int DisabledGrayLevel() { return Disabled().GrayLevel; }
void SetDisabledGrayLevel(int Value) { Disabled().GrayLevel = Value; }
uint8_t DisabledBlendLevel() { return Disabled().BlendLevel; }
void SetDisabledBlendLevel(uint8_t Value) { Disabled().BlendLevel = Value; }

void ApplyDisabledKind(TBitmap& Bmp, uint8_t DisabledKind, const TacBackgroundSource& BgSource, POINT Offset,
                       uint32_t ControlBgColor) {
  if (DisabledKind & dkGrayed) {
    if (DisabledGrayLevel() == -100)
      GrayscaleBitmap(Bmp);
    else
      ForEachPixelExcept(&Bmp, SaturatePixelProc, DisabledGrayLevel() * 255 / 100, 0xFF00FF);
  }
  if (DisabledKind & dkBlended) {
    if (BgSource.Ready && BgSource.Bmp) {
      const int X = BgSource.X + Offset.x, Y = BgSource.Y + Offset.y;
      BlendRectExceptColor(Bmp, 0, 0, *BgSource.Bmp, RECT{X, Y, X + Bmp.Width() - 1, Y + Bmp.Height() - 1},
                           DisabledBlendLevel(), 0xFF00FF);
    } else {
      const uint32_t Color = BgSource.FillColor != 0xFF00FF ? BgSource.FillColor : ControlBgColor;
      BlendRectWithColor(Bmp, RECT{0, 0, Bmp.Width() - 1, Bmp.Height() - 1}, DisabledBlendLevel(), Color);
    }
  }
}
