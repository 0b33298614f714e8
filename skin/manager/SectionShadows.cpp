// Shadow pictures the loader computes where a skin draws none: the outer
// shadow of sections with OuterMode 3 or 4, and the skin-wide outer light
// and shadow.
#include "skin/manager/SkinDataBuilder.h"
#include "skin/manager/ImageDescriptor.h"
#include "skin/manager/SkinPictures.h"
#include "skin/core/SkinConstants.h"
#include "skin/core/SkinUtils.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/Resample.h"

#include <algorithm>

namespace {

// Which side of the line from a to b the point lies on.
int64_t Side(POINT a, POINT b, int x, int y) { return int64_t(b.x - a.x) * (y - a.y) - int64_t(b.y - a.y) * (x - a.x); }

bool InTriangle(POINT a, POINT b, POINT c, int x, int y) {
  const int64_t d1 = Side(a, b, x, y), d2 = Side(b, c, x, y), d3 = Side(c, a, x, y);
  const bool negative = d1 < 0 || d2 < 0 || d3<0, positive = d1> 0 || d2 > 0 || d3 > 0;
  return !(negative && positive);
}

}  // namespace

void DrawSplitColorTile(TBitmap& bmp, const RECT& rect, uint32_t color1, uint32_t color2, uint32_t color3,
                        uint32_t color4) {
  if (color4 == clKeyColor) {
    FillRect32(bmp, rect, color1, 255);
    return;
  }
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  FillRect32(bmp, RECT{rect.left, rect.top + h / 2, rect.right, rect.bottom}, color2, 255);
  FillRect32(bmp, RECT{rect.left, rect.top, rect.right, rect.top + h / 2}, color4, 255);
  const POINT left[3] = {{0, 1}, {w / 2 - 1, h / 2}, {0, h}};
  const POINT right[3] = {{w - 1, 1}, {w / 2 + 1, h / 2}, {w - 1, h}};
  const uint32_t px1 = 0xFF000000u | (ExchangeRedBlue(color1) & 0xFFFFFF);
  const uint32_t px3 = 0xFF000000u | (ExchangeRedBlue(color3) & 0xFFFFFF);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (rect.left + x >= bmp.Width() || rect.top + y >= bmp.Height() || rect.left + x < 0 || rect.top + y < 0)
        continue;
      if (InTriangle(left[0], left[1], left[2], x, y))
        SetPixel32(bmp, rect.left + x, rect.top + y, px1);
      else if (InTriangle(right[0], right[1], right[2], x, y))
        SetPixel32(bmp, rect.left + x, rect.top + y, px3);
    }
}

namespace {

// The colours on top, the shape as grey mask below them.
std::unique_ptr<TBitmap> ShadowPicture(TBitmap& shape, uint32_t left, uint32_t top, uint32_t right, uint32_t bottom) {
  const int w = shape.Width(), h = shape.Height();
  auto bmp = NewBitmap32(w, 2 * h);
  if (bmp->Empty()) return bmp;
  DrawSplitColorTile(*bmp, RECT{0, 0, w, h}, left, bottom, right, top);
  GdiFlush();
  BitBlt(bmp->DC(), 0, h, w, h, shape.DC(), 0, 0, SRCCOPY);
  GdiFlush();
  return bmp;
}

int AppendShadowItem(TacSkinData& data, TsMaskData m, std::unique_ptr<TBitmap> bmp, const String& key,
                     const String& fileName, bool generated) {
  m.Bmp = bmp.get();
  m.SrcRect = RECT{0, 0, bmp->Width(), bmp->Height()};
  m.PPI = m.SrcPPI = data.PPI;
  m.ImageCount = 1;
  m.MaskType = 1;
  m.DrawMode = 1;
  m.ImgKind = 0;
  m.CornerMode = 0;
  m.FrameWidth = bmp->Width();
  m.FrameHeight = bmp->Height() / 2;
  TacCachedImage entry;
  entry.PPI = entry.SrcPPI = data.PPI;
  entry.MaskType = 1;
  entry.Key = key;
  entry.FileName = fileName;
  entry.Rect = m.SrcRect;
  entry.Generated = generated ? 1 : 0;
  entry.Bmp = std::move(bmp);
  data.ImageCache.push_back(std::move(entry));
  data.MaskArray.push_back(std::move(m));
  return static_cast<int>(data.MaskArray.size()) - 1;
}

}  // namespace

int AddSectionShadow(TacSkinData& data, int sectionIndex) {
  const TsGeneralData& g = data.GeneralDataArray[sectionIndex];
  const int extraHeight = std::max(0, g.OutOffsT) + std::max(0, g.OutOffsB);
  const int extraWidth = std::max(0, g.OutOffsL) + std::max(0, g.OutOffsR);
  auto shape = CreateGlowShape(g.OutColL, g.OutRadius, 0, extraHeight, extraWidth, g.OutBlur, true, true);
  if (!shape || shape->Empty()) return -1;
  const int w = shape->Width(), h = shape->Height();
  auto bmp = g.OuterMode == 3 ? ShadowPicture(*shape, g.OutColL, clKeyColor, clKeyColor, clKeyColor)
                              : ShadowPicture(*shape, g.OutColL, g.OutColT, g.OutColR, g.OutColB);
  if (bmp->Empty()) return -1;
  TsMaskData m;
  m.SectionIndex = sectionIndex;
  m.WL = int16_t((w + g.OutOffsL - g.OutOffsR) / 2);
  m.WR = int16_t((w + g.OutOffsR - g.OutOffsL) / 2);
  m.WT = int16_t((h + g.OutOffsT - g.OutOffsB) / 2);
  m.WB = int16_t((h + g.OutOffsB - g.OutOffsT) / 2);
  const int index = static_cast<int>(data.MaskArray.size());
  return AppendShadowItem(data, std::move(m), std::move(bmp), g.ClassName + L"-", L"Outer" + std::to_wstring(index),
                          false);
}

void ReadOuterEffectPicture(TacSkinData& data, const TacBuildInput& input, TacOutEffData& e, const String& key) {
  const TacSkinOptions& o = *input.Options;
  const String g = L"GLOBALINFO";
  const int globalIndex = data.SectionIndex(g);
  auto scaled = [&](int v) { return ScaleByIndex(v, data.ScaleIndex); };
  e.MaskIndex = -1;
  if (e.Source == 0) {
    // No picture; widths from the file are sizes at 96 pixels per inch.
  } else if (e.Source == 1) {
    String value = o.ReadString(g, key + acScaleSuffixes[data.ScaleIndex], String());
    const bool plain = value.empty();
    if (plain) value = o.ReadString(g, key, String());
    if (!value.empty()) {
      const int index = AddImageItem(data, input, g, globalIndex, key, value, data.PPI);
      if (index >= 0) {
        e.MaskIndex = index;
        TsMaskData& m = data.MaskArray[index];
        m.ImgKind = 0;
        m.CornerMode = 0;
        m.SrcPPI = plain ? 96 : data.PPI;
        TBitmap* source = m.Bmp ? m.Bmp : input.MasterBitmap;
        const bool fromMaster = !m.Bmp;
        if (plain && data.PPI > 96 && source) {
          m.WL = int16_t(scaled(m.WL));
          m.WT = int16_t(scaled(m.WT));
          m.WR = int16_t(scaled(m.WR));
          m.WB = int16_t(scaled(m.WB));
          const RECT r = m.SrcRect;
          const int w = r.right - r.left, h = (r.bottom - r.top) / (m.MaskType == 1 ? 2 : 1);
          std::unique_ptr<TBitmap> picture;
          if (m.MaskType == 1) {
            picture = AlphaFromMaskHalf(*source, r);
          } else if (w > 0 && h > 0 && r.right <= source->Width() && r.bottom <= source->Height()) {
            picture = NewBitmap32(w, h);
            for (int y = 0; y < h; ++y)
              for (int x = 0; x < w; ++x) SetPixel32(*picture, x, y, GetPixel32(*source, r.left + x, r.top + y));
          }
          if (picture && !picture->Empty() && int64_t(scaled(w)) * scaled(h) * 2 <= MaxSkinPicturePixels) {
            auto resized = std::make_unique<TBitmap>();
            ResampleBitmap(*picture, *resized, scaled(w), scaled(h), 0);
            if (!resized->Empty()) {
              if (m.MaskType == 1) resized = MaskHalfFromAlpha(*resized);
              if (resized && !resized->Empty()) {
                m.Bmp = resized.get();
                m.SrcRect = RECT{0, 0, resized->Width(), resized->Height()};
                m.SrcPPI = data.PPI;
                TacCachedImage entry;
                entry.PPI = data.PPI;
                entry.SrcPPI = 96;
                entry.MaskType = m.MaskType;
                entry.Key = g + L"-" + key;
                entry.FileName = L"Outer";
                entry.FromMaster = fromMaster;
                entry.Rect = m.SrcRect;
                entry.Bmp = std::move(resized);
                data.ImageCache.push_back(std::move(entry));
              }
            }
          }
        }
      }
    }
  } else {
    // A shape of the record's own radius and fall-off. The widths it gives
    // are already at this density; only widths from the file are scaled.
    // Offsets of the skin file are bounded before any arithmetic on them.
    e.OffsetL = std::clamp(e.OffsetL, -1000, 1000);
    e.OffsetT = std::clamp(e.OffsetT, -1000, 1000);
    e.OffsetR = std::clamp(e.OffsetR, -1000, 1000);
    e.OffsetB = std::clamp(e.OffsetB, -1000, 1000);
    const int extraWidth = std::max(0, e.OffsetL) + std::max(0, e.OffsetR);
    const int extraHeight = std::max(0, e.OffsetT) + std::max(0, e.OffsetB);
    auto shape = CreateGlowShape(0, std::clamp(e.Radius, 0, 255), 0, std::min(extraHeight, 1020),
                                 std::min(extraWidth, 1020), e.Blur, true, true);
    if (shape && !shape->Empty()) {
      const int w = shape->Width(), h = shape->Height();
      if (e.WidthL == -1) e.WidthL = (w + e.OffsetL - e.OffsetR - 1) / 2;
      if (e.WidthT == -1) e.WidthT = (h + e.OffsetT - e.OffsetB - 1) / 2;
      if (e.WidthR == -1) e.WidthR = (w + e.OffsetR - e.OffsetL - 1) / 2;
      if (e.WidthB == -1) e.WidthB = (h + e.OffsetB - e.OffsetT - 1) / 2;
      auto bmp = ShadowPicture(*shape, uint32_t(e.ColorL), uint32_t(e.ColorT), uint32_t(e.ColorR), uint32_t(e.ColorB));
      if (!bmp->Empty()) {
        TsMaskData m;
        m.ClassName = g;
        m.PropertyName = key;
        m.SectionIndex = globalIndex;
        m.Manager = input.Manager;
        m.WL = int16_t(e.WidthL);
        m.WT = int16_t(e.WidthT);
        m.WR = int16_t(e.WidthR);
        m.WB = int16_t(e.WidthB);
        e.MaskIndex = AppendShadowItem(data, std::move(m), std::move(bmp), g + L"-" + key, L"OuterCalc", true);
      }
    }
  }
}
