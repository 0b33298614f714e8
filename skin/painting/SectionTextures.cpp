#include "skin/painting/SectionTextures.h"

#include <algorithm>

#include "skin/graphics/PixelRoutines.h"
#include "skin/painting/PieceClipping.h"
#include "skin/painting/SkinGlyph.h"
#include "skin/painting/SkinRect.h"

namespace {

// The picture's rectangle cut to its bitmap; false when nothing is left.
bool ClipSource(const TBitmap& Src, RECT& SrcRect) {
  SrcRect.left = std::max<LONG>(SrcRect.left, 0);
  SrcRect.top = std::max<LONG>(SrcRect.top, 0);
  SrcRect.right = std::min<LONG>(SrcRect.right, Src.Width());
  SrcRect.bottom = std::min<LONG>(SrcRect.bottom, Src.Height());
  return SrcRect.right > SrcRect.left && SrcRect.bottom > SrcRect.top;
}

// One copy of the whole picture to (X, Y), cut to Limit and to Bmp.
void CopyTile(TBitmap& Bmp, const RECT& Limit, int X, int Y, TBitmap& Src, const RECT& SrcRect) {
  RECT dst{X, Y, X + (SrcRect.right - SrcRect.left), Y + (SrcRect.bottom - SrcRect.top)};
  RECT cut;
  if (!IntersectRect(&cut, &dst, &Limit)) return;
  RECT src{SrcRect.left + (cut.left - X), SrcRect.top + (cut.top - Y), 0, 0};
  src.right = src.left + (cut.right - cut.left);
  src.bottom = src.top + (cut.bottom - cut.top);
  TPieceSpan span;
  if (!ClipPiece(cut, src, Bmp, Src, 0, span)) return;
  TPixelWalk d, s;
  if (!d.Open(&Bmp) || !s.Open(&Src)) return;
  for (int y = 0; y < span.Height; ++y)
    std::copy_n(s.Row(span.SrcY + y) + span.SrcX, span.Width, d.Row(span.DstY + y) + span.DstX);
}

// Tiles from (X0, Y0) in steps of the picture's size until Limit is covered
// (the start may lie before Limit, as when tiling from the far corner).
void Tile(TBitmap& Bmp, const RECT& Limit, int X0, int Y0, TBitmap& Src, const RECT& SrcRect) {
  int w = SrcRect.right - SrcRect.left, h = SrcRect.bottom - SrcRect.top;
  for (int y = Y0; y < Limit.bottom; y += h)
    for (int x = X0; x < Limit.right; x += w) CopyTile(Bmp, Limit, x, y, Src, SrcRect);
}

// Dst may reach beyond Limit (a band one picture high in a lower rectangle);
// only Limit's part of it inside the bitmap is written.
void Stretch(TBitmap& Bmp, const RECT& Dst, const RECT& Limit, TBitmap& Src, const RECT& SrcRect) {
  RECT cut, inLimit;
  RECT whole{0, 0, Bmp.Width(), Bmp.Height()};
  if (!IntersectRect(&inLimit, &Dst, &Limit) || !IntersectRect(&cut, &inLimit, &whole)) return;
  HDC dc = Bmp.DC();
  int saved = SaveDC(dc);
  IntersectClipRect(dc, cut.left, cut.top, cut.right, cut.bottom);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, Dst.left, Dst.top, Dst.right - Dst.left, Dst.bottom - Dst.top, Src.DC(), SrcRect.left, SrcRect.top,
             SrcRect.right - SrcRect.left, SrcRect.bottom - SrcRect.top, SRCCOPY);
  RestoreDC(dc, saved);
  GdiFlush();  // later pixel loops read the bitmap's memory directly
}

}  // namespace

void DrawTextureByMode(TBitmap& Bmp, RECT& R, TBitmap& Src, const RECT& SrcRect, int Mode) {
  RECT src = SrcRect;
  if (IsRectEmpty(&R) || !ClipSource(Src, src)) return;
  int w = src.right - src.left, h = src.bottom - src.top;
  switch (Mode) {
    case 0:
    case 10:
      Tile(Bmp, R, R.left, R.top, Src, src);
      R = kCoveredRect;
      break;
    case 1:
      Stretch(Bmp, R, R, Src, src);
      R = kCoveredRect;
      break;
    case 2: {
      RECT band{R.left, R.top, R.right, std::min<LONG>(R.top + h, R.bottom)};
      Tile(Bmp, band, band.left, band.top, Src, src);
      R.top = band.bottom;
      break;
    }
    case 3: {
      RECT band{R.left, R.top, std::min<LONG>(R.left + w, R.right), R.bottom};
      Tile(Bmp, band, band.left, band.top, Src, src);
      R.left = band.right;
      break;
    }
    case 4: {
      RECT band{R.left, R.top, R.right, std::min<LONG>(R.top + h, R.bottom)};
      Stretch(Bmp, RECT{R.left, R.top, R.right, R.top + h}, R, Src, src);
      R.top = band.bottom;
      break;
    }
    case 5: {
      RECT band{R.left, R.top, std::min<LONG>(R.left + w, R.right), R.bottom};
      Stretch(Bmp, RECT{R.left, R.top, R.left + w, R.bottom}, R, Src, src);
      R.left = band.right;
      break;
    }
    case 6: {
      RECT band{R.left, std::max<LONG>(R.bottom - h, R.top), R.right, R.bottom};
      Tile(Bmp, band, band.left, R.bottom - h, Src, src);
      R.bottom = band.top;
      break;
    }
    case 7: {
      RECT band{std::max<LONG>(R.right - w, R.left), R.top, R.right, R.bottom};
      Tile(Bmp, band, R.right - w, band.top, Src, src);
      R.right = band.left;
      break;
    }
    case 11:
      for (int y = R.top; y < R.bottom; y += h) {
        RECT row{R.left, y, R.right, std::min<LONG>(y + h, R.bottom)};
        RECT part{src.left, src.top, src.right, src.top + (row.bottom - row.top)};
        Stretch(Bmp, row, R, Src, part);
      }
      R = kCoveredRect;
      break;
    case 12:
      for (int x = R.left; x < R.right; x += w) {
        RECT column{x, R.top, std::min<LONG>(x + w, R.right), R.bottom};
        RECT part{src.left, src.top, src.left + (column.right - column.left), src.bottom};
        Stretch(Bmp, column, R, Src, part);
      }
      R = kCoveredRect;
      break;
    case 13: {
      // The last whole tile sits in the bottom-right corner.
      int x0 = R.right - (R.right - R.left + w - 1) / w * w;
      int y0 = R.bottom - (R.bottom - R.top + h - 1) / h * h;
      Tile(Bmp, R, x0, y0, Src, src);
      R = kCoveredRect;
      break;
    }
    default:
      break;
  }
}

void DrawMaskedTexture(TBitmap& Bmp, RECT& R, const TsMaskData& Item, const TacBackgroundSource& BgSource) {
  if (IsRectEmpty(&R) || (Item.DrawMode != 0 && Item.DrawMode != 10)) return;
  TBitmap* src = MaskSourceBitmap(Item);
  int w = Item.FrameWidth, h = (Item.SrcRect.bottom - Item.SrcRect.top) / 2;
  if (src == nullptr || w <= 0 || h <= 0) return;
  RECT tileSrc{Item.SrcRect.left, Item.SrcRect.top, Item.SrcRect.left + w, Item.SrcRect.top + h};
  bool wholeOnly = Item.DrawMode == 10;
  int right = wholeOnly ? R.left + (R.right - R.left) / w * w : R.right;
  int bottom = wholeOnly ? R.top + (R.bottom - R.top) / h * h : R.bottom;
  for (int y = R.top; y < bottom; y += h)
    for (int x = R.left; x < right; x += w) {
      RECT tile{x, y, std::min(x + w, right), std::min(y + h, bottom)};
      CopyMaskedTile(tile, tileSrc, Bmp, BgSource, Item);
    }
  if (wholeOnly) {
    // The strips left at the right and bottom edge show the background.
    RECT strips[2] = {{right, R.top, R.right, R.bottom}, {R.left, bottom, right, R.bottom}};
    TPixelWalk d, b;
    bool fromBitmap = BgSource.Ready && BgSource.Bmp != nullptr && b.Open(BgSource.Bmp) && d.Open(&Bmp);
    for (RECT strip : strips) {
      if (!ClipToBitmap(Bmp, strip)) continue;
      if (fromBitmap) {
        for (int y = strip.top; y < strip.bottom; ++y)
          for (int x = strip.left; x < strip.right; ++x) {
            int bx = BgSource.X + x, by = BgSource.Y + y;
            if (bx >= 0 && by >= 0 && bx < BgSource.Bmp->Width() && by < BgSource.Bmp->Height())
              d.Row(y)[x] = b.Row(by)[bx];
          }
      } else if (BgSource.FillColor != 0xFF00FF) {
        FillRect32(Bmp, strip, BgSource.FillColor, 255);
      }
    }
  }
  R = kCoveredRect;
}
