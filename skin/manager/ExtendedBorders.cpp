// The pictures and widths of extended form borders: the skin's "EXBORDER"
// frames, or else the window shadows.
#include "skin/manager/SkinDataBuilder.h"
#include "skin/graphics/Bitmap32.h"

#include <algorithm>

namespace {

std::unique_ptr<TBitmap> CopyFrame(const TsMaskData& m, TBitmap* master, int frame) {
  TBitmap* source = m.Bmp ? m.Bmp : master;
  const int x0 = m.SrcRect.left + frame * m.FrameWidth, y0 = m.SrcRect.top;
  if (!source || m.FrameWidth <= 0 || m.FrameHeight <= 0 || x0 < 0 || y0 < 0 || x0 + m.FrameWidth > source->Width() ||
      y0 + m.FrameHeight > source->Height())
    return NewBitmap32(0, 0);
  auto out = NewBitmap32(m.FrameWidth, m.FrameHeight);
  GdiFlush();
  BitBlt(out->DC(), 0, 0, m.FrameWidth, m.FrameHeight, source->DC(), x0, y0, SRCCOPY);
  GdiFlush();
  return out;
}

std::unique_ptr<TBitmap> Copy(TBitmap* bmp) {
  if (!bmp || bmp->Empty()) return NewBitmap32(0, 0);
  auto out = NewBitmap32(bmp->Width(), bmp->Height());
  CopyBitmapFull(*out, *bmp);
  return out;
}

}  // namespace

void MakeExtendedBorders(TacSkinData& data, TBitmap* master, bool active, bool extendedBorders, bool shadowMode) {
  data.ActiveBorderBmp.reset();
  data.NormalBorderBmp.reset();
  data.ExtBorderMargins = RECT{};
  if (!active || !extendedBorders) return;
  if (data.ExBorderIndex >= 0 && data.ExBorderIndex < static_cast<int>(data.MaskArray.size()) && !shadowMode) {
    const TsMaskData& m = data.MaskArray[data.ExBorderIndex];
    const int f = data.FormOffset;
    data.ExtBorderMargins = data.BorderMode != 0 ? RECT{f, f, f, f}
                                                 : RECT{std::max(0, m.WL - f), std::max(0, m.WT - f),
                                                        std::max(0, m.WR - f), std::max(0, m.WB - f)};
    data.NormalBorderBmp = CopyFrame(m, master, 0);
    data.ActiveBorderBmp = CopyFrame(m, master, m.ImageCount > 1 ? 1 : 0);
  } else {
    data.ActiveBorderBmp = Copy(data.GetActiveShadowBmp());
    data.NormalBorderBmp = Copy(data.GetNormalShadowBmp());
    const int size = data.WShadowSize, offset = data.WShadowOffset;
    data.ExtBorderMargins = RECT{size, std::max(0, size - offset), size, std::max(0, size + offset)};
  }
}
