#include "skin/hints/HintSkinBody.h"

#include <algorithm>
#include <cstring>

#include "skin/core/SectionRecords.h"
#include "skin/core/SkinUtils.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/MarginStretch.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/SectionPainting.h"
#include "skin/painting/SkinRect.h"

namespace {
// Raw 0xAARRGGBB: red 0xFE, no green, blue 0xFF, opaque. No section paints
// it, so what keeps it after painting is background.
constexpr uint32_t kShapeKey = 0xFFFE00FF;

std::unique_ptr<TBitmap> Filled32(int Width, int Height, uint32_t Pixel) {
  auto bmp = NewBitmap32(std::max(0, Width), std::max(0, Height));
  for (int y = 0; y < bmp->Height(); ++y) {
    auto* row = static_cast<uint32_t*>(bmp->ScanLine(y));
    std::fill(row, row + bmp->Width(), Pixel);
  }
  return bmp;
}

// Frame 0 of a border image in its source bitmap.
RECT FirstFrame(const TsMaskData& M, TBitmap& Source) {
  const RECT all = M.Bmp ? RECT{0, 0, Source.Width(), Source.Height()} : M.SrcRect;
  const int count = std::max<int>(1, M.ImageCount);
  const int w = M.FrameWidth > 0 ? M.FrameWidth : (all.right - all.left) / count;
  const int h = M.FrameHeight > 0 ? M.FrameHeight : (all.bottom - all.top) / (std::max<int>(0, M.MaskType) + 1);
  return RECT{all.left, all.top, all.left + w, all.top + h};
}

std::unique_ptr<TBitmap> OpaqueExceptKey(TBitmap& Source, const RECT& R) {
  RECT r = R;
  if (Source.PixelFormat() != pf32bit || !ClipToBitmap(Source, r) || !EqualRect(&r, &R)) return nullptr;
  auto bmp = NewBitmap32(r.right - r.left, r.bottom - r.top);
  for (int y = 0; y < bmp->Height(); ++y) {
    const auto* src = static_cast<const uint32_t*>(Source.ScanLine(r.top + y)) + r.left;
    auto* dst = static_cast<uint32_t*>(bmp->ScanLine(y));
    for (int x = 0; x < bmp->Width(); ++x) dst[x] = (src[x] & 0xFFFFFF) == 0xFF00FF ? 0 : (src[x] | 0xFF000000);
  }
  return bmp;
}

// Only the border image, stretched over R with its alpha.
void PaintBorderOnly(const TsMaskData& M, const RECT& R, TBitmap& Bmp, bool SkinHasAlpha) {
  TBitmap* source = MaskSourceBitmap(M);
  if (!source) return;
  RECT frame = FirstFrame(M, *source);
  std::unique_ptr<TBitmap> converted;
  TBitmap* picture = source;
  if (!SkinHasAlpha && M.MaskType > 0) {
    // The grey mask lies below the picture.
    RECT both = frame;
    both.bottom += frame.bottom - frame.top;
    converted = AlphaFromMaskHalf(*source, both);
  } else if (!SkinHasAlpha) {
    // Without a mask the picture is opaque but for its key colour.
    converted = OpaqueExceptKey(*source, frame);
  }
  if (!SkinHasAlpha) {
    if (!converted) return;
    picture = converted.get();
    frame = RECT{0, 0, converted->Width(), converted->Height()};
  }
  const RECT widths{M.WL, M.WT, M.WR, M.WB};
  const LONG mode = (M.DrawMode & dmStretch) ? 1 : 0;
  StretchBitmapByMargins(Bmp, *picture, R, frame, widths, widths, RECT{mode, mode, mode, mode}, mode != 0, true);
  PremultiplyAlpha(Bmp);
}
}  // namespace

TacSkinData* HintSkinData() {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  return manager && manager->IsSkinLoaded() ? manager->GetSkinDataForPPI(96) : nullptr;
}

const TsGeneralData* HintSection(int SectionIndex) {
  TacSkinData* data = HintSkinData();
  return data && IsValidSectionIndex(data->GeneralDataArray, SectionIndex) ? &data->GeneralDataArray[SectionIndex]
                                                                           : nullptr;
}

const TsMaskData* HintSectionBorder(int SectionIndex) {
  const TsGeneralData* section = HintSection(SectionIndex);
  TacSkinData* data = HintSkinData();
  return section && IsValidMaskIndex(data->MaskArray, section->BorderIndex) ? &data->MaskArray[section->BorderIndex]
                                                                            : nullptr;
}

RECT HintSkinBorderWidths(int SectionIndex, bool DrawsShadow) {
  RECT r{};
  if (const TsMaskData* m = HintSectionBorder(SectionIndex)) r = RECT{m->WL, m->WT, m->WR, m->WB};
  const TsGeneralData* s = HintSection(SectionIndex);
  if (s && DrawsShadow) {
    r.left += s->OutOffsL;
    r.top += s->OutOffsT;
    r.right += s->OutOffsR;
    r.bottom += s->OutOffsB;
  }
  return r;
}

bool HintSectionHasAlpha(int SectionIndex) {
  const TsMaskData* m = HintSectionBorder(SectionIndex);
  return m && (m->DrawMode & dmOwnAlpha) != 0;
}

bool HintSectionIsBorderOnly(int SectionIndex) {
  const TsGeneralData* s = HintSection(SectionIndex);
  return s && s->Props[0].Transparency == 100 && HintSectionBorder(SectionIndex);
}

void PaintHintSkinBody(int SectionIndex, const RECT& R, TBitmap& Bmp, bool SkinHasAlpha, bool DrawsShadow) {
  TacSkinData* data = HintSkinData();
  const TsGeneralData* s = HintSection(SectionIndex);
  if (!s) return;
  if (DrawsShadow) {
    auto shadow = Filled32(Bmp.Width(), Bmp.Height(), 0);
    if (IsValidMaskIndex(data->MaskArray, s->OuterMask)) {
      TacLimits limits{s->OutOffsL, s->OutOffsT, s->OutOffsR, s->OutOffsB};
      if (const TsMaskData* b = HintSectionBorder(SectionIndex)) {
        limits.Left += b->WL;
        limits.Top += b->WT;
        limits.Right += b->WR;
        limits.Bottom += b->WB;
      }
      DrawSkinRectLimited(*shadow, R, EmptyBackgroundSource, data->MaskArray[s->OuterMask], 0, limits,
                          uint8_t(std::clamp(s->OuterOpacity, 0, 255)));
    }
    RECT body{R.left + s->OutOffsL, R.top + s->OutOffsT, R.right - s->OutOffsR, R.bottom - s->OutOffsB};
    IntersectRect(&body, &body, &R);
    for (int y = 0; y < Bmp.Height(); ++y) std::memcpy(Bmp.ScanLine(y), shadow->ScanLine(y), size_t(Bmp.Width()) * 4);
    if (!IsRectEmpty(&body))
      PaintSkinSection(SectionIndex, BitmapBackgroundSource(shadow.get(), 0, 0), 0, body, POINT{0, 0}, &Bmp, data);
    return;
  }
  if (!HintSectionIsBorderOnly(SectionIndex)) {
    PaintSkinSection(SectionIndex, EmptyBackgroundSource, 0, R, POINT{0, 0}, &Bmp, data);
    return;
  }
  PaintBorderOnly(*HintSectionBorder(SectionIndex), R, Bmp, SkinHasAlpha);
}

std::unique_ptr<TBitmap> MakeShapeMask(int SectionIndex, int Width, int Height) {
  TacSkinData* data = HintSkinData();
  if (!data) return Filled32(Width, Height, 0);
  auto bmp = Filled32(Width, Height, kShapeKey);
  // The background a see-through pixel takes is the key itself.
  auto key = Filled32(Width, Height, kShapeKey);
  PaintSkinSection(SectionIndex, BitmapBackgroundSource(key.get(), 0, 0), 0, RECT{0, 0, Width, Height}, POINT{0, 0},
                   bmp.get(), data);
  GdiFlush();
  for (int y = 0; y < bmp->Height(); ++y) {
    auto* row = static_cast<uint32_t*>(bmp->ScanLine(y));
    for (int x = 0; x < bmp->Width(); ++x) row[x] = row[x] == kShapeKey ? 0xFFFFFF : 0;
  }
  return bmp;
}

HRGN RegionFromShapeMask(TBitmap& Mask) {
  HRGN rgn = CreateRectRgn(0, 0, Mask.Width(), Mask.Height());
  for (int y = 0; y < Mask.Height(); ++y) {
    const auto* row = static_cast<const uint32_t*>(Mask.ScanLine(y));
    for (int x = 0; x < Mask.Width();) {
      if ((row[x] & 0xFFFFFF) != 0xFFFFFF) {
        ++x;
        continue;
      }
      int end = x;
      while (end < Mask.Width() && (row[end] & 0xFFFFFF) == 0xFFFFFF) ++end;
      HRGN run = CreateRectRgn(x, y, end, y + 1);
      CombineRgn(rgn, rgn, run, RGN_DIFF);
      DeleteObject(run);
      x = end;
    }
  }
  return rgn;
}

void AssignScreenHintFont(TFont& Font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) && metrics.lfStatusFont.lfFaceName[0])
    Font.SetName(metrics.lfStatusFont.lfFaceName);
  Font.SetHeight(-12);
}
