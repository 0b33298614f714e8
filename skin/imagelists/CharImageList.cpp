#include "skin/imagelists/CharImageList.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/GdiHandles.h"
#include "skin/forms/SkinColors.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/FontMetrics.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/imagelists/GlyphOutline.h"
#include "skin/imagelists/IconFont.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"

namespace {
constexpr TColor kWindowTextColor = static_cast<TColor>(0xFF000008);
// Outlines are drawn this many times finer and averaged down: the coverage
// becomes the alpha of the glyph's edges.
constexpr int kContourSamples = 4;
constexpr double kPi = 3.14159265358979323846;

HFONT MakeFont(const String& name, BYTE charset, TFontStyles style, TFontPitch pitch, int height) {
  LOGFONTW lf = {};
  lf.lfHeight = height;
  lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style & fsItalic) != 0;
  lf.lfUnderline = (style & fsUnderline) != 0;
  lf.lfStrikeOut = (style & fsStrikeOut) != 0;
  lf.lfCharSet = charset;
  lf.lfQuality = ANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = pitch == fpFixed ? FIXED_PITCH : pitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  const String face = name.empty() ? String(kIconFontName) : name;
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

int NormalAngle(int angle) { return (angle % 360 + 360) % 360; }

// A white 32-bit bitmap: glyphs are drawn black on it and their darkness
// read back as coverage.
std::unique_ptr<TBitmap> WhiteBitmap(int w, int h) {
  auto bmp = NewBitmap32(w, h);
  FillRect32(*bmp, RECT{0, 0, w, h}, 0xFFFFFF, 0);
  return bmp;
}

uint8_t Coverage(uint32_t pixel) {
  const int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
  return uint8_t(255 - (r + 2 * g + b) / 4);
}

std::vector<uint8_t> CoverageOf(TBitmap& bmp) {
  std::vector<uint8_t> out(size_t(bmp.Width()) * bmp.Height(), 0);
  uint8_t* row0;
  ptrdiff_t step;
  if (!PrepareScanlineWalk(&bmp, row0, step)) return out;
  for (int y = 0; y < bmp.Height(); ++y) {
    uint32_t* row = PixelRow(row0, step, y);
    for (int x = 0; x < bmp.Width(); ++x) out[size_t(y) * bmp.Width() + x] = Coverage(row[x]);
  }
  return out;
}

// The text of one character, black, with its top-left at (x, y).
void DrawChar(HDC dc, HFONT font, wchar_t ch, int x, int y, int w, int h) {
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT r = {x, y, x + w, y + h};
  DrawTextW(dc, &ch, 1, &r, DT_NOPREFIX | DT_EXTERNALLEADING | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
  SelectObject(dc, old);
}

SIZE MeasureChar(HFONT font, wchar_t ch) {
  TMemoryDC dc = TMemoryDC::ForScreen();
  HGDIOBJ old = SelectObject(dc.get(), font);
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc.get(), &ch, 1, &r, DT_CALCRECT | DT_NOPREFIX | DT_EXTERNALLEADING | DT_NOCLIP | DT_SINGLELINE);
  SelectObject(dc.get(), old);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Averages each kContourSamples square of the black-on-white Fine into one
// pixel of Dst, darkening what Dst already shows.
void Downsample(TBitmap& fine, TBitmap& dst) {
  uint8_t *f0, *w0;
  ptrdiff_t fStep, wStep;
  if (!PrepareScanlineWalk(&fine, f0, fStep) || !PrepareScanlineWalk(&dst, w0, wStep)) return;
  const int W = std::min(dst.Width(), fine.Width() / kContourSamples);
  const int H = std::min(dst.Height(), fine.Height() / kContourSamples);
  for (int y = 0; y < H; ++y) {
    uint32_t* out = PixelRow(w0, wStep, y);
    for (int x = 0; x < W; ++x) {
      int dark = 0;
      for (int sy = 0; sy < kContourSamples; ++sy) {
        uint32_t* in = PixelRow(f0, fStep, y * kContourSamples + sy) + x * kContourSamples;
        for (int sx = 0; sx < kContourSamples; ++sx) dark += Coverage(in[sx]);
      }
      const int grey = 255 - std::min(255, dark / (kContourSamples * kContourSamples) + Coverage(out[x]));
      out[x] = uint32_t(grey) << 16 | uint32_t(grey) << 8 | uint32_t(grey);
    }
  }
}

// Fills the outline polygons of the glyph into work, scaled into the box
// (left, top, w, h) keeping the outline's aspect, turned by angle about the
// box's centre. False when the font holds no readable outline.
bool DrawOutline(TBitmap& work, HFONT font512, wchar_t ch, double left, double top, double w, double h, int angle,
                 int penWidth) {
  TacStrokeCollection strokes;
  if (!ReadGlyphOutline(font512, ch, strokes)) return false;
  double bl, bt, br, bb;
  strokes.Bounds(bl, bt, br, bb);
  const double bw = std::max(br - bl, 1.0), bh = std::max(bb - bt, 1.0);
  const double s = std::min(w / bw, h / bh) * kContourSamples;
  const double cx = (left + w / 2) * kContourSamples, cy = (top + h / 2) * kContourSamples;
  const double bcx = (bl + br) / 2, bcy = (bt + bb) / 2;
  const double sn = std::sin(angle * kPi / 180), cs = std::cos(angle * kPi / 180);
  std::vector<POINT> points;
  std::vector<INT> counts;
  for (int c = 0; c < strokes.ContourCount(); ++c) {
    const int first = strokes.FirstStroke(c);
    if (first < 0) continue;
    int n = 0;
    for (int i = first; i < strokes.Count() && strokes[i].Contour == c; ++i, ++n) {
      // Font units grow upwards, pixels downwards.
      const double dx = (strokes[i].X1 - bcx) * s, dy = -(strokes[i].Y1 - bcy) * s;
      points.push_back(POINT{LONG(std::lround(cx + dx * cs + dy * sn)), LONG(std::lround(cy - dx * sn + dy * cs))});
    }
    if (n >= 3)
      counts.push_back(n);
    else
      points.resize(points.size() - n);
  }
  if (counts.empty()) return false;
  const int W = work.Width(), H = work.Height();
  auto fine = WhiteBitmap(W * kContourSamples, H * kContourSamples);
  HDC dc = fine->DC();
  TOwnedGdiObject<HPEN> pen(CreatePen(PS_SOLID, penWidth * kContourSamples, RGB(0, 0, 0)));
  TOwnedGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(0, 0, 0)));
  HGDIOBJ oldPen = SelectObject(dc, pen.get()), oldBrush = SelectObject(dc, brush.get());
  // Inner contours (holes) stay open, as in the text drawing.
  SetPolyFillMode(dc, ALTERNATE);
  PolyPolygon(dc, points.data(), counts.data(), int(counts.size()));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  GdiFlush();
  Downsample(*fine, work);
  return true;
}

// Coverage blurred by a box of the given radius, rows then columns.
std::vector<uint8_t> BoxBlur(const std::vector<uint8_t>& in, int w, int h, int radius) {
  std::vector<int> tmp(in.size());
  std::vector<uint8_t> out(in.size());
  const int span = 2 * radius + 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int sum = 0;
      for (int k = std::max(0, x - radius); k <= std::min(w - 1, x + radius); ++k) sum += in[size_t(y) * w + k];
      tmp[size_t(y) * w + x] = sum / span;
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int sum = 0;
      for (int k = std::max(0, y - radius); k <= std::min(h - 1, y + radius); ++k) sum += tmp[size_t(k) * w + x];
      out[size_t(y) * w + x] = uint8_t(std::min(255, sum / span));
    }
  return out;
}

// Draws the black-on-white Src into Dst centred at (cx, cy), turned
// counter-clockwise on the screen by angle degrees, smoothly sampled.
void TurnInto(TBitmap& dst, TBitmap& src, double cx, double cy, int angle) {
  const std::vector<uint8_t> cover = CoverageOf(src);
  const int sw = src.Width(), sh = src.Height();
  const double sn = std::sin(angle * kPi / 180), cs = std::cos(angle * kPi / 180);
  auto at = [&](int x, int y) -> double {
    return x < 0 || y < 0 || x >= sw || y >= sh ? 0 : cover[size_t(y) * sw + x];
  };
  uint8_t* row0;
  ptrdiff_t step;
  if (!PrepareScanlineWalk(&dst, row0, step)) return;
  for (int y = 0; y < dst.Height(); ++y) {
    uint32_t* row = PixelRow(row0, step, y);
    for (int x = 0; x < dst.Width(); ++x) {
      const double X = x + 0.5 - cx, Y = y + 0.5 - cy;
      const double sx = X * cs - Y * sn + sw / 2.0 - 0.5, sy = X * sn + Y * cs + sh / 2.0 - 0.5;
      const int ix = int(std::floor(sx)), iy = int(std::floor(sy));
      const double fx = sx - ix, fy = sy - iy;
      const double v = at(ix, iy) * (1 - fx) * (1 - fy) + at(ix + 1, iy) * fx * (1 - fy) +
                       at(ix, iy + 1) * (1 - fx) * fy + at(ix + 1, iy + 1) * fx * fy;
      const int dark = std::min(255, int(std::lround(v)) + Coverage(row[x]));
      const uint32_t grey = uint32_t(255 - dark);
      row[x] = grey << 16 | grey << 8 | grey;
    }
  }
}

// A system or engine colour in pixel order (red in bits 16-23).
uint32_t PixelColor(TColor color) { return ExchangeRedBlue(SkinColorToRGB(color, nullptr)) & 0xFFFFFF; }
}  // namespace

// ---------------------------------------------------------------------------

TacCharListItem::TacCharListItem(TCollection* collection) : TCollectionItem(collection), FFontName(kIconFontName) {}

TacCharListItem::~TacCharListItem() = default;

TsCharImageList* TacCharListItem::List() const {
  auto* items = static_cast<TacCharListItems*>(Collection());
  return items ? items->List() : nullptr;
}

void TacCharListItem::Modified() {
  FRenderCache.reset();
  if (TsCharImageList* list = List()) list->Change();
}

void TacCharListItem::SetAngle(int value) { Store(FAngle, value); }
void TacCharListItem::SetPitch(TFontPitch value) { Store(FPitch, value); }
void TacCharListItem::SetStyle(TFontStyles value) { Store(FStyle, value); }
void TacCharListItem::SetScalingFactor(double value) { Store(FScalingFactor, value); }
void TacCharListItem::SetDrawContour(bool value) { Store(FDrawContour, value); }
void TacCharListItem::SetOffsetY(int value) { Store(FOffsetY, value); }
void TacCharListItem::SetAddedSize(int value) { Store(FAddedSize, value); }
void TacCharListItem::SetChar(wchar_t value) { Store(FChar, value); }
void TacCharListItem::SetAddedChar(wchar_t value) { Store(FAddedChar, value); }
void TacCharListItem::SetFontName(const String& value) { Store(FFontName, value); }
void TacCharListItem::SetAddedFontName(const String& value) { Store(FAddedFontName, value); }
void TacCharListItem::SetColor(TColor value) { Store(FColor, value); }
void TacCharListItem::SetSecondColor(TColor value) { Store(FSecondColor, value); }
void TacCharListItem::SetAddedColor(TColor value) { Store(FAddedColor, value); }
void TacCharListItem::SetCharset(BYTE value) { Store(FCharset, value); }
void TacCharListItem::SetAddedCharset(BYTE value) { Store(FAddedCharset, value); }

bool TacCharListItem::StoresFontName() const { return FFontName != kIconFontName; }

void TacCharListItem::Assign(const TPersistent& source) {
  auto* item = dynamic_cast<const TacCharListItem*>(&source);
  if (!item) return TCollectionItem::Assign(source);
  FAngle = item->FAngle;
  FPitch = item->FPitch;
  FStyle = item->FStyle;
  FScalingFactor = item->FScalingFactor;
  FDrawContour = item->FDrawContour;
  FImageName = item->FImageName;
  FOrientation = item->FOrientation;
  FOffsetY = item->FOffsetY;
  FAddedOffsetX = item->FAddedOffsetX;
  FAddedOffsetY = item->FAddedOffsetY;
  FAddedSize = item->FAddedSize;
  FChar = item->FChar;
  FAddedChar = item->FAddedChar;
  FFontName = item->FFontName;
  FAddedFontName = item->FAddedFontName;
  FColor = item->FColor;
  FSecondColor = item->FSecondColor;
  FAddedColor = item->FAddedColor;
  FCharset = item->FCharset;
  FAddedCharset = item->FAddedCharset;
  Modified();
}

int TacCharListItem::ItemWidth(bool rotated) const {
  TsCharImageList* list = List();
  if (!list) return 0;
  const int width = int(std::lround(list->DesignWidth() * FScalingFactor));
  const int angle = NormalAngle(FAngle);
  if (!rotated || angle == 0) return width;
  const double a = angle * kPi / 180;
  return int(std::abs(std::cos(a)) * width + std::abs(std::sin(a)) * list->DesignHeight() * FScalingFactor) + 1;
}

TBitmap* TacCharListItem::GetBitmap(int height, bool& owned) {
  owned = false;
  TsCharImageList* list = List();
  if (!list) return nullptr;
  const int ppi = list->RenderPPI();
  const int w = list->ScaledWidth(Index(), ppi), h = list->ScaledHeight(Index(), ppi);
  const int cell = height > 0 ? height : list->DesignHeight() * ppi / 96;
  const int offsetY = FOffsetY * ppi / 96;
  const TColor color = list->GlyphColor() == clNone ? FColor : list->GlyphColor();
  const int state = list->DrawState();
  if (list->BlendingMode() == bmAlways || state == 0) {
    if (FRenderCache &&
        (FRenderCache->Width() != w || FRenderCache->Height() != h || FCacheColor != color || FCacheState != state))
      FRenderCache.reset();
    if (!FRenderCache) {
      FRenderCache = NewBitmap32(w, h);
      list->RenderGlyph(*FRenderCache, Index(), offsetY, cell);
      FCacheColor = color;
      FCacheState = state;
      FCacheBlend = state != 0 ? 255 : list->BlendValue();
    }
    return FRenderCache.get();
  }
  owned = true;
  auto bmp = NewBitmap32(w, h);
  list->RenderGlyph(*bmp, Index(), offsetY, cell);
  return bmp.release();
}

// ---------------------------------------------------------------------------

TacCharListItems::TacCharListItems(TsCharImageList* list)
    : TCollection([](TCollection* c) { return new TacCharListItem(c); }), FList(list) {}

void TacCharListItems::Update(TCollectionItem*) {
  if (FList) FList->Change();
}

void TacCharListItems::Assign(const TPersistent& source) {
  auto* items = dynamic_cast<const TacCharListItems*>(&source);
  if (!items) return TCollection::Assign(source);
  if (items == this) return;
  BeginUpdate();
  Clear();
  for (int i = 0; i < items->Count(); ++i) Add()->Assign(*items->Items(i));
  EndUpdate();
}

// ---------------------------------------------------------------------------

TsCharImageList::TsCharImageList(TComponent* owner) : TacImageList(owner), FEmbeddedFonts(this, true), FItems(this) {
  RegisterIconFont();
  FInternalChange = true;
  TCustomImageList::SetHeight(24);
  TCustomImageList::SetWidth(26);
  FInternalChange = false;
  FDesignWidth = 26;
  FDesignHeight = 24;
  FRenderPPI = MainFormDPI();
}

TsCharImageList::~TsCharImageList() {
  // Items ask the list for changes while they go.
  FInternalChange = true;
  FItems.Clear();
}

void TsCharImageList::SetBlendValue(uint8_t value) {
  if (value == FBlendValue) return;
  FBlendValue = value;
  ClearCache(-1);
  if (!Loading() && !FInternalChange && HandleAllocated()) {
    GenerateCharList(clNone);
    Change();
  }
}

void TsCharImageList::SetBlendingMode(TacBlendingMode value) {
  if (value == FBlendingMode) return;
  FBlendingMode = value;
  ClearCache(-1);
  if (!Loading() && !FInternalChange && HandleAllocated()) {
    GenerateCharList(clNone);
    Change();
  }
}

void TsCharImageList::SetBkColor(TColor value) {
  TacImageList::SetBkColor(value);
  if (HandleAllocated()) ImageList_SetBkColor(Handle(), value == clNone ? CLR_NONE : SkinColorToRGB(value, nullptr));
}

void TsCharImageList::SetWidth(int value) {
  if (value <= 0) return;
  if (!FInternalChange) FDesignWidth = value;
  const bool regenerate = !Loading() && !FInternalChange && HandleAllocated();
  const bool old = FInternalChange;
  FInternalChange = true;
  TacImageList::SetWidth(value);
  FInternalChange = old;
  if (regenerate) {
    GenerateCharList(clNone);
    Change();
  }
}

void TsCharImageList::SetHeight(int value) {
  if (value <= 0) return;
  if (!FInternalChange) FDesignHeight = value;
  const bool regenerate = !Loading() && !FInternalChange && HandleAllocated();
  const bool old = FInternalChange;
  FInternalChange = true;
  TacImageList::SetHeight(value);
  FInternalChange = old;
  if (regenerate) {
    GenerateCharList(clNone);
    Change();
  }
}

void TsCharImageList::ClearCache(int i) {
  if (i >= 0 && i < FItems.Count()) return FItems.Items(i)->FreeCache();
  for (int k = 0; k < FItems.Count(); ++k) FItems.Items(k)->FreeCache();
}

TBitmap* TsCharImageList::CreateBitmap32(int i, int width, int height) {
  if (!HandleAllocated() || i < 0 || i >= FItems.Count() || width <= 0 || height <= 0) return nullptr;
  TacCharListItem* item = FItems.Items(i);
  if (width == ScaledWidth(i, FRenderPPI) && height == ScaledHeight(i, FRenderPPI)) {
    bool owned = false;
    TBitmap* glyph = item->GetBitmap(0, owned);
    if (!glyph) return nullptr;
    if (owned) return glyph;
    auto copy = NewBitmap32(width, height);
    CopyBitmapFull(*copy, *glyph);
    return copy.release();
  }
  auto bmp = NewBitmap32(width, height);
  GetBitmap32(i, bmp.get());
  return bmp.release();
}

bool TsCharImageList::GetBitmap32(int i, TBitmap* bitmap) {
  if (!bitmap || i < 0 || i >= FItems.Count()) return false;
  SetPixelFormat32(*bitmap);
  TacCharListItem* item = FItems.Items(i);
  if (bitmap->Width() == ScaledWidth(i, FRenderPPI) && bitmap->Height() == ScaledHeight(i, FRenderPPI)) {
    bool owned = false;
    TBitmap* glyph = item->GetBitmap(0, owned);
    if (!glyph) return false;
    CopyBitmapFull(*bitmap, *glyph);
    if (owned) delete glyph;
    return true;
  }
  // Another size: the glyph fills the bitmap's height, its offset shrinks
  // or grows with it.
  const int listHeight = std::max(1, FDesignHeight * FRenderPPI / 96);
  RenderGlyph(*bitmap, i, item->OffsetY() * bitmap->Height() / listHeight, bitmap->Height());
  return true;
}

int TsCharImageList::ScaledWidth(int i, int ppi) const {
  const int width = i >= 0 && i < FItems.Count() ? FItems.Items(i)->ItemWidth(true) : FDesignWidth;
  return FFollowDensity ? width * ppi / 96 : width;
}

int TsCharImageList::ScaledHeight(int i, int ppi) const {
  if (i < 0 || i >= FItems.Count()) return FDesignHeight * ppi / 96;
  const TacCharListItem* item = FItems.Items(i);
  return int(std::lround(item->ScalingFactor() * (FDesignHeight + std::abs(item->OffsetY())))) * ppi / 96;
}

void TsCharImageList::SetGlyphColorFor(TColor color, int i, bool single) {
  if (single) {
    FGlyphColor = FGlyphColor2 = color;
    return;
  }
  FGlyphColor2 = clNone;
  const bool own = i >= 0 && i < FItems.Count() && FItems.Items(i)->Color() != clNone;
  FGlyphColor = own ? FItems.Items(i)->Color() : color;
}

int TsCharImageList::GenerationPPI() const {
  if (FInternalChange) return FRenderPPI;
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (!manager || manager->Options().ScaleMode() == TacScaleMode::smFramework) return MainFormDPI();
  return manager->Options().PixelsPerInch();
}

void TsCharImageList::GenerateCharList(TColor color) {
  if (FDesignHeight <= 0) return;
  const int ppi = GenerationPPI();
  const bool old = FInternalChange;
  FInternalChange = true;
  FRenderPPI = ppi;
  if (!HandleAllocated()) {
    TCustomImageList::SetWidth(FDesignWidth * ppi / 96);
    TCustomImageList::SetHeight(FDesignHeight * ppi / 96);
    Handle();
  }
  Clear();
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  const bool skinned = manager && manager->IsSkinLoaded();
  for (int i = 0; i < FItems.Count(); ++i) {
    TacCharListItem* item = FItems.Items(i);
    if (item->Color() != clNone)
      FGlyphColor = clNone;
    else if (color != clNone)
      FGlyphColor = color;
    else
      FGlyphColor = skinned ? TColor(SkinColorToRGB(kWindowTextColor, manager)) : clNone;
    std::unique_ptr<TBitmap> glyph(CreateBitmap32(i, ScaledWidth(i, ppi), ScaledHeight(i, ppi)));
    if (glyph) AddBitmap(glyph.get(), -1);
  }
  FGlyphColor = clNone;
  if (FItems.Count() > 0) FHandleFilled = true;
  FInternalChange = old;
}

void TsCharImageList::Change() {
  if (FInternalChange || Loading() || !HandleAllocated()) return;
  if (!FHandleFilled && Count() > 0) return;
  if (FItems.Count() != Count()) GenerateCharList(clNone);
  TacImageList::Change();
}

void TsCharImageList::Assign(const TPersistent& source) {
  auto* list = dynamic_cast<const TsCharImageList*>(&source);
  if (!list) return TacImageList::Assign(source);
  if (list == this) return;
  FInternalChange = true;
  SetMasked(list->Masked());
  SetImageType(list->ImageType());
  SetDrawingStyle(list->DrawingStyle());
  SetShareImages(list->ShareImages());
  SetHandle(nullptr);
  TCustomImageList::SetWidth(list->Width());
  TCustomImageList::SetHeight(list->Height());
  FDesignWidth = list->FDesignWidth;
  FDesignHeight = list->FDesignHeight;
  TacImageList::SetBkColor(list->BkColor());
  FBlendValue = list->FBlendValue;
  SetBlendColor(list->BlendColor());
  FEmbeddedFonts.Assign(list->FEmbeddedFonts);
  FItems.Assign(list->FItems);
  FInternalChange = false;
  GenerateCharList(clNone);
}

void TsCharImageList::Loaded() {
  TacImageList::Loaded();
  for (int i = 0; i < FEmbeddedFonts.Count(); ++i) RegisterEmbeddedFont(*FEmbeddedFonts.Items(i));
  FLoadedOnce = true;
  SetHandle(nullptr);
  if (FDesignWidth <= 0) FDesignWidth = Width();
  if (FDesignHeight <= 0) FDesignHeight = Height();
  FInternalChange = true;
  for (int i = 0; i < FItems.Count(); ++i) {
    TacCharListItem* item = FItems.Items(i);
    if (item->ScalingFactor() == 0) {
      item->SetScalingFactor(FontHeightFactor(item->Charset(), item->FontName()));
      item->SetColor(clNone);
    }
  }
  FInternalChange = false;
  if (!FHandleFilled) {
    GenerateCharList(clNone);
    FHandleFilled = true;
    Change();
  }
}

void TsCharImageList::DensityChanged(int ppi) {
  if (!FFollowDensity || ppi <= 0) return;
  FRenderPPI = ppi;
  ClearCache(-1);
  FInternalChange = true;
  SetHandle(nullptr);
  GenerateCharList(clNone);
  FInternalChange = false;
  TacImageList::Change();
}

void TsCharImageList::ColorChanged(TColor color, int ppi) {
  ClearCache(-1);
  FRenderPPI = ppi > 0 ? ppi : FRenderPPI;
  FInternalChange = true;
  SetHandle(nullptr);
  GenerateCharList(color);
  FInternalChange = false;
  FRenderPPI = 96;
  FGlyphColor = clNone;
  TacImageList::Change();
}

void TsCharImageList::DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled) {
  if (index < 0 || index >= FItems.Count() || !HandleAllocated()) return;
  const TColor saved = FGlyphColor;
  if (FItems.Items(index)->Color() == clNone) FGlyphColor = canvas.Font().Color();
  const int w = ScaledWidth(index, FRenderPPI), h = ScaledHeight(index, FRenderPPI);
  std::unique_ptr<TBitmap> glyph(CreateBitmap32(index, w, h));
  FGlyphColor = saved;
  if (!glyph) return;
  auto area = NewBitmap32(w, h);
  BitBlt(area->DC(), 0, 0, w, h, canvas.Handle(), x, y, SRCCOPY);
  GdiFlush();
  uint8_t *a0, *g0;
  ptrdiff_t aStep, gStep;
  if (!PrepareScanlineWalk(area.get(), a0, aStep) || !PrepareScanlineWalk(glyph.get(), g0, gStep)) return;
  for (int row = 0; row < h; ++row) {
    uint32_t* dst = PixelRow(a0, aStep, row);
    const uint32_t* src = PixelRow(g0, gStep, row);
    for (int col = 0; col < w; ++col) {
      const uint32_t a = src[col] >> 24;
      if (!a) continue;
      uint32_t out = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = src[col] >> shift & 0xFF, d = dst[col] >> shift & 0xFF;
        out |= ((s * a + d * (255 - a)) / 255) << shift;
      }
      dst[col] = out | 0xFF000000;
    }
  }
  BitBlt(canvas.Handle(), x, y, w, h, area->DC(), 0, 0, SRCCOPY);
}

void TsCharImageList::RenderGlyph(TBitmap& bitmap, int index, int offsetY, int h) {
  if (index < 0 || index >= FItems.Count()) return;
  const TacCharListItem& item = *FItems.Items(index);
  SetPixelFormat32(bitmap);
  if (bitmap.Width() == 0 || bitmap.Height() == 0) bitmap.SetSize(h, h);
  const int W = bitmap.Width(), H = bitmap.Height();
  const int fontHeight = std::max(1, int(std::lround(h * item.ScalingFactor())));
  const int angle = NormalAngle(item.Angle());
  auto work = WhiteBitmap(W, H);

  TOwnedGdiObject<HFONT> font(MakeFont(item.FontName(), item.Charset(), item.Style(), item.Pitch(), fontHeight));
  const SIZE size = MeasureChar(font.get(), item.Char());
  const int shift = int(std::lround(offsetY * item.ScalingFactor()));
  const int left = (W - size.cx) / 2, top = (H - size.cy) / 2 + shift;
  if (item.DrawContour()) {
    TOwnedGdiObject<HFONT> font512(MakeFont(item.FontName(), item.Charset(), item.Style(), item.Pitch(), -512));
    const double boxH = std::min<double>(H, fontHeight), boxW = W;
    DrawOutline(*work, font512.get(), item.Char(), (W - boxW) / 2, (H - boxH) / 2 + shift, boxW, boxH, angle,
                h / 48 + 1);
  } else {
    // Drawn finer and averaged down, so the edges are smooth whether or not
    // the system smooths text.
    TOwnedGdiObject<HFONT> fineFont(
        MakeFont(item.FontName(), item.Charset(), item.Style(), item.Pitch(), fontHeight * kContourSamples));
    const SIZE fineSize = MeasureChar(fineFont.get(), item.Char());
    const int cw = std::max<int>(1, (fineSize.cx + kContourSamples - 1) / kContourSamples);
    const int ch = std::max<int>(1, (fineSize.cy + kContourSamples - 1) / kContourSamples);
    auto fine = WhiteBitmap(cw * kContourSamples, ch * kContourSamples);
    DrawChar(fine->DC(), fineFont.get(), item.Char(), 0, 0, fineSize.cx, fineSize.cy);
    GdiFlush();
    auto copy = WhiteBitmap(cw, ch);
    Downsample(*fine, *copy);
    // The same turn as the outlines'; angle 0 copies pixel for pixel.
    TurnInto(*work, *copy, left + size.cx / 2.0, top + size.cy / 2.0, angle);
  }
  GdiFlush();
  std::vector<uint8_t> alpha = CoverageOf(*work);

  // Colours (pixel order) and the optional vertical gradient.
  const TColor mainColor = FGlyphColor != clNone ? FGlyphColor : item.Color() != clNone ? item.Color() : clBlack;
  const uint32_t main = PixelColor(mainColor);
  const bool gradient = item.SecondColor() != clNone && FGlyphColor2 == clNone &&
                        (FGlyphColor == clNone || FGlyphColor == item.Color()) &&
                        PixelColor(item.SecondColor()) != main;
  const uint32_t second = gradient ? PixelColor(item.SecondColor()) : main;
  const bool blend = FDrawState == 0 && FBlendValue != 255;

  // The added small glyph in the bottom-right corner, with a gap cut into
  // the main glyph around it.
  std::vector<uint8_t> added;
  uint32_t addedColor = main;
  if (item.AddedChar() != 0) {
    const int addedHeight = std::max(1, h * item.AddedSize() / 100);
    const String face = item.AddedFontName().empty() ? item.FontName() : item.AddedFontName();
    TOwnedGdiObject<HFONT> small(MakeFont(face, item.AddedCharset(), 0, fpDefault, -addedHeight));
    const SIZE as = MeasureChar(small.get(), item.AddedChar());
    if (as.cx > 0 && as.cy > 0 && as.cx <= W && as.cy <= H) {
      auto layer = WhiteBitmap(W, H);
      DrawChar(layer->DC(), small.get(), item.AddedChar(), W - as.cx, H - as.cy, as.cx, as.cy);
      GdiFlush();
      added = CoverageOf(*layer);
      const std::vector<uint8_t> halo = BoxBlur(added, W, H, std::max(3, W / 30));
      for (size_t k = 0; k < alpha.size(); ++k) {
        const int keep = std::max(0, (255 - halo[k]) * 6 - 1275);
        alpha[k] = uint8_t(std::min<int>(alpha[k], keep));
      }
      if (item.AddedColor() != clNone) addedColor = PixelColor(item.AddedColor());
    }
  }

  uint8_t* row0;
  ptrdiff_t step;
  if (!PrepareScanlineWalk(&bitmap, row0, step)) return;
  for (int y = 0; y < H; ++y) {
    uint32_t color = main;
    if (gradient && H > 1) {
      color = 0;
      for (int s = 0; s < 24; s += 8) {
        const int m = main >> s & 0xFF, e = second >> s & 0xFF;
        color |= uint32_t(m + (e - m) * y / (H - 1)) << s;
      }
    }
    uint32_t* row = PixelRow(row0, step, y);
    for (int x = 0; x < W; ++x) {
      const size_t k = size_t(y) * W + x;
      int a = alpha[k];
      if (blend) a = a * FBlendValue / 256;
      uint32_t c = color;
      if (!added.empty() && added[k]) {
        int aa = added[k];
        if (blend) aa = aa * FBlendValue / 256;
        const int out = aa + a * (255 - aa) / 255;
        if (out > 0) {
          c = 0;
          for (int s = 0; s < 24; s += 8) {
            const int ac = addedColor >> s & 0xFF, mc = color >> s & 0xFF;
            c |= uint32_t((ac * aa + mc * a * (255 - aa) / 255) / out) << s;
          }
        }
        a = out;
      }
      row[x] = a == 0 ? 0 : uint32_t(a) << 24 | c;
    }
  }
}

double FontHeightFactor(BYTE charset, const String& name) {
  TOwnedGdiObject<HFONT> font(MakeFont(name, charset, 0, fpDefault, -96));
  return FontLineHeight(font.get(), true) / 96.0;
}
