#include "skin/graphics/GdiPlus.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

// The flat API's objects are opaque here.
using GpGraphics = void;
using GpPen = void;
using GpBrush = void;
using GpImage = void;
using GpBitmap = void;
using GpEffect = void;
using GpStringFormat = void;
using GpFont = void;
using GpFontFamily = void;
using GpStatus = int;

struct GpRectF {
  float X, Y, Width, Height;
};
struct GpRectI {
  int X, Y, Width, Height;
};
struct GpBitmapData {
  UINT Width, Height;
  INT Stride;
  INT PixelFormat;
  void* Scan0;
  UINT_PTR Reserved;
};
struct GpStartupInput {
  UINT32 Version;
  void* DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};
struct GpBlurParams {
  float Radius;
  BOOL ExpandEdge;
};

constexpr int PixelFormat32bppARGB = 0x26200A;
constexpr UINT ImageLockModeWrite = 2;
constexpr int UnitPixel = 2;
constexpr int SmoothingModeHighQuality = 2;
constexpr GUID BlurEffectGuid = {0x633C80A4, 0x1843, 0x482B, {0x9E, 0xF2, 0xBE, 0x28, 0x34, 0xC5, 0xFD, 0xD4}};

struct Exports {
  GpStatus(WINAPI* GdipDrawArc)(GpGraphics*, GpPen*, float, float, float, float, float, float);
  GpStatus(WINAPI* GdipFillPie)(GpGraphics*, GpBrush*, float, float, float, float, float, float);
  GpStatus(WINAPI* GdipDrawLine)(GpGraphics*, GpPen*, float, float, float, float);
  GpStatus(WINAPI* GdipCreatePen1)(uint32_t, float, int, GpPen**);
  GpStatus(WINAPI* GdiplusStartup)(ULONG_PTR*, const GpStartupInput*, void*);
  void(WINAPI* GdiplusShutdown)(ULONG_PTR);
  GpStatus(WINAPI* GdipFillEllipse)(GpGraphics*, GpBrush*, float, float, float, float);
  GpStatus(WINAPI* GdipFillRectangle)(GpGraphics*, GpBrush*, float, float, float, float);
  GpStatus(WINAPI* GdipCreateFromHDC)(HDC, GpGraphics**);
  GpStatus(WINAPI* GdipCreateSolidFill)(uint32_t, GpBrush**);
  GpStatus(WINAPI* GdipSetSmoothingMode)(GpGraphics*, int);
  GpStatus(WINAPI* GdipDrawImageRectRectI)(GpGraphics*, GpImage*, int, int, int, int, int, int, int, int, int,
                                           const void*, void*, void*);
  GpStatus(WINAPI* GdipCreateLineBrush)(const TacGpPoint*, const TacGpPoint*, uint32_t, uint32_t, int, GpBrush**);
  GpStatus(WINAPI* GdipSetCompositingMode)(GpGraphics*, int);
  GpStatus(WINAPI* GdipSetCompositingQuality)(GpGraphics*, int);
  GpStatus(WINAPI* GdipDeleteGraphics)(GpGraphics*);
  GpStatus(WINAPI* GdipDisposeImage)(GpImage*);
  GpStatus(WINAPI* GdipBitmapLockBits)(GpBitmap*, const GpRectI*, UINT, int, GpBitmapData*);
  GpStatus(WINAPI* GdipCreateBitmapFromScan0)(int, int, int, int, BYTE*, GpBitmap**);
  GpStatus(WINAPI* GdipBitmapUnlockBits)(GpBitmap*, GpBitmapData*);
  GpStatus(WINAPI* GdipCreatePathGradient)(const TacGpPoint*, int, int, GpBrush**);
  GpStatus(WINAPI* GdipDeleteBrush)(GpBrush*);
  GpStatus(WINAPI* GdipDeletePen)(GpPen*);
  GpStatus(WINAPI* GdipCreateEffect)(GUID, GpEffect**);
  GpStatus(WINAPI* GdipSetEffectParameters)(GpEffect*, const void*, UINT);
  GpStatus(WINAPI* GdipBitmapCreateApplyEffect)(GpBitmap**, int, GpEffect*, RECT*, RECT*, GpBitmap**, BOOL, void**,
                                                int*);
  GpStatus(WINAPI* GdipCreateBitmapFromHBITMAP)(HBITMAP, HPALETTE, GpBitmap**);
  GpStatus(WINAPI* GdipCreateHBITMAPFromBitmap)(GpBitmap*, HBITMAP*, uint32_t);
  GpStatus(WINAPI* GdipSetPathGradientCenterColor)(GpBrush*, uint32_t);
  GpStatus(WINAPI* GdipSetPathGradientSurroundColorsWithCount)(GpBrush*, const uint32_t*, int*);
  GpStatus(WINAPI* GdipDrawPolygon)(GpGraphics*, GpPen*, const TacGpPoint*, int);
  GpStatus(WINAPI* GdipFillPolygon)(GpGraphics*, GpBrush*, const TacGpPoint*, int, int);
  GpStatus(WINAPI* GdipDrawImagePoints)(GpGraphics*, GpImage*, const TacGpPoint*, int);
  GpStatus(WINAPI* GdipSetInterpolationMode)(GpGraphics*, int);
  GpStatus(WINAPI* GdipCreateStringFormat)(int, LANGID, GpStringFormat**);
  GpStatus(WINAPI* GdipDeleteStringFormat)(GpStringFormat*);
  GpStatus(WINAPI* GdipCreateFontFromDC)(HDC, GpFont**);
  GpStatus(WINAPI* GdipCreateFontFamilyFromName)(const WCHAR*, void*, GpFontFamily**);
  GpStatus(WINAPI* GdipCreateFont)(const GpFontFamily*, float, int, int, GpFont**);
  GpStatus(WINAPI* GdipDeleteFont)(GpFont*);
  GpStatus(WINAPI* GdipDrawString)(GpGraphics*, const WCHAR*, int, const GpFont*, const GpRectF*, const GpStringFormat*,
                                   const GpBrush*);
  GpStatus(WINAPI* GdipSetStringFormatAlign)(GpStringFormat*, int);
  GpStatus(WINAPI* GdipSetStringFormatLineAlign)(GpStringFormat*, int);
  GpStatus(WINAPI* GdipSetTextRenderingHint)(GpGraphics*, int);
  GpStatus(WINAPI* GdipMeasureString)(GpGraphics*, const WCHAR*, int, const GpFont*, const GpRectF*,
                                      const GpStringFormat*, GpRectF*, int*, int*);
  GpStatus(WINAPI* GdipSetStringFormatFlags)(GpStringFormat*, int);
  GpStatus(WINAPI* GdipTranslateWorldTransform)(GpGraphics*, float, float, int);
  GpStatus(WINAPI* GdipRotateWorldTransform)(GpGraphics*, float, int);
  // Not in the drawing set, but what is made must be freed again.
  GpStatus(WINAPI* GdipDeleteFontFamily)(GpFontFamily*);
  GpStatus(WINAPI* GdipDeleteEffect)(GpEffect*);
};

struct GdiPlusUnit {
  int Nesting = 0;
  HMODULE Library = nullptr;
  bool Bound = false;
  ULONG_PTR Token = 0;
  Exports Fn = {};
};

GdiPlusUnit& Unit() {
  static GdiPlusUnit Instance;
  return Instance;
}

const Exports& Fn() { return Unit().Fn; }

template <typename T>
void Bind(T& Target, const char* Name) {
  Target = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Unit().Library, Name)));
}

void BindAll() {
  Exports& f = Unit().Fn;
#define KELVRA_BIND(name) Bind(f.name, #name)
  KELVRA_BIND(GdipDrawArc);
  KELVRA_BIND(GdipFillPie);
  KELVRA_BIND(GdipDrawLine);
  KELVRA_BIND(GdipCreatePen1);
  KELVRA_BIND(GdiplusStartup);
  KELVRA_BIND(GdiplusShutdown);
  KELVRA_BIND(GdipFillEllipse);
  KELVRA_BIND(GdipFillRectangle);
  KELVRA_BIND(GdipCreateFromHDC);
  KELVRA_BIND(GdipCreateSolidFill);
  KELVRA_BIND(GdipSetSmoothingMode);
  KELVRA_BIND(GdipDrawImageRectRectI);
  KELVRA_BIND(GdipCreateLineBrush);
  KELVRA_BIND(GdipSetCompositingMode);
  KELVRA_BIND(GdipSetCompositingQuality);
  KELVRA_BIND(GdipDeleteGraphics);
  KELVRA_BIND(GdipDisposeImage);
  KELVRA_BIND(GdipBitmapLockBits);
  KELVRA_BIND(GdipCreateBitmapFromScan0);
  KELVRA_BIND(GdipBitmapUnlockBits);
  KELVRA_BIND(GdipCreatePathGradient);
  KELVRA_BIND(GdipDeleteBrush);
  KELVRA_BIND(GdipDeletePen);
  KELVRA_BIND(GdipCreateEffect);
  KELVRA_BIND(GdipSetEffectParameters);
  KELVRA_BIND(GdipBitmapCreateApplyEffect);
  KELVRA_BIND(GdipCreateBitmapFromHBITMAP);
  KELVRA_BIND(GdipCreateHBITMAPFromBitmap);
  KELVRA_BIND(GdipSetPathGradientCenterColor);
  KELVRA_BIND(GdipSetPathGradientSurroundColorsWithCount);
  KELVRA_BIND(GdipDrawPolygon);
  KELVRA_BIND(GdipFillPolygon);
  KELVRA_BIND(GdipDrawImagePoints);
  KELVRA_BIND(GdipSetInterpolationMode);
  KELVRA_BIND(GdipCreateStringFormat);
  KELVRA_BIND(GdipDeleteStringFormat);
  KELVRA_BIND(GdipCreateFontFromDC);
  KELVRA_BIND(GdipCreateFontFamilyFromName);
  KELVRA_BIND(GdipCreateFont);
  KELVRA_BIND(GdipDeleteFont);
  KELVRA_BIND(GdipDrawString);
  KELVRA_BIND(GdipSetStringFormatAlign);
  KELVRA_BIND(GdipSetStringFormatLineAlign);
  KELVRA_BIND(GdipSetTextRenderingHint);
  KELVRA_BIND(GdipMeasureString);
  KELVRA_BIND(GdipSetStringFormatFlags);
  KELVRA_BIND(GdipTranslateWorldTransform);
  KELVRA_BIND(GdipRotateWorldTransform);
  KELVRA_BIND(GdipDeleteFontFamily);
  KELVRA_BIND(GdipDeleteEffect);
#undef KELVRA_BIND
  Unit().Bound = true;
}

// Deletes a GDI+ object with its own delete call when it goes out of scope.
template <typename Deleter>
class GpHandle {
 public:
  explicit GpHandle(Deleter Delete) : FDelete(Delete) {}
  ~GpHandle() {
    if (FObject && FDelete) FDelete(FObject);
  }
  GpHandle(const GpHandle&) = delete;
  GpHandle& operator=(const GpHandle&) = delete;
  void** operator&() { return &FObject; }
  void* get() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }

 private:
  void* FObject = nullptr;
  Deleter FDelete;
};

using DeleteFn = GpStatus(WINAPI*)(void*);
using Graphics = GpHandle<DeleteFn>;

// A drawing session: GDI+ must run; everything made in it is released,
// the graphics object last.
struct Session {
  bool Running = GpStart(false);
  ~Session() { GpStop(false); }
};

bool OpenGraphics(HDC DC, Graphics& G, bool Smooth) {
  if (!Fn().GdipCreateFromHDC || Fn().GdipCreateFromHDC(DC, &G) != 0 || !G) return false;
  if (Smooth && Fn().GdipSetSmoothingMode) Fn().GdipSetSmoothingMode(G.get(), SmoothingModeHighQuality);
  return true;
}

uint32_t Argb(uint32_t Color) { return ExchangeRedBlue(Color); }

// A GDI+ bitmap holding a copy of a 32-bit bitmap's pixels, alpha mapped
// by Alpha.
template <typename AlphaMap>
bool CopyIntoGpBitmap(TBitmap& Src, GpHandle<DeleteFn>& Out, AlphaMap Alpha) {
  const Exports& f = Fn();
  if (!f.GdipCreateBitmapFromScan0 || !f.GdipBitmapLockBits || !f.GdipBitmapUnlockBits) return false;
  const int W = Src.Width(), H = Src.Height();
  if (f.GdipCreateBitmapFromScan0(W, H, 0, PixelFormat32bppARGB, nullptr, &Out) != 0 || !Out) return false;
  GpRectI All{0, 0, W, H};
  GpBitmapData Data{};
  if (f.GdipBitmapLockBits(Out.get(), &All, ImageLockModeWrite, PixelFormat32bppARGB, &Data) != 0) return false;
  uint8_t* S0;
  ptrdiff_t SStep;
  if (PrepareScanlineWalk(&Src, S0, SStep))
    for (int y = 0; y < H; ++y) {
      const uint32_t* s = PixelRow(S0, SStep, y);
      auto* d = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(Data.Scan0) + ptrdiff_t(y) * Data.Stride);
      for (int x = 0; x < W; ++x) d[x] = (s[x] & 0xFFFFFF) | uint32_t(Alpha(s[x] >> 24)) << 24;
    }
  f.GdipBitmapUnlockBits(Out.get(), &Data);
  return true;
}

}  // namespace

void InitGdiPlus() {
  GdiPlusUnit& u = Unit();
  if (u.Nesting++ > 0) return;
  if (!u.Library) u.Library = LoadLibraryW(L"gdiplus.dll");
  if (u.Library && !u.Bound) BindAll();
  GpStart(true);
}

void DoneGdiPlus() {
  GdiPlusUnit& u = Unit();
  if (u.Nesting == 0 || --u.Nesting > 0) return;
  GpStop(true);
  if (u.Library) FreeLibrary(u.Library);
  u = GdiPlusUnit{};
}

bool GpStart(bool Start) {
  GdiPlusUnit& u = Unit();
  if (!u.Library) return false;
  if (Start && u.Fn.GdiplusStartup && !u.Token) {
    GpStartupInput Input{1, nullptr, FALSE, FALSE};
    u.Fn.GdiplusStartup(&u.Token, &Input, nullptr);
  }
  return u.Token != 0;
}

void GpStop(bool Stop) {
  GdiPlusUnit& u = Unit();
  if (Stop && u.Library && u.Token && u.Fn.GdiplusShutdown) {
    u.Fn.GdiplusShutdown(u.Token);
    u.Token = 0;
  }
}

uint32_t GpColor(uint32_t Color) {
  uint32_t c = ExchangeRedBlue(Color);
  return c < 0x1000000 ? c | 0xFF000000u : c;
}

void GpDrawLine(HDC DC, uint32_t Color, int X1, int Y1, int X2, int Y2, int Width) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipDrawLine || !f.GdipCreatePen1) return;
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Pen(f.GdipDeletePen);
  if (f.GdipCreatePen1(GpColor(Color), float(Width), UnitPixel, &Pen) != 0 || !OpenGraphics(DC, G, true)) return;
  f.GdipDrawLine(G.get(), Pen.get(), float(X1), float(Y1), float(X2), float(Y2));
}

void GpFillEllipse(HDC DC, uint32_t Color, int X, int Y, int W, int H) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipFillEllipse || !f.GdipCreateSolidFill) return;
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Brush(f.GdipDeleteBrush);
  if (f.GdipCreateSolidFill(GpColor(Color), &Brush) != 0 || !OpenGraphics(DC, G, true)) return;
  f.GdipFillEllipse(G.get(), Brush.get(), float(X), float(Y), float(W), float(H));
}

void GpRoundRect(HDC DC, int X, int Y, int W, int H, int Radius, int BorderWidth, uint32_t FillColor,
                 uint32_t BorderColor) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running) return;
  const bool Border = BorderColor != 0x1FFFFFFF && BorderWidth >= 1;
  const int Reduce = Border ? BorderWidth : 1;
  W -= Reduce;
  H -= Reduce;
  Radius = std::max(0, std::min({Radius, W / 2, H / 2}));
  if (Border) X += BorderWidth / 2, Y += BorderWidth / 2;
  Graphics G(f.GdipDeleteGraphics);
  if (!OpenGraphics(DC, G, true)) return;
  const float D = 2.0f * Radius, x = float(X), y = float(Y), w = float(W), h = float(H), r = float(Radius);
  if (FillColor != 0x1FFFFFFF && f.GdipCreateSolidFill && f.GdipFillPie && f.GdipFillRectangle) {
    GpHandle<DeleteFn> Brush(f.GdipDeleteBrush);
    if (f.GdipCreateSolidFill(GpColor(FillColor), &Brush) == 0) {
      if (Radius > 0) {
        f.GdipFillPie(G.get(), Brush.get(), x, y, D, D, 180, 90);
        f.GdipFillPie(G.get(), Brush.get(), x, y + h - D, D, D, 90, 90);
        f.GdipFillPie(G.get(), Brush.get(), x + w - D, y, D, D, 270, 90);
        f.GdipFillPie(G.get(), Brush.get(), x + w - D, y + h - D, D, D, 0, 90);
      }
      f.GdipFillRectangle(G.get(), Brush.get(), x + r - 1, y, w - 2 * r + 2, h);
      f.GdipFillRectangle(G.get(), Brush.get(), x, y + r - 1, w, h - 2 * r + 2);
    }
  }
  if (!Border) return;
  if (Radius == 0) {
    FillFrameOnDC(DC, RECT{X, Y, X + W, Y + H}, BorderWidth, BorderWidth, BorderWidth, BorderWidth, BorderColor, 0);
    return;
  }
  GpHandle<DeleteFn> Pen(f.GdipDeletePen);
  if (!f.GdipCreatePen1 || f.GdipCreatePen1(Argb(BorderColor) | 0xFF000000u, float(BorderWidth), UnitPixel, &Pen) != 0)
    return;
  if (f.GdipDrawArc) {
    f.GdipDrawArc(G.get(), Pen.get(), x, y, D, D, 180, 90);
    f.GdipDrawArc(G.get(), Pen.get(), x, y + h - D, D, D, 90, 90);
    f.GdipDrawArc(G.get(), Pen.get(), x + w - D, y, D, D, 270, 90);
    f.GdipDrawArc(G.get(), Pen.get(), x + w - D, y + h - D, D, D, 0, 90);
  }
  if (f.GdipDrawLine) {
    f.GdipDrawLine(G.get(), Pen.get(), x + r, y, x + w - r, y);
    f.GdipDrawLine(G.get(), Pen.get(), x + r, y + h, x + w - r, y + h);
    f.GdipDrawLine(G.get(), Pen.get(), x, y + r, x, y + h - r);
    f.GdipDrawLine(G.get(), Pen.get(), x + w, y + r, x + w, y + h - r);
  }
}

void GpRoundBorder(HDC DC, int X, int Y, int W, int H, int Width, uint32_t Color, const int Radii[4], int Sides) {
  if (Color == 0x1FFFFFFF || Width < 1) return;
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipCreatePen1) return;
  if (Sides == 0) Sides = 15;
  const int Near = Width / 2, Far = Width - Width / 2 + (Width % 2 == 0 ? 1 : 0);
  const float L = float(X + Near), T = float(Y + Near), R = float(X + W - Far), B = float(Y + H - Far);
  const int tl = Radii[0], tr = Radii[1], bl = Radii[2], br = Radii[3];
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Pen(f.GdipDeletePen);
  if (f.GdipCreatePen1(GpColor(Color), float(Width), UnitPixel, &Pen) != 0 || !OpenGraphics(DC, G, true)) return;
  auto Arc = [&](float x, float y, int r, float Start) {
    if (r > 0 && f.GdipDrawArc) f.GdipDrawArc(G.get(), Pen.get(), x, y, 2.0f * r, 2.0f * r, Start, 90);
  };
  Arc(L, T, tl, 180);
  Arc(R - 2 * tr, T, tr, 270);
  Arc(L, B - 2 * bl, bl, 90);
  Arc(R - 2 * br, B - 2 * br, br, 0);
  const float Ext = float(Width / 2);
  auto Line = [&](int Bit, float x1, float y1, float x2, float y2) {
    if (!(Sides & Bit) || !f.GdipDrawLine) return;
    if (x1 == x2 ? y2 <= y1 : x2 <= x1) return;
    if (x1 == x2)
      f.GdipDrawLine(G.get(), Pen.get(), x1, y1 - Ext, x2, y2 + Ext);
    else
      f.GdipDrawLine(G.get(), Pen.get(), x1 - Ext, y1, x2 + Ext, y2);
  };
  Line(1, L, T + tl, L, B - bl);
  Line(2, L + tl, T, R - tr, T);
  Line(4, R, T + tr, R, B - br);
  Line(8, L + bl, B, R - br, B);
}

void GpRectBorder(HDC DC, RECT Rect, int Width, uint32_t Color, int Sides) {
  if (Color == 0x1FFFFFFF || Width < 1) return;
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipCreatePen1 || !f.GdipDrawLine) return;
  if (Sides == 0) Sides = 15;
  Rect.left += Width / 2;
  Rect.top += Width / 2;
  Rect.right -= Width;
  Rect.bottom -= Width;
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Pen(f.GdipDeletePen);
  if (f.GdipCreatePen1(Argb(Color) | 0xFF000000u, float(Width), UnitPixel, &Pen) != 0 || !OpenGraphics(DC, G, true))
    return;
  const float l = float(Rect.left), t = float(Rect.top), r = float(Rect.right), b = float(Rect.bottom);
  if ((Sides & 2) && r > l) f.GdipDrawLine(G.get(), Pen.get(), l, t, r, t);
  if ((Sides & 8) && r > l) f.GdipDrawLine(G.get(), Pen.get(), l, b, r, b);
  if ((Sides & 1) && b > t) f.GdipDrawLine(G.get(), Pen.get(), l, t, l, b);
  if ((Sides & 4) && b > t) f.GdipDrawLine(G.get(), Pen.get(), r, t, r, b);
}

void GpFillRectAlpha(HDC DC, uint32_t Color, const RECT& Rect, uint8_t Alpha) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipCreateSolidFill || !f.GdipFillRectangle) return;
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Brush(f.GdipDeleteBrush);
  if (f.GdipCreateSolidFill((Argb(Color) & 0xFFFFFF) | uint32_t(Alpha) << 24, &Brush) != 0 ||
      !OpenGraphics(DC, G, false))
    return;
  f.GdipFillRectangle(G.get(), Brush.get(), float(Rect.left), float(Rect.top), float(Rect.right - Rect.left),
                      float(Rect.bottom - Rect.top));
}

static void FillLinear(HDC DC, uint32_t Color1, uint32_t Color2, int X, int Y, int W, int H, bool Horizontal) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipCreateLineBrush || !f.GdipFillRectangle) return;
  TacGpPoint From{float(X), float(Y)}, To{float(Horizontal ? X + W : X), float(Horizontal ? Y : Y + H)};
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Brush(f.GdipDeleteBrush);
  if (f.GdipCreateLineBrush(&From, &To, Argb(Color1), Argb(Color2), 0, &Brush) != 0 || !OpenGraphics(DC, G, false))
    return;
  f.GdipFillRectangle(G.get(), Brush.get(), float(X), float(Y), float(W), float(H));
}

void GpFillGradientH(HDC DC, uint32_t Color1, uint32_t Color2, int X, int Y, int W, int H) {
  FillLinear(DC, Color1, Color2, X, Y, W, H, true);
}

void GpFillGradientV(HDC DC, uint32_t Color1, uint32_t Color2, int X, int Y, int W, int H) {
  FillLinear(DC, Color1, Color2, X, Y, W, H, false);
}

void GpFillPathGradient(HDC DC, const POINT Corners[4], const uint32_t CornerColors[4], int X, int Y, int W, int H,
                        uint32_t CenterColor) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipCreatePathGradient || !f.GdipFillRectangle) return;
  TacGpPoint Points[4];
  uint32_t Colors[4];
  for (int i = 0; i < 4; ++i) {
    Points[i] = TacGpPoint{float(Corners[i].x), float(Corners[i].y)};
    Colors[i] = Argb(CornerColors[i]);
  }
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Brush(f.GdipDeleteBrush);
  if (f.GdipCreatePathGradient(Points, 4, 0, &Brush) != 0 || !OpenGraphics(DC, G, false)) return;
  int Count = 4;
  if (f.GdipSetPathGradientSurroundColorsWithCount)
    f.GdipSetPathGradientSurroundColorsWithCount(Brush.get(), Colors, &Count);
  if (f.GdipSetPathGradientCenterColor) f.GdipSetPathGradientCenterColor(Brush.get(), Argb(CenterColor));
  f.GdipFillRectangle(G.get(), Brush.get(), float(X), float(Y), float(W), float(H));
}

void GpDrawPolygon(HDC DC, uint32_t Color, const TacGpPoint* Points, int Count, int Width) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipDrawPolygon || !f.GdipCreatePen1) return;
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Pen(f.GdipDeletePen);
  if (f.GdipCreatePen1(GpColor(Color), float(Width), UnitPixel, &Pen) != 0 || !OpenGraphics(DC, G, true)) return;
  f.GdipDrawPolygon(G.get(), Pen.get(), Points, Count);
}

void GpFillPolygon(HDC DC, uint32_t Color, const TacGpPoints& Points, int Count) {
  Session s;
  const Exports& f = Fn();
  Count = std::min<int>(Count, int(Points.size()));
  if (!s.Running || !f.GdipFillPolygon || !f.GdipCreateSolidFill || Count < 1) return;
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Brush(f.GdipDeleteBrush);
  if (f.GdipCreateSolidFill(GpColor(Color), &Brush) != 0 || !OpenGraphics(DC, G, true)) return;
  f.GdipFillPolygon(G.get(), Brush.get(), Points.data(), Count, 1);
}

void GpFillPolygonInt(HDC DC, uint32_t Color, const POINT* Points, int Count) {
  TacGpPoints Copy(std::max(Count, 0));
  for (int i = 0; i < Count; ++i) Copy[i] = TacGpPoint{float(Points[i].x), float(Points[i].y)};
  GpFillPolygon(DC, Color, Copy, Count);
}

float SinDeg(int Angle) {
  static const auto Table = [] {
    std::array<std::pair<float, float>, 360> t{};
    for (int i = 0; i < 360; ++i)
      t[i] = {float(std::sin(i * std::numbers::pi / 180)), float(std::cos(i * std::numbers::pi / 180))};
    return t;
  }();
  return Table[((Angle % 360) + 360) % 360].first;
}

float CosDeg(int Angle) { return SinDeg(Angle % 360 + 90); }

void GpRotatePoints(TacGpPoint* Points, TacGpPoint Center, int Count, int Angle) {
  const float s = SinDeg(Angle), c = CosDeg(Angle);
  for (int i = 0; i < Count; ++i) {
    const float dx = Points[i].X - Center.X, dy = Points[i].Y - Center.Y;
    Points[i] = TacGpPoint{Center.X + dx * c + dy * s, Center.Y - dx * s + dy * c};
  }
}

void GpDrawRotated(HDC DC, TBitmap& Bitmap, const RECT& Rect, int Angle) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipDrawImagePoints || Bitmap.PixelFormat() != pf32bit) return;
  Angle = ((360 - Angle) % 360 + 360) % 360;
  TacGpPoint Points[3] = {{float(Rect.left), float(Rect.top)},
                          {float(Rect.right), float(Rect.top)},
                          {float(Rect.left), float(Rect.bottom)}};
  GpRotatePoints(Points, TacGpPoint{(Rect.left + Rect.right) / 2.0f, (Rect.top + Rect.bottom) / 2.0f}, 3, Angle);
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Image(f.GdipDisposeImage);
  if (!CopyIntoGpBitmap(Bitmap, Image, [](uint32_t a) { return a; }) || !OpenGraphics(DC, G, false)) return;
  if (f.GdipSetInterpolationMode) f.GdipSetInterpolationMode(G.get(), 7);  // high-quality bicubic
  f.GdipDrawImagePoints(G.get(), Image.get(), Points, 3);
}

void GpStretchDraw32(TBitmap& Dst, TBitmap& Src, const RECT& DstRect, const RECT& SrcRect) {
  if (Src.PixelFormat() != pf32bit) return;
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipDrawImageRectRectI) return;
  {
    Graphics G(f.GdipDeleteGraphics);
    GpHandle<DeleteFn> Image(f.GdipDisposeImage);
    // Alpha is halved and lifted so that no pixel is fully transparent to
    // the stretch, which would lose its colour; undone below.
    if (!CopyIntoGpBitmap(Src, Image, [](uint32_t a) { return a / 2 + 127; }) || !OpenGraphics(Dst.DC(), G, false))
      return;
    if (f.GdipSetCompositingMode) f.GdipSetCompositingMode(G.get(), 1);  // source copy
    if (f.GdipSetCompositingQuality) f.GdipSetCompositingQuality(G.get(), 1);
    f.GdipDrawImageRectRectI(G.get(), Image.get(), DstRect.left, DstRect.top, DstRect.right - DstRect.left,
                             DstRect.bottom - DstRect.top, SrcRect.left, SrcRect.top, SrcRect.right - SrcRect.left,
                             SrcRect.bottom - SrcRect.top, UnitPixel, nullptr, nullptr, nullptr);
  }
  uint8_t* D0;
  ptrdiff_t DStep;
  if (!PrepareScanlineWalk(&Dst, D0, DStep)) return;
  for (int y = 0; y < Dst.Height(); ++y) {
    uint8_t* p = D0 + y * DStep;
    for (int x = 0; x < Dst.Width(); ++x, p += 4) {
      const int a = p[3];
      if (a == 0) continue;
      for (int i = 0; i < 3; ++i) p[i] = uint8_t(std::min(255, p[i] * 256 / a));
      p[3] = uint8_t(std::max(0, 2 * a - 255));
    }
  }
}

void GpStretchDrawRect(TBitmap& Dst, TBitmap& Src, int X, int Y, int W, int H) {
  GpStretchDraw32(Dst, Src, RECT{0, 0, Dst.Width(), Dst.Height()}, RECT{X, Y, X + W, Y + H});
}

void SmoothByHalving(TBitmap& Bitmap) {
  const int W = Bitmap.Width(), H = Bitmap.Height();
  auto Half = NewBitmap32(W / 2, H / 2);
  if (Half->Empty()) return;
  GpStretchDrawRect(*Half, Bitmap, 0, 0, W, H);
  GpStretchDrawRect(Bitmap, *Half, 0, 0, W / 2, H / 2);
}

void GpBlurBitmap(TBitmap& Bitmap, int Radius) {
  if (Bitmap.Empty()) return;
  Session s;
  const Exports& f = Fn();
  if (!s.Running) return;
  GpHandle<DeleteFn> Effect(f.GdipDeleteEffect);
  // The effect is refused on systems without it (GDI+ 1.0): smoothing by
  // halving is the blur they get, as when the export is missing.
  if (!f.GdipCreateEffect || f.GdipCreateEffect(BlurEffectGuid, &Effect) != 0 || !Effect) {
    SmoothByHalving(Bitmap);
    return;
  }
  int r = Radius > 15 && Radius < 20 ? 20 : Radius;
  const int W = Bitmap.Width(), H = Bitmap.Height();
  if (W < 96 && H < 96 && r < 20) {
    const double Factor = double(std::max(r, 20)) / std::max(r, 4);
    auto Work = NewBitmap32(int(std::nearbyint(W * Factor)), int(std::nearbyint(H * Factor)));
    FillRect32(*Work, RECT{0, 0, Work->Width(), Work->Height()}, 0, 0);
    GpStretchDrawRect(*Work, Bitmap, 0, 0, W, H);
    GpBlurBitmap(*Work, std::max(r, 20));
    GpStretchDrawRect(Bitmap, *Work, 0, 0, Work->Width(), Work->Height());
    return;
  }
  GpBlurParams Params{float(r), FALSE};
  if (f.GdipSetEffectParameters) f.GdipSetEffectParameters(Effect.get(), &Params, sizeof(Params));
  GpHandle<DeleteFn> Input(f.GdipDisposeImage), Output(f.GdipDisposeImage);
  if (!f.GdipCreateBitmapFromHBITMAP || f.GdipCreateBitmapFromHBITMAP(Bitmap.Handle(), nullptr, &Input) != 0) return;
  if (!f.GdipBitmapCreateApplyEffect) return;
  void* Inputs[1] = {Input.get()};
  RECT All{0, 0, W, H};
  if (f.GdipBitmapCreateApplyEffect(Inputs, 1, Effect.get(), &All, nullptr, &Output, FALSE, nullptr, nullptr) != 0)
    return;
  HBITMAP Result = nullptr;
  if (f.GdipCreateHBITMAPFromBitmap && f.GdipCreateHBITMAPFromBitmap(Output.get(), &Result, 0) == 0 && Result)
    Bitmap.SetHandle(Result);
}

bool GpDrawText(HDC DC, const String& Text, const RECT& Rect, uint32_t Color, TGpAlign Align, TGpAlign VertAlign,
                bool AntiAliasOnly, const String& FontName, int Angle) {
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipDrawString || !f.GdipCreateSolidFill || !f.GdipCreateStringFormat) return false;
  Graphics G(f.GdipDeleteGraphics);
  if (!OpenGraphics(DC, G, false)) return false;
  GpHandle<DeleteFn> Font(f.GdipDeleteFont), Family(f.GdipDeleteFontFamily);
  if (FontName.empty()) {
    if (!f.GdipCreateFontFromDC || f.GdipCreateFontFromDC(DC, &Font) != 0) return false;
  } else {
    if (!f.GdipCreateFontFamilyFromName || !f.GdipCreateFont ||
        f.GdipCreateFontFamilyFromName(FontName.c_str(), nullptr, &Family) != 0 ||
        f.GdipCreateFont(Family.get(), 32, 0, UnitPixel, &Font) != 0)
      return false;
  }
  GpHandle<DeleteFn> Brush(f.GdipDeleteBrush), Format(f.GdipDeleteStringFormat);
  if (f.GdipCreateSolidFill(GpColor(Color), &Brush) != 0 || f.GdipCreateStringFormat(0, 0, &Format) != 0) return false;
  static const int Alignment[3] = {0, 2, 1};  // left near, right far, centre centre
  if (f.GdipSetStringFormatAlign) f.GdipSetStringFormatAlign(Format.get(), Alignment[Align]);
  if (f.GdipSetStringFormatLineAlign) f.GdipSetStringFormatLineAlign(Format.get(), Alignment[VertAlign]);
  if (f.GdipSetTextRenderingHint) f.GdipSetTextRenderingHint(G.get(), AntiAliasOnly ? 3 : 5);
  GpRectF Layout{float(Rect.left), float(Rect.top), float(Rect.right - Rect.left), float(Rect.bottom - Rect.top)};
  if (Angle != 0 && f.GdipTranslateWorldTransform && f.GdipRotateWorldTransform) {
    const float cx = Align == gaCenter ? (Rect.left + Rect.right) / 2.0f : float(Rect.left);
    const float cy = VertAlign == gaCenter ? (Rect.top + Rect.bottom) / 2.0f : float(Rect.top);
    f.GdipTranslateWorldTransform(G.get(), cx, cy, 0);
    f.GdipRotateWorldTransform(G.get(), float(-Angle), 0);
    Layout.X -= cx;
    Layout.Y -= cy;
  }
  return f.GdipDrawString(G.get(), Text.c_str(), int(Text.size()), Font.get(), &Layout, Format.get(), Brush.get()) == 0;
}

SIZE GpMeasureTextW(HDC DC, const String& Text, bool WordWrap, int MaxWidth) {
  SIZE Size{0, 0};
  Session s;
  const Exports& f = Fn();
  if (!s.Running || !f.GdipMeasureString || !f.GdipCreateFontFromDC || !f.GdipCreateStringFormat) return Size;
  Graphics G(f.GdipDeleteGraphics);
  GpHandle<DeleteFn> Font(f.GdipDeleteFont), Format(f.GdipDeleteStringFormat);
  if (!OpenGraphics(DC, G, false) || f.GdipCreateFontFromDC(DC, &Font) != 0 ||
      f.GdipCreateStringFormat(0, 0, &Format) != 0)
    return Size;
  if (!WordWrap && f.GdipSetStringFormatFlags) f.GdipSetStringFormatFlags(Format.get(), 0x1000);
  GpRectF Layout{0, 0, WordWrap ? (MaxWidth > 0 ? float(MaxWidth) : 32767.0f) : 0.0f, 0}, Box{};
  if (f.GdipMeasureString(G.get(), Text.c_str(), int(Text.size()), Font.get(), &Layout, Format.get(), &Box, nullptr,
                          nullptr) == 0)
    Size = SIZE{LONG(Box.Width) + 1, LONG(Box.Height) + 1};
  return Size;
}

SIZE GpMeasureText(HDC DC, const AnsiString& Text, bool WordWrap) {
  String Wide(Text.size(), L'\0');
  Wide.resize(MultiByteToWideChar(CP_ACP, 0, Text.data(), int(Text.size()), Wide.data(), int(Wide.size())));
  SIZE Size = GpMeasureTextW(DC, Wide, WordWrap);
  if (Size.cx == 0 && Size.cy == 0) {
    // No GDI+ font: the GDI extent of the text.
    SIZE Extent{0, 0};
    GetTextExtentPoint32A(DC, Text.data(), int(Text.size()), &Extent);
    return Extent;
  }
  return Size;
}
