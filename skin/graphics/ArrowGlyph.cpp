#include "skin/graphics/ArrowGlyph.h"

#include <algorithm>
#include <utility>

#include "framework/Graphics.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/Rotation.h"

namespace {

constexpr uint32_t kNoColor = 0x1FFFFFFF;
constexpr int kDefaultSize = 5;
constexpr int kDefaultThickness = 2;

bool IsChevron(uint8_t Style) { return Style == 1 || Style == 3; }

// The shape is drawn in black on white, GDI+ anti-aliasing its edges; a DC
// does not carry alpha through GDI or GDI+, so the grey level becomes the
// alpha of the colour afterwards and pure white stays transparent.
void CoverageToAlpha(TBitmap& Work, uint32_t Color) {
  uint8_t* row0;
  ptrdiff_t step;
  GdiFlush();
  if (!PrepareScanlineWalk(&Work, row0, step)) return;
  const uint32_t pixel = SwapRedBlueBytes(Color) & 0xFFFFFF;
  for (int y = 0; y < Work.Height(); ++y) {
    uint32_t* p = PixelRow(row0, step, y);
    for (int x = 0; x < Work.Width(); ++x) {
      const uint32_t c = p[x] & 0xFFFFFF;
      if (c == 0xFFFFFF) {
        p[x] = 0x00FFFFFF;
        continue;
      }
      const uint32_t grey = ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) / 3;
      p[x] = (255 - grey) << 24 | pixel;
    }
  }
}

void FlipUpsideDown(TBitmap& Work) {
  uint8_t* row0;
  ptrdiff_t step;
  GdiFlush();
  if (!PrepareScanlineWalk(&Work, row0, step)) return;
  for (int y = 0, z = Work.Height() - 1; y < z; ++y, --z)
    std::swap_ranges(PixelRow(row0, step, y), PixelRow(row0, step, y) + Work.Width(), PixelRow(row0, step, z));
}

std::unique_ptr<TBitmap> Turned(std::unique_ptr<TBitmap> Work, int Angle) {
  TBitmap* raw = Work.release();
  TBitmap* turned = RotateBitmapRightAngle(raw, Angle, true);
  if (raw && raw != turned) delete raw;
  return std::unique_ptr<TBitmap>(turned);
}

}  // namespace

TArrowExtent ArrowExtent(uint8_t Style, int Size, int Thickness, int RectWidth) {
  const int s = Size, t = Thickness, h = t / 2, b = std::max(1, h);
  const bool odd = RectWidth % 2 != 0;
  switch (Style) {
    case 0:
      return odd ? TArrowExtent{s + 1, 2 * s + 1} : TArrowExtent{s, 2 * s};
    case 1:
      return {s + b + t, 2 * s + t + (odd ? 1 : 0)};
    case 2:
      return {s / 2 + (odd ? 1 : 0), 2 * s + (odd ? 0 : 1)};
    case 3:
      return {s / 2 + b + t, 2 * s + t + (odd ? 0 : 1)};
    default:
      return {s + 3, (s + 4) | 1};
  }
}

std::unique_ptr<TBitmap> BuildArrowImage(uint32_t Color, uint32_t LineColor, uint8_t Style, int Size, int Thickness,
                                         int RectWidth) {
  const TArrowExtent e = ArrowExtent(Style, Size, Thickness, RectWidth);
  const int c = std::max({e.Width, e.Depth, 1});
  auto work = NewBitmap32(c, c);
  if (work->Empty()) return work;
  FillRect32(*work, RECT{0, 0, c, c}, 0xFFFFFF, 0);
  const int y0 = (c - e.Depth) / 2;
  HDC dc = work->DC();
  if (IsChevron(Style)) {
    if (LineColor == kNoColor) return work;
    const int s = Size, t = Thickness, h = t / 2, b = std::max(1, h);
    const POINT a{b, b + y0}, tip{b + s, y0 + e.Depth - t};
    const POINT from{tip.x + e.Width % 2 - h, tip.y};
    GpDrawLine(dc, 0, a.x, a.y, tip.x, tip.y, t);
    GpDrawLine(dc, 0, from.x, from.y, from.x + s, a.y, t);
    CoverageToAlpha(*work, LineColor);
    return work;
  }
  // Symmetric about the vertical middle: the bottom is one pixel for an odd
  // width and two for an even one.
  const int bottom = y0 + e.Depth - 1;
  const POINT points[4] = {{0, y0}, {(c - 1) / 2, bottom}, {c / 2, bottom}, {c - 1, y0}};
  if (Style == 4) {
    GpFillPolygonInt(dc, 0, points, 4);
  } else {
    {
      TSelectObject brush(dc, GetStockObject(BLACK_BRUSH));
      TSelectObject pen(dc, GetStockObject(BLACK_PEN));
      Polygon(dc, points, 4);
    }
    GpDrawLine(dc, 0, points[0].x, points[0].y, points[1].x, points[1].y, 1);
    GpDrawLine(dc, 0, points[2].x, points[2].y, points[3].x, points[3].y, 1);
  }
  CoverageToAlpha(*work, Color);
  return work;
}

void DrawArrowGlyph(TBitmap& Bmp, uint32_t Color, uint32_t LineColor, const RECT& R, uint8_t Direction, int Thickness,
                    int Angle, int Size, uint8_t Style, int PPI) {
  if (Bmp.Empty() || Style > 4 || PPI <= 0) return;
  int s = (Size == 0 ? kDefaultSize : Size) * PPI / 96;
  const int rectWidth = R.right - R.left;
  int t = 1;
  if (IsChevron(Style)) {
    t = std::max(1, (Thickness == 0 ? kDefaultThickness : Thickness) * (PPI / 96));
  } else if (Style != 4) {
    --s;
    if (Style == 2 && rectWidth % 2 == 0) ++s;
  }
  if (s <= 0) return;
  auto work = BuildArrowImage(Color, LineColor, Style, s, t, rectWidth);
  if (!work || work->Empty()) return;
  if (Direction == 1)
    FlipUpsideDown(*work);
  else if (Direction == 0)
    work = Turned(std::move(work), 90);
  else if (Direction == 2)
    work = Turned(std::move(work), 270);
  if (!work || work->Empty()) return;
  if (Angle != 0) {
    auto turned = NewBitmap32(work->Width(), work->Height());
    if (turned->Empty()) return;
    FillRect32(*turned, RECT{0, 0, turned->Width(), turned->Height()}, 0, 0);
    DrawBitmapRotated(turned->DC(), *work, POINT{work->Width() / 2, work->Height() / 2}, Angle - 90);
    work = std::move(turned);
  }
  const int x = R.left + (rectWidth - work->Width()) / 2, y = R.top + (R.bottom - R.top - work->Height()) / 2;
  DrawBitmapAlpha(Bmp, *work, RECT{0, 0, work->Width() - 1, work->Height() - 1}, POINT{x, y}, 255);
}
