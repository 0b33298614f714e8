#include "skin/manager/ScaleMaskItem.h"

#include "skin/manager/SkinPictures.h"

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/Resample.h"

#include <algorithm>

namespace {

constexpr uint32_t kKey = 0xFF00FF;  // reads the same in pixel order

bool IsKey(uint32_t pixel) { return (pixel & 0xFFFFFF) == kKey; }

std::unique_ptr<TBitmap> CopyPart(TBitmap& src, int x, int y, int w, int h) {
  auto out = NewBitmap32(w, h);
  uint8_t *srcRow0, *dstRow0;
  ptrdiff_t srcStep, dstStep;
  if (!PrepareScanlineWalk(&src, srcRow0, srcStep) || !PrepareScanlineWalk(out.get(), dstRow0, dstStep)) return out;
  for (int row = 0; row < h; ++row) {
    const uint32_t* from = PixelRow(srcRow0, srcStep, y + row) + x;
    std::copy(from, from + w, PixelRow(dstRow0, dstStep, row));
  }
  return out;
}

void PutAt(TBitmap& dst, TBitmap& src, int y0) {
  uint8_t *srcRow0, *dstRow0;
  ptrdiff_t srcStep, dstStep;
  if (!PrepareScanlineWalk(&src, srcRow0, srcStep) || !PrepareScanlineWalk(&dst, dstRow0, dstStep)) return;
  const int w = std::min(src.Width(), dst.Width());
  for (int y = 0; y < src.Height() && y0 + y < dst.Height(); ++y) {
    const uint32_t* from = PixelRow(srcRow0, srcStep, y);
    std::copy(from, from + w, PixelRow(dstRow0, dstStep, y0 + y));
  }
}

template <typename F>
void EachPixel(TBitmap& bmp, const RECT& r, F f) {
  uint8_t* row0;
  ptrdiff_t step;
  if (!PrepareScanlineWalk(&bmp, row0, step)) return;
  const int right = std::min<int>(r.right, bmp.Width()), bottom = std::min<int>(r.bottom, bmp.Height());
  for (int y = std::max<int>(0, r.top); y < bottom; ++y) {
    uint32_t* row = PixelRow(row0, step, y);
    for (int x = std::max<int>(0, r.left); x < right; ++x) f(row[x], x, y);
  }
}

}  // namespace

bool ScaleMaskItem(TsMaskData& m, TBitmap* master, bool keepAlpha, uint32_t fillColor,
                   std::unique_ptr<TBitmap>& result) {
  if (m.PPI == m.SrcPPI || m.SrcPPI <= 0 || m.WL + m.WR == 2 || m.WT + m.WB == 2) return false;
  TBitmap* source = m.Bmp ? m.Bmp : master;
  if (!source || source->Empty()) return false;
  const RECT r = m.SrcRect;
  if (r.left < 0 || r.top < 0 || r.right > source->Width() || r.bottom > source->Height()) return false;
  const int count = std::max<int>(1, m.ImageCount);
  const bool masked = m.MaskType != 0;
  const int width = r.right - r.left;
  const int frameWidth = width / count;
  const int height = (r.bottom - r.top) / (masked ? 2 : 1);
  if (frameWidth <= 2 || height <= 2) return false;

  auto picture = CopyPart(*source, r.left, r.top, width, height);
  std::unique_ptr<TBitmap> mask;
  if (masked) mask = CopyPart(*source, r.left, r.top + height, width, height);
  const uint32_t fill = ExchangeRedBlue(fillColor) & 0xFFFFFF;
  const bool ownAlpha = (m.DrawMode & dmOwnAlpha) != 0;
  if (masked) {
    // Only the corners of the first frame: what shows through there is the
    // parent's background, and the mask says so once it is white.
    const int wl = std::max<int>(0, m.WL), wr = std::max<int>(0, m.WR);
    const int wt = std::max<int>(0, m.WT), wb = std::max<int>(0, m.WB);
    const RECT corners[4] = {{0, 0, wl, wt},
                             {0, height - wb, wl, height},
                             {frameWidth - wr, 0, frameWidth, wt},
                             {frameWidth - wr, height - wb, frameWidth, height}};
    uint8_t* maskRow0;
    ptrdiff_t maskStep;
    if (PrepareScanlineWalk(mask.get(), maskRow0, maskStep))
      for (const RECT& c : corners)
        EachPixel(*picture, c, [&](uint32_t& px, int x, int y) {
          uint32_t& mp = PixelRow(maskRow0, maskStep, y)[x];
          if (IsKey(px)) {
            px = fill;
            mp = 0xFFFFFFFF;
          } else if (IsKey(mp)) {
            mp = 0xFFFFFFFF;
          }
        });
  } else if (!ownAlpha && !keepAlpha) {
    EachPixel(*picture, RECT{0, 0, width, height}, [&](uint32_t& px, int, int) {
      if (IsKey(px)) px = fill;
    });
  }

  const int newFrameWidth = m.PPI * frameWidth / m.SrcPPI;
  const int newWidth = newFrameWidth * count;
  const int newHeight = height * m.PPI / m.SrcPPI;
  // A region of an allowed master bitmap can still grow past what a picture
  // may hold at a higher density.
  if (newWidth <= 0 || newHeight <= 0 || int64_t(newWidth) * newHeight * (masked ? 2 : 1) > MaxSkinPicturePixels)
    return false;
  auto out = NewBitmap32(newWidth, masked ? newHeight * 2 : newHeight);
  if (out->Empty()) return false;
  if (!masked) {
    ResampleBitmap(*picture, *out, newWidth, newHeight, 6);
    if (!ownAlpha && !keepAlpha)
      EachPixel(*out, RECT{0, 0, newWidth, newHeight},
                [](uint32_t& px, int, int) { px = (px >> 24) > 89 ? px | 0xFF000000u : kKey; });
  } else {
    TBitmap scaledPicture, scaledMask;
    ResampleBitmap(*picture, scaledPicture, newWidth, newHeight, 6);
    ResampleBitmap(*mask, scaledMask, newWidth, newHeight, 6);
    EachPixel(scaledPicture, RECT{0, 0, newWidth, newHeight}, [](uint32_t& px, int, int) {
      if ((px >> 24) < 100) px = kKey;
    });
    PutAt(*out, scaledPicture, 0);
    PutAt(*out, scaledMask, newHeight);
  }

  result = std::move(out);
  m.Bmp = result.get();
  m.SrcRect = RECT{0, 0, result->Width(), result->Height()};
  m.FrameWidth = result->Width() / count;
  if (!ownAlpha) m.FrameHeight = result->Height() / (std::max<int>(0, m.MaskType) + 1);
  m.WL = int16_t(MulDiv(m.WL, m.PPI, m.SrcPPI));
  m.WT = int16_t(MulDiv(m.WT, m.PPI, m.SrcPPI));
  m.WR = int16_t(std::min(MulDiv(m.WR, m.PPI, m.SrcPPI), m.FrameWidth - m.WL - 1));
  m.WB = int16_t(std::min(MulDiv(m.WB, m.PPI, m.SrcPPI), m.FrameHeight - m.WT - 1));
  return true;
}
