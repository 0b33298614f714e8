#include "skin/graphics/Gradients.h"

#include <algorithm>
#include <cmath>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

struct GradientsUnit {
  int Nesting = 0;
  HMODULE Library = nullptr;
  GradientFillFn GradientFill = nullptr;
};

GradientsUnit& Unit() {
  static GradientsUnit Instance;
  return Instance;
}

std::vector<String> SplitFields(const String& Text) {
  std::vector<String> Fields;
  size_t Start = 0;
  for (;;) {
    size_t End = Text.find(L';', Start);
    Fields.push_back(Text.substr(Start, End == String::npos ? String::npos : End - Start));
    if (End == String::npos) return Fields;
    Start = End + 1;
  }
}

// A missing field reads as empty text and fails like any other non-number.
int FieldInt(const std::vector<String>& Fields, size_t Index) {
  return StrToInt(Index < Fields.size() ? Fields[Index] : String());
}

// Pixel order, opaque: the colour of a gradient stop as painted.
inline uint32_t Channel(uint32_t Color, int Shift) { return Color >> Shift & 0xFF; }

// The colours of one segment stepped linearly: Count entries from From
// towards To (the end colour itself belongs to the next segment).
void StepColors(uint32_t From, uint32_t To, int Count, uint32_t* Out) {
  if (From == To) {
    std::fill_n(Out, Count, 0xFF000000u | ExchangeRedBlue(From & 0xFFFFFF));
    return;
  }
  double Start[3], Step[3];
  for (int c = 0; c < 3; ++c) {
    Start[c] = Channel(From, 8 * c);
    Step[c] = (double(Channel(To, 8 * c)) - Start[c]) / Count;
  }
  for (int k = 0; k < Count; ++k) {
    uint32_t r = uint32_t(std::nearbyint(Start[0] + Step[0] * k));
    uint32_t g = uint32_t(std::nearbyint(Start[1] + Step[1] * k));
    uint32_t b = uint32_t(std::nearbyint(Start[2] + Step[2] * k));
    Out[k] = 0xFF000000u | r << 16 | g << 8 | b;
  }
}

struct Segment {
  int Start, End;  // rows or columns, end exclusive
  const TsGradItem *From, *To;
};

// Splits Length pixels (from Origin) among the items. Vertical segments end
// at start + difference x Length div 100, horizontal ones are rounded.
std::vector<Segment> Segments(const TsGradArray& Items, int Origin, int Length, bool Rounded) {
  std::vector<Segment> Result;
  int Start = Origin;
  const int Limit = Origin + Length;
  for (size_t i = 1; i < Items.size(); ++i) {
    int Difference = int(Items[i].Percent) - int(Items[i - 1].Percent);
    int End = Rounded ? Start + int(std::nearbyint(double(Difference) * Length / 100))
                      : Start + Difference * Length / 100;
    End = std::min(End, Limit);
    if (i + 1 == Items.size()) End = Limit;
    if (End > Start) Result.push_back({Start, End, &Items[i - 1], &Items[i]});
    Start = std::max(Start, End);
  }
  return Result;
}

bool IsGdiPlusSegment(const Segment& s) { return (s.From->Mode | s.To->Mode) & gmGdiPlusSegment; }

// Colours of every row (vertical) or column (horizontal) of the gradient;
// GDI+ segments are marked with 0 and painted separately.
std::vector<uint32_t> GradientLine(const TsGradArray& Items, int Length, bool Horizontal,
                                   std::vector<Segment>& GdiPlusSegments) {
  std::vector<uint32_t> Line(std::max(Length, 0), 0xFF000000u | ExchangeRedBlue(Items.front().Color & 0xFFFFFF));
  if (Items.size() == 1) return Line;
  for (const Segment& s : Segments(Items, 0, Length, Horizontal)) {
    if (IsGdiPlusSegment(s)) {
      GdiPlusSegments.push_back(s);
      std::fill(Line.begin() + s.Start, Line.begin() + s.End, 0);
      continue;
    }
    StepColors(s.From->Color, s.To->Color, s.End - s.Start, Line.data() + s.Start);
  }
  return Line;
}

void PaintGdiPlusSegments(TBitmap& Bmp, const RECT& R, const std::vector<Segment>& List, bool Horizontal) {
  if (List.empty()) return;
  HDC DC = Bmp.DC();
  for (const Segment& s : List) {
    int Saved = SaveDC(DC);
    if (Horizontal) {
      IntersectClipRect(DC, R.left + s.Start, R.top, R.left + s.End, R.bottom);
      GpFillGradientH(DC, s.From->Color, s.To->Color, R.left + s.Start - 1, R.top, s.End - s.Start + 1,
                      R.bottom - R.top);
    } else {
      IntersectClipRect(DC, R.left, R.top + s.Start, R.right, R.top + s.End);
      GpFillGradientV(DC, s.From->Color, s.To->Color, R.left, R.top + s.Start - 1, R.right - R.left,
                      s.End - s.Start + 1);
    }
    RestoreDC(DC, Saved);
  }
}

void PaintFourCorner(TBitmap& Bmp, const RECT& R, const TsGradArray& Items) {
  if (Items.size() < 5) return;
  if (Items[0].Mode & gmGdiPlusPath) {
    POINT Corners[4] = {{R.left, R.top}, {R.right, R.top}, {R.right, R.bottom}, {R.left, R.bottom}};
    uint32_t Colors[4] = {Items[0].Color, Items[2].Color, Items[3].Color, Items[4].Color};
    GpFillPathGradient(Bmp.DC(), Corners, Colors, R.left, R.top, R.right - R.left, R.bottom - R.top, Items[1].Color);
    return;
  }
  GradientFillFn Fill = Unit().GradientFill;
  if (!Fill) return;
  auto Vertex = [](LONG x, LONG y, uint32_t c) {
    return TRIVERTEX{x,     y, COLOR16((c & 0xFF) << 8), COLOR16((c >> 8 & 0xFF) << 8), COLOR16((c >> 16 & 0xFF) << 8),
                     0xFF00};
  };
  TRIVERTEX V[5] = {Vertex(R.left, R.top, Items[0].Color),
                    Vertex((R.left + R.right) / 2, (R.top + R.bottom) / 2, Items[1].Color),
                    Vertex(R.right, R.top, Items[2].Color), Vertex(R.right, R.bottom, Items[3].Color),
                    Vertex(R.left, R.bottom, Items[4].Color)};
  GRADIENT_TRIANGLE T[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  Fill(Bmp.DC(), V, 5, T, 4, GRADIENT_FILL_TRIANGLE);
  GdiFlush();
}

}  // namespace

TsGradArray ParseGradientString(const String& Text) {
  TsGradArray Items;
  if (Text.size() <= 4) return Items;
  const std::vector<String> Fields = SplitFields(Text);
  if (Text.back() == L'0') {
    const size_t Count = Fields.size() / 5;
    int Position = 0;
    for (size_t c = 0; c < Count; ++c) {
      TsGradItem Item{};
      Item.Index = uint16_t(c);
      Item.Color = uint32_t(FieldInt(Fields, 5 * c)) | 0xFF000000u;
      Item.Mode = uint32_t(FieldInt(Fields, 5 * c + 3)) & ~gmGdiPlusSegment;
      Item.Percent = uint8_t(std::min(100, Position));
      Position += std::clamp(FieldInt(Fields, 5 * c + 2), 0, 100);
      Items.push_back(Item);
    }
    if (!Items.empty() && (Items[0].Mode & 3) == 2)
      while (Items.size() < 5) {
        TsGradItem Copy = Items.back();
        Copy.Index = uint16_t(Items.size());
        Items.push_back(Copy);
      }
  } else {
    const int Count = int(Text.back()) - 64;
    for (int b = 0; b < Count; ++b) {
      TsGradItem Item{};
      Item.Index = uint16_t(b);
      Item.Color = uint32_t(FieldInt(Fields, 3 * b));
      Item.Percent = uint8_t(std::clamp(FieldInt(Fields, 3 * b + 1), 0, 100));
      Item.Mode = uint32_t(FieldInt(Fields, 3 * b + 2));
      if (Item.Mode & gmGdiPlusSegment) Item.Mode |= gmGdiPlusPath;
      Items.push_back(Item);
    }
  }
  if (!Items.empty()) Items.back().Percent = 100;
  return Items;
}

void PaintGradient(TBitmap& Bmp, RECT Rect, const TsGradArray& Items) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (Items.empty() || !ClipToBitmap(Bmp, Rect) || !PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  std::vector<Segment> GdiPlusSegments;
  switch (Items[0].Mode & 3) {
    case 0: {
      std::vector<uint32_t> Rows = GradientLine(Items, H, false, GdiPlusSegments);
      for (int y = 0; y < H; ++y) {
        if (Rows[y] == 0) continue;
        uint32_t* Row = PixelRow(Row0, Step, Rect.top + y) + Rect.left;
        std::fill_n(Row, W, Rows[y]);
      }
      PaintGdiPlusSegments(Bmp, Rect, GdiPlusSegments, false);
      break;
    }
    case 1: {
      std::vector<uint32_t> Columns = GradientLine(Items, W, true, GdiPlusSegments);
      uint32_t* Top = PixelRow(Row0, Step, Rect.top) + Rect.left;
      for (int x = 0; x < W; ++x)
        if (Columns[x]) Top[x] = Columns[x];
      PaintGdiPlusSegments(Bmp, RECT{Rect.left, Rect.top, Rect.right, Rect.top + 1}, GdiPlusSegments, true);
      GdiFlush();
      for (int y = 1; y < H; ++y) std::copy_n(Top, W, PixelRow(Row0, Step, Rect.top + y) + Rect.left);
      break;
    }
    case 2:
      PaintFourCorner(Bmp, Rect, Items);
      break;
    default:
      break;
  }
}

void PaintGradientBlended(TBitmap& Bmp, RECT Rect, const TsGradArray& Items, uint8_t Alpha, uint8_t Weight,
                          RECT TextureRect, TBitmap& Texture) {
  uint8_t *Row0, *T0;
  ptrdiff_t Step, TStep;
  if (Items.empty() || (Items[0].Mode & 3) > 1) return;
  if (!ClipToBitmap(Bmp, Rect) || !PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  if (IsRectEmpty(&TextureRect)) TextureRect = RECT{0, 0, Texture.Width(), Texture.Height()};
  if (!ClipToBitmap(Texture, TextureRect) || !PrepareScanlineWalk(&Texture, T0, TStep)) return;
  const bool Horizontal = (Items[0].Mode & 3) == 1;
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  const int TW = TextureRect.right - TextureRect.left, TH = TextureRect.bottom - TextureRect.top;
  std::vector<Segment> Ignored;  // the blended form steps every segment itself
  TsGradArray Plain = Items;
  for (TsGradItem& Item : Plain) Item.Mode &= ~gmGdiPlusSegment;
  std::vector<uint32_t> Line = GradientLine(Plain, Horizontal ? W : H, Horizontal, Ignored);
  const uint32_t w = Weight;
  for (int y = Rect.top; y < Rect.bottom; ++y) {
    uint32_t* Row = PixelRow(Row0, Step, y);
    const uint32_t* TRow = PixelRow(T0, TStep, TextureRect.top + y % TH) + TextureRect.left;
    for (int x = Rect.left; x < Rect.right; ++x) {
      uint32_t G = Horizontal ? Line[x - Rect.left] : Line[y - Rect.top];
      uint32_t T = TRow[x % TW];
      uint32_t Out = uint32_t(Alpha) << 24;
      for (int Shift = 0; Shift < 24; Shift += 8) {
        int g = int(G >> Shift & 0xFF), t = int(T >> Shift & 0xFF);
        Out |= uint32_t(((int(w) * (t - g) + g * 256) >> 8) & 0xFF) << Shift;
      }
      Row[x] = Out;
    }
  }
}

std::unique_ptr<TBitmap> CreateGlowShape(uint32_t Color, int Radius, int TopOffset, int ExtraHeight, int ExtraWidth,
                                         int FalloffWidth, bool GreyMask, bool Premultiply) {
  Radius = std::max(Radius, 0);
  const int W = 2 * Radius + ExtraWidth + 1, H = 2 * Radius + TopOffset + ExtraHeight + 1;
  auto Bmp = NewBitmap32(W, H);
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(Bmp.get(), Row0, Step)) return Bmp;
  const uint32_t Rgb = ExchangeRedBlue(Color) & 0xFFFFFF, ColorAlpha = Color >> 24;
  const double Falloff = FalloffWidth > 0 ? std::min(FalloffWidth, Radius) : Radius;
  // The straight middle spans copy the corners' profile, so the distance is
  // measured to the inner rectangle the corner circles are centred on.
  const int Left = Radius, Right = W - 1 - Radius, Top = TopOffset + Radius, Bottom = H - 1 - Radius;
  for (int y = 0; y < H; ++y) {
    uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = 0; x < W; ++x) {
      int Level = 0;
      if (y >= TopOffset) {
        int dx = x < Left ? Left - x : x > Right ? x - Right : 0;
        int dy = y < Top ? Top - y : y > Bottom ? y - Bottom : 0;
        double D = std::sqrt(double(dx) * dx + double(dy) * dy);
        if (Radius == 0 || D <= Radius - Falloff)
          Level = D <= Radius ? 255 : 0;
        else if (D < Radius)
          Level = std::min(255, int(std::nearbyint(255 * (Radius - D) / Falloff)));
      }
      if (GreyMask) {
        uint32_t g = 255 - uint32_t(Level);
        Row[x] = 0xFF000000u | g << 16 | g << 8 | g;
      } else {
        uint32_t a = uint32_t(Level) * ColorAlpha >> 8;
        Row[x] = a << 24 | Rgb;
      }
    }
  }
  if (Premultiply)
    for (int y = 0; y < H; ++y) {
      uint32_t* Row = PixelRow(Row0, Step, y);
      for (int x = 0; x < W; ++x) {
        uint32_t p = Row[x], a = p >> 24;
        Row[x] = (p & 0xFF000000u) | ((p >> 16 & 0xFF) * a >> 8) << 16 | ((p >> 8 & 0xFF) * a >> 8) << 8 |
                 ((p & 0xFF) * a >> 8);
      }
    }
  return Bmp;
}

void FillFadeGradient(TBitmap& Bmp, uint32_t Color, int Side) {
  FillRect32(Bmp, RECT{0, 0, Bmp.Width(), Bmp.Height()}, 0, 1);
  const bool Horizontal = Side == 0 || Side == 2;
  const bool OpaqueFirst = Side == 0 || Side == 1;
  const uint32_t Opaque = Color, Clear = Color & 0x00FFFFFF;
  TsGradArray Items(2);
  Items[0] = TsGradItem{0, Horizontal ? 61u : 28u, OpaqueFirst ? Opaque : Clear, 0};
  Items[1] = TsGradItem{1, Horizontal ? 29u : 28u, OpaqueFirst ? Clear : Opaque, 100};
  PaintGradient(Bmp, RECT{0, 0, Bmp.Width(), Bmp.Height()}, Items);
}

void InitGradients() {
  GradientsUnit& u = Unit();
  if (u.Nesting++ > 0) return;
  u.Library = LoadLibraryW(L"msimg32.dll");
  u.GradientFill = u.Library ? reinterpret_cast<GradientFillFn>(
                                   reinterpret_cast<void*>(GetProcAddress(u.Library, "GradientFill")))
                             : nullptr;
}

void DoneGradients() {
  GradientsUnit& u = Unit();
  if (u.Nesting == 0 || --u.Nesting > 0) return;
  u.GradientFill = nullptr;
  if (u.Library) FreeLibrary(u.Library);
  u.Library = nullptr;
}

bool GradientFillAvailable() { return Unit().GradientFill != nullptr; }
