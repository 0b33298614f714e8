#include "skin/painting/RoundCorners.h"

#include <memory>
#include <vector>

#include "framework/GdiHandles.h"
#include "framework/Graphics.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

// Slots 0-3: radii 1-4; slot 4 stays empty; larger radii from slot 5 on,
// found again by their width.
std::vector<std::unique_ptr<TBitmap>> gRoundCornerMasks;

std::unique_ptr<TBitmap> MakeMask(int Radius) {
  const int Size = 2 * Radius + 1;
  auto Mask = NewBitmap32(Size, Size);
  FillRect32(*Mask, RECT{0, 0, Size, Size}, 0xFFFFFF, 255);
  if (GpStart(false)) {
    GpFillEllipse(Mask->DC(), 0xFF000000, 0, 0, 2 * Radius, 2 * Radius);
  } else {
    // Without GDI+ a hard-edged circle still keeps the picture inside.
    TSelectObject Brush(Mask->DC(), GetStockObject(BLACK_BRUSH));
    TSelectObject Pen(Mask->DC(), GetStockObject(NULL_PEN));
    Ellipse(Mask->DC(), 0, 0, Size, Size);
  }
  GdiFlush();
  return Mask;
}

struct CornerBlend {
  TBitmap& Dst;
  RECT Clip;  // Rect cut to Dst
  const TacBackgroundSource& Bg;
  bool BgBitmap;
  TBitmap* Mask;
  int R;

  // One (r + 1)-square quarter of the mask at DstPoint, the background read at SrcPoint.
  void Blend(POINT DstPoint, POINT MaskPoint, POINT SrcPoint) {
    uint8_t *D0, *M0, *B0 = nullptr;
    ptrdiff_t DStep, MStep, BStep = 0;
    if (!PrepareScanlineWalk(&Dst, D0, DStep) || !PrepareScanlineWalk(Mask, M0, MStep)) return;
    if (BgBitmap && !PrepareScanlineWalk(Bg.Bmp, B0, BStep)) return;
    const uint32_t Fill = ExchangeRedBlue(Bg.FillColor);  // top byte as alpha
    for (int row = 0; row <= R; ++row) {
      const int dy = DstPoint.y + row;
      if (dy < Clip.top || dy >= Clip.bottom) continue;
      const int by = Bg.Y + SrcPoint.y + row;
      if (BgBitmap && (by < 0 || by >= Bg.Bmp->Height())) continue;
      for (int col = 0; col <= R; ++col) {
        const int dx = DstPoint.x + col;
        if (dx < Clip.left || dx >= Clip.right) continue;
        const int bx = Bg.X + SrcPoint.x + col;
        if (BgBitmap && (bx < 0 || bx >= Bg.Bmp->Width())) continue;
        const uint32_t m = PixelRow(M0, MStep, MaskPoint.y + row)[MaskPoint.x + col];
        const uint32_t b = BgBitmap ? PixelRow(B0, BStep, by)[bx] : Fill;
        uint32_t& d = PixelRow(D0, DStep, dy)[dx];
        if (m == 0xFFFFFFFF) {
          d = b;
          continue;
        }
        // The mask is grey with alpha 255 throughout: the alpha byte is
        // weighted by the grey level too, so the inside keeps its alpha.
        uint32_t Out = 0;
        for (int s = 0; s < 32; s += 8) {
          const int db = int(d >> s & 0xFF), bb = int(b >> s & 0xFF), mb = int(m >> (s == 24 ? 0 : s) & 0xFF);
          Out |= uint32_t(((bb - db) * mb + db * 256) >> 8 & 0xFF) << s;
        }
        d = Out;
      }
    }
  }
};

}  // namespace

TBitmap* GetRoundCornerMask(int Radius) {
  if (Radius < 1) return nullptr;
  if (gRoundCornerMasks.size() < 5) gRoundCornerMasks.resize(5);
  size_t Slot;
  if (Radius <= 4) {
    Slot = size_t(Radius - 1);
  } else {
    for (size_t i = 5; i < gRoundCornerMasks.size(); ++i)
      if (gRoundCornerMasks[i] && gRoundCornerMasks[i]->Width() == 2 * Radius + 1) return gRoundCornerMasks[i].get();
    Slot = gRoundCornerMasks.size();
    gRoundCornerMasks.resize(Slot + 1);
  }
  if (!gRoundCornerMasks[Slot]) gRoundCornerMasks[Slot] = MakeMask(Radius);
  return gRoundCornerMasks[Slot].get();
}

void FreeRoundCornerMasks() { gRoundCornerMasks.clear(); }

void PaintRoundCorners(const TsGeneralData& GeneralData, TBitmap& Bmp, const RECT& Rect,
                       const TacBackgroundSource& BgSource, const int* Radii, bool FollowRect) {
  int Own[4];
  if (!Radii) {
    // Each corner reads the background under it, as with a radii record.
    for (int& r : Own) r = GeneralData.BorderRadius;
    Radii = Own;
    FollowRect = false;
  }
  RECT Clip = Rect;
  if (!ClipToBitmap(Bmp, Clip)) return;
  const bool BgBitmap = BgSource.Ready && BgSource.Bmp;
  RECT Bg{0, 0, 0, 0};
  if (BgBitmap)
    Bg = FollowRect ? RECT{Rect.left, Rect.top, BgSource.Bmp->Width() + Rect.left + Rect.right - Bmp.Width(),
                           BgSource.Bmp->Height() + Rect.top + Rect.bottom - Bmp.Height()}
                    : Rect;
  for (int Corner = 0; Corner < 4; ++Corner) {
    const int r = Radii[Corner];
    if (r <= 0) continue;
    TBitmap* Mask = GetRoundCornerMask(r);
    if (!Mask || Mask->Width() != 2 * r + 1) continue;
    const bool Right = Corner & 1, Bottom = Corner & 2;
    const POINT DstPoint{Right ? Rect.right - r - 1 : Rect.left, Bottom ? Rect.bottom - r - 1 : Rect.top};
    const POINT MaskPoint{Right ? r : 0, Bottom ? r : 0};
    const POINT SrcPoint{Right ? Bg.right - r - 1 : Bg.left, Bottom ? Bg.bottom - r - 1 : Bg.top};
    CornerBlend{Bmp, Clip, BgSource, BgBitmap, Mask, r}.Blend(DstPoint, MaskPoint, SrcPoint);
  }
}
