#include "skin/graphics/ColorAdjust.h"

#include <algorithm>
#include <cmath>

#include "framework/GdiHandles.h"

namespace {

inline uint32_t Exchange(uint32_t c) { return (c & 0xFF00FF00u) | (c >> 16 & 0xFF) | (c & 0xFF) << 16; }

struct GraphUtilsUnit {
  int Nesting = 0;
  HMODULE Gdi = nullptr;
  HMODULE User = nullptr;
  TGraphUtilsBindings Bound;
};

GraphUtilsUnit& Unit() {
  static GraphUtilsUnit Instance;
  return Instance;
}

template <typename T>
void Bind(T& Target, HMODULE Module, const char* Name) {
  Target = Module ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Module, Name))) : nullptr;
}

}  // namespace

uint32_t MixColors(uint32_t Color1, uint32_t Color2, uint8_t Weight) {
  uint32_t Result = Color1 & 0xFF000000u;
  for (int Shift = 0; Shift < 24; Shift += 8) {
    uint32_t c1 = Color1 >> Shift & 0xFF, c2 = Color2 >> Shift & 0xFF;
    Result |= ((c1 * Weight + c2 * (255 - Weight)) >> 8) << Shift;
  }
  return Result;
}

uint32_t ChangeColorLightness(uint32_t Color, int Amount) {
  if (Amount == 0) return Color;
  uint32_t Result = Color & 0xFF000000u;
  for (int Shift = 0; Shift < 24; Shift += 8) {
    int c = int(Color >> Shift & 0xFF);
    c = Amount > 0 ? std::min(255, c + ((c * Amount) >> 8)) : std::max(0, c - ((c * -Amount) >> 8));
    Result |= uint32_t(c) << Shift;
  }
  return Result;
}

uint32_t SaturatePixel(uint32_t Pixel, int Amount) {
  if (Amount == 0) return Pixel;
  const int r = Pixel >> 16 & 0xFF, g = Pixel >> 8 & 0xFF, b = Pixel & 0xFF;
  const int L = int(std::nearbyint(0.299 * r + 0.587 * g + 0.114 * b));
  auto Channel = [&](int c) { return uint32_t(std::clamp((255 + Amount) * c - Amount * L, 0, 65535) >> 8); };
  return (Pixel & 0xFF000000u) | Channel(r) << 16 | Channel(g) << 8 | Channel(b);
}

uint32_t HuePixel(uint32_t Pixel, int Amount) {
  const double R = Pixel >> 16 & 0xFF, G = Pixel >> 8 & 0xFF, B = Pixel & 0xFF;
  const double V = std::max({R, G, B}), Delta = V - std::min({R, G, B});
  const double S = V == 0 ? 0 : Delta / V;
  const uint32_t Top = Pixel & 0xFF000000u;
  if (S == 0) return (Pixel & 0xFF00FFFFu) | uint32_t(V) << 16;
  double H = R == V ? 60 * (G - B) / Delta : G == V ? 120 + 60 * (B - R) / Delta : 240 + 60 * (R - G) / Delta;
  if (H < 0) H += 360;
  int H2 = int(std::trunc(Amount + H)) % 360;
  if (H2 < 0) H2 += 360;  // a negative shift turns the other way round the circle
  const double t = H2 / 60.0;
  const int i = int(std::trunc(t));
  const double f = t - i;
  auto Limit = [](double v) { return std::max(0.0, std::min(255.0, v)); };
  const double p = Limit(V * (1 - S)), q = Limit(V * (1 - f * S)), r = Limit(V * (1 - (1 - f) * S));
  double nr, ng, nb;
  switch (i) {
    case 0:
      nr = V, ng = r, nb = p;
      break;
    case 1:
      nr = q, ng = V, nb = p;
      break;
    case 2:
      nr = p, ng = V, nb = r;
      break;
    case 3:
      nr = p, ng = q, nb = V;
      break;
    case 4:
      nr = r, ng = p, nb = V;
      break;
    default:
      nr = V, ng = p, nb = q;
      break;
  }
  return Top | uint32_t(nr) << 16 | uint32_t(ng) << 8 | uint32_t(nb);
}

uint32_t ApplyColorSaturation(uint32_t Color, int Amount) {
  return Amount == 0 ? Color : Exchange(SaturatePixel(Exchange(Color), Amount));
}

uint32_t ApplyColorHue(int Hue, uint32_t Color) { return Hue == 0 ? Color : Exchange(HuePixel(Exchange(Color), Hue)); }

uint32_t ApplyColorTone(uint32_t Pixel, uint32_t Tone) {
  const uint32_t m = std::max({Pixel >> 16 & 0xFF, Pixel >> 8 & 0xFF, Pixel & 0xFF});
  const uint32_t r = (Tone & 0xFF) * m >> 8, g = (Tone >> 8 & 0xFF) * m >> 8, b = (Tone >> 16 & 0xFF) * m >> 8;
  return (Pixel & 0xFF000000u) | r << 16 | g << 8 | b;
}

uint32_t SwapRedBlueBytes(uint32_t Color) { return ((Color >> 16) + ((Color & 0xFF) << 16)) | (Color & 0xFF00); }

void LightenPixelProc(uint32_t* Pixel, int Amount) { *Pixel = ChangeColorLightness(*Pixel, Amount); }
void SaturatePixelProc(uint32_t* Pixel, int Amount) { *Pixel = SaturatePixel(*Pixel, Amount); }
void HuePixelProc(uint32_t* Pixel, int Amount) { *Pixel = HuePixel(*Pixel, Amount); }
void TonePixelProc(uint32_t* Pixel, int Tone) { *Pixel = ApplyColorTone(*Pixel, uint32_t(Tone)); }

void InitGraphUtils() {
  GraphUtilsUnit& u = Unit();
  if (u.Nesting++ > 0) return;
  u.Bound = TGraphUtilsBindings{};
  u.Gdi = LoadLibraryA("gdi32.dll");
  Bind(u.Bound.SetLayout, u.Gdi, "SetLayout");
  Bind(u.Bound.GetLayout, u.Gdi, "GetLayout");
  u.User = LoadLibraryA("user32.dll");
  Bind(u.Bound.UpdateLayeredWindow, u.User, "UpdateLayeredWindow");
  Bind(u.Bound.SetLayeredWindowAttributes, u.User, "SetLayeredWindowAttributes");
}

void DoneGraphUtils() {
  GraphUtilsUnit& u = Unit();
  if (u.Nesting == 0 || --u.Nesting > 0) return;
  u.Bound = TGraphUtilsBindings{};
  if (u.Gdi) FreeLibrary(u.Gdi);
  if (u.User) FreeLibrary(u.User);
  u.Gdi = u.User = nullptr;
}

const TGraphUtilsBindings& GraphUtilsBindings() { return Unit().Bound; }

bool LayeredWindowsAvailable() { return Unit().Bound.UpdateLayeredWindow != nullptr; }

void UpdateLayeredWindowFromBitmap(HWND Wnd, TBitmap& Bmp, const SIZE& Size, const BLENDFUNCTION& Blend,
                                   const POINT& Position) {
  const TWindowDC Screen;
  POINT Where = Position, Origin{0, 0};
  SIZE Extent = Size;
  BLENDFUNCTION How = Blend;
  Unit().Bound.UpdateLayeredWindow(Wnd, Screen.get(), &Where, &Extent, Bmp.DC(), &Origin, 0x1FFFFFFF, &How, ULW_ALPHA);
}

void SetDCLayout(HDC DC, DWORD Layout) {
  if (Unit().Bound.SetLayout) Unit().Bound.SetLayout(DC, Layout);
}

DWORD GetDCLayout(HDC DC) { return Unit().Bound.GetLayout ? Unit().Bound.GetLayout(DC) : 0; }
