#include "skin/painting/SkinGlyph.h"

#include <algorithm>

#include "skin/graphics/Blend32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinData.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/KeyColorCopies.h"
#include "skin/painting/PieceClipping.h"
#include "skin/painting/SkinRect.h"

namespace {

constexpr uint32_t kKeyColor = 0xFF00FF;

inline uint32_t Channel(uint32_t P, int Shift) { return P >> Shift & 0xFF; }

int GlyphMaskOffset(const TsMaskData& Mask) {
  return (Mask.SrcRect.bottom - Mask.SrcRect.top) / (std::max<int>(Mask.MaskType, 0) + 1);
}

RECT Exclusive(const RECT& R) { return RECT{R.left, R.top, R.right + 1, R.bottom + 1}; }

}  // namespace

void CopyGlyphFrame(const RECT& DstRect, const RECT& SrcRect, TBitmap& Dst, TBitmap& Src, int Mode,
                    const TsMaskData& MaskData) {
  if (MaskData.MaskType == 0 && (MaskData.DrawMode & dmOwnAlpha) == 0) {
    CopyExceptKeyColorBlend(Dst, Src, DstRect.left, DstRect.top, SrcRect, kKeyColor, EmptyBackgroundSource,
                            Mode == 1 ? 0 : 180);
    return;
  }
  bool masked = MaskData.MaskType > 0;
  int maskOffset = masked ? GlyphMaskOffset(MaskData) : 0;
  TPieceSpan span;
  if (!ClipPiece(Exclusive(DstRect), Exclusive(SrcRect), Dst, Src, maskOffset, span)) return;
  TPixelWalk d, s;
  if (!d.Open(&Dst) || !s.Open(&Src)) return;
  for (int y = 0; y < span.Height; ++y) {
    uint32_t* dRow = d.Row(span.DstY + y) + span.DstX;
    const uint32_t* sRow = s.Row(span.SrcY + y) + span.SrcX;
    const uint32_t* mRow = s.Row(span.SrcY + y + maskOffset) + span.SrcX;
    for (int x = 0; x < span.Width; ++x) {
      uint32_t dst = dRow[x], img = sRow[x], out = 0;
      uint32_t a = dst >> 24;
      if (masked) {
        uint32_t mask = mRow[x];
        if (IsKeyColorPixel(img) || Channel(mask, 16) == 255) continue;
        for (int shift = 0; shift < 24; shift += 8) {
          int m = int(Channel(mask, shift));
          if (Mode != 1) m = std::min(m + 100, 255);
          int c = int(Channel(dst, shift)), i = int(Channel(img, shift));
          out |= uint32_t(((c - i) * m + i * 256) >> 8) << shift;
        }
        a += (255 - a) * (255 - Channel(mask, 16)) >> 8;
      } else {
        uint32_t ia = img >> 24;
        int k = 255 - int(ia);
        if (Mode != 1) k = std::min(k + 100, 255);
        for (int shift = 0; shift < 24; shift += 8) {
          int c = int(Channel(dst, shift)), i = int(Channel(img, shift));
          out |= uint32_t(std::clamp(i - ((k * (i - c) + 255) >> 8), 0, 255)) << shift;
        }
        a += (255 - a) * ia >> 8;
      }
      dRow[x] = out | a << 24;
    }
  }
}

void DrawSkinGlyph(TBitmap& Bitmap, POINT Point, int State, int Mode, const TsMaskData& MaskData,
                   const TacBackgroundSource& BgSource) {
  if (MaskData.ImageCount < 1 || MaskData.FrameWidth <= 0 || MaskData.FrameHeight <= 0) return;
  int fw = MaskData.FrameWidth, fh = MaskData.FrameHeight;
  int frame = std::clamp(State, 0, MaskData.ImageCount - 1);
  int dx = Point.x < 0 ? -Point.x : 0, dy = Point.y < 0 ? -Point.y : 0;
  int sx = MaskData.SrcRect.left + frame * fw, sy = MaskData.SrcRect.top;
  // Inclusive: the frame's own right and bottom edges, never the next frame.
  RECT src{sx + dx, sy + dy, sx + fw - 1, sy + fh - 1};
  if (src.right < src.left || src.bottom < src.top) return;
  RECT dst{Point.x + dx, Point.y + dy, Point.x + fw - 1, Point.y + fh - 1};
  if (MaskData.Bmp != nullptr) {
    if (MaskData.Bmp->Width() < MaskData.SrcRect.right || MaskData.Bmp->Height() < MaskData.SrcRect.bottom) return;
    CopyGlyphFrame(dst, src, Bitmap, *MaskData.Bmp, Mode, MaskData);
    return;
  }
  TBitmap* master = MaskSourceBitmap(MaskData);
  if (master == nullptr || master->Empty()) return;
  if (MaskData.MaskType > 0)
    CopyGlyphFrame(dst, src, Bitmap, *master, Mode, MaskData);
  else if ((MaskData.DrawMode & dmOwnAlpha) != 0)
    DrawBitmapAlpha(Bitmap, *master, src, POINT{dst.left, dst.top}, Mode == 1 ? 255 : 127);
  else if (Mode == 1)
    CopyRectExceptKeyColor(Bitmap, *master, dst.left, dst.top, src, kKeyColor, BgSource, true);
  else
    BlendRectExceptColor(Bitmap, dst.left, dst.top, *master, src, 127, kKeyColor);
}

void CopyMaskedTile(const RECT& TileRect, const RECT& SrcRect, TBitmap& Dst, const TacBackgroundSource& BgSource,
                    const TsMaskData& MaskData) {
  if (MaskData.Manager == nullptr) return;
  TBitmap* src = MaskSourceBitmap(MaskData);
  if (src == nullptr) return;
  int maskOffset = (MaskData.SrcRect.bottom - MaskData.SrcRect.top) / 2;
  TPieceSpan span;
  if (!ClipPiece(TileRect, SrcRect, Dst, *src, maskOffset, span)) return;
  TPixelWalk d, s, b;
  if (!d.Open(&Dst) || !s.Open(src)) return;
  bool fromBitmap = BgSource.Ready && BgSource.FillColor == 0xFF00FF && b.Open(BgSource.Bmp);
  // A fill colour counts whatever its value, black too; only the key means none.
  bool fromColor = BgSource.FillColor != 0xFF00FF;
  uint32_t fill = ExchangeRedBlue(BgSource.FillColor) | 0xFF000000;
  for (int y = 0; y < span.Height; ++y) {
    uint32_t* dRow = d.Row(span.DstY + y) + span.DstX;
    const uint32_t* sRow = s.Row(span.SrcY + y) + span.SrcX;
    const uint32_t* mRow = s.Row(span.SrcY + y + maskOffset) + span.SrcX;
    for (int x = 0; x < span.Width; ++x) {
      uint32_t img = sRow[x];
      if (IsKeyColorPixel(img)) {
        if (fromBitmap) {
          int bx = BgSource.X + span.DstX + x, by = BgSource.Y + span.DstY + y;
          if (bx >= 0 && by >= 0 && bx < BgSource.Bmp->Width() && by < BgSource.Bmp->Height()) dRow[x] = b.Row(by)[bx];
        } else if (fromColor) {
          dRow[x] = fill;
        }
        continue;
      }
      uint32_t out = dRow[x] & 0xFF000000;
      for (int shift = 0; shift < 24; shift += 8) {
        int c = int(Channel(dRow[x], shift)), i = int(Channel(img, shift)), m = int(Channel(mRow[x], shift));
        out |= uint32_t(((c - i) * m + i * 256) >> 8) << shift;
      }
      dRow[x] = out;
    }
  }
}

void CopyTransparentPixels(TBitmap& Dst, TBitmap& Src, const RECT& DstRect, POINT SrcPoint, int MaskIndex,
                           const TacSkinData* SkinData, int CornerKind) {
  TPixelWalk d, s, m;
  if (!d.Open(&Dst) || !s.Open(&Src)) return;
  if (MaskIndex == -1) {
    RECT area = DstRect;
    if (!ClipToBitmap(Dst, area)) return;
    for (int y = area.top; y < area.bottom; ++y) {
      uint32_t* row = d.Row(y);
      int sy = SrcPoint.y + y - DstRect.top;
      for (int x = area.left; x < area.right; ++x) {
        row[x] &= 0x00FFFFFF;
        int sx = SrcPoint.x + x - DstRect.left;
        if (row[x] == 0xFF00FF && sx >= 0 && sy >= 0 && sx < Src.Width() && sy < Src.Height()) row[x] = s.Row(sy)[sx];
      }
    }
    return;
  }
  if (SkinData == nullptr || !IsValidMaskIndex(SkinData->MaskArray, MaskIndex)) return;
  const TsMaskData& item = SkinData->MaskArray[MaskIndex];
  TBitmap* maskBmp = MaskSourceBitmap(item);
  if (maskBmp == nullptr || !m.Open(maskBmp)) return;
  int mx = item.SrcRect.left, my = item.SrcRect.top;
  if (CornerKind == ckRightTop || CornerKind == ckRightBottom) mx += item.FrameWidth - item.WR;
  if (CornerKind == ckLeftBottom || CornerKind == ckRightBottom) my += item.FrameHeight - item.WB;
  int w = std::min<int>(DstRect.right - DstRect.left, Src.Width() - SrcPoint.x);
  int h = std::min<int>(DstRect.bottom - DstRect.top, Src.Height() - SrcPoint.y);
  for (int row = 0; row < h; ++row) {
    int dy = DstRect.top + row, sy = SrcPoint.y + row, ky = my + row;
    if (dy < 0 || dy >= Dst.Height() || sy < 0 || ky < 0 || ky >= maskBmp->Height()) continue;
    for (int col = 0; col < w; ++col) {
      int dx = DstRect.left + col, sx = SrcPoint.x + col, kx = mx + col;
      if (dx < 0 || dx >= Dst.Width() || sx < 0 || kx < 0 || kx >= maskBmp->Width()) continue;
      if (IsKeyColorPixel(m.Row(ky)[kx])) d.Row(dy)[dx] = s.Row(sy)[sx];
    }
  }
}
