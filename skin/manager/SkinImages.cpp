#include "skin/manager/ImageDescriptor.h"
#include "skin/manager/SkinDataBuilder.h"
#include "skin/manager/SkinPictures.h"
#include "skin/manager/ScaleMaskItem.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/core/SkinConstants.h"

#include <algorithm>
#include <vector>

namespace {

// The value of the density variant nearest at or above ppi, else below;
// foundPPI tells which one.
String FindVariant(const TacSkinOptions& o, const String& section, const String& key, int ppi, int& foundPPI) {
  int start = 0;
  while (start < 3 && acScalePPI[start] < ppi) ++start;
  auto at = [&](int i) { return o.ReadString(section, key + acScaleSuffixes[i], String()); };
  for (int i = start; i < 4; ++i) {
    String v = at(i);
    if (!v.empty()) return foundPPI = acScalePPI[i], v;
  }
  for (int i = start - 1; i >= 0; --i) {
    String v = at(i);
    if (!v.empty()) return foundPPI = acScalePPI[i], v;
  }
  foundPPI = ppi;
  return String();
}

uint32_t PixelAt(TBitmap& bmp, int x, int y) { return static_cast<uint32_t*>(bmp.ScanLine(y))[x]; }

// Whether a border strip of any frame holds a see-through pixel.
bool HasTransparentBorder(const TsMaskData& m, TBitmap* master) {
  TBitmap* bmp = m.Bmp ? m.Bmp : master;
  if (!bmp || bmp->Empty() || bmp->PixelFormat() != pf32bit) return false;
  const RECT& r = m.SrcRect;
  if (r.right <= r.left || r.bottom <= r.top || r.left < 0 || r.top < 0 || r.right > bmp->Width() ||
      r.bottom > bmp->Height())
    return false;
  const int frames = std::max<int>(1, m.ImageCount);
  const int fw = (r.right - r.left) / frames;
  const int fh = (r.bottom - r.top) / (std::max<int>(0, m.MaskType) + 1);
  const bool alpha = (m.DrawMode & dmOwnAlpha) != 0;
  auto clear = [&](uint32_t px) { return alpha ? (px >> 24) == 0 : (px & 0xFFFFFF) == 0xFF00FF; };
  for (int f = 0; f < frames; ++f) {
    const int x0 = r.left + f * fw;
    for (int y = 0; y < fh; ++y) {
      const bool strip = y < m.WT || y >= fh - m.WB;
      for (int x = 0; x < fw; ++x) {
        if (!strip && x >= m.WL && x < fw - m.WR) continue;
        if (clear(PixelAt(*bmp, x0 + x, r.top + y))) return true;
      }
    }
  }
  return false;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A picture already made for this density: the same file, or the same
// region of the master bitmap taken from the same density.
TacCachedImage* FindCached(TacSkinData& data, const String& fileName, const RECT& rect, int srcPPI, int maskType) {
  for (TacCachedImage& c : data.ImageCache) {
    if (c.Generated || !c.Bmp) continue;
    if (!fileName.empty()
            ? c.FileName == fileName
            : c.FileName.empty() && SameRect(c.MasterRect, rect) && c.SrcPPI == srcPPI && c.MaskType == maskType)
      return &c;
  }
  return nullptr;
}

void AttachCached(TsMaskData& m, const TacCachedImage& c) {
  m.Bmp = c.Bmp.get();
  m.SrcRect = RECT{0, 0, m.Bmp->Width(), m.Bmp->Height()};
  m.SrcPPI = c.SrcPPI;
  if (c.PPI != c.SrcPPI) {
    m.WL = int16_t(MulDiv(m.WL, c.PPI, c.SrcPPI));
    m.WT = int16_t(MulDiv(m.WT, c.PPI, c.SrcPPI));
    m.WR = int16_t(MulDiv(m.WR, c.PPI, c.SrcPPI));
    m.WB = int16_t(MulDiv(m.WB, c.PPI, c.SrcPPI));
  }
  const int frameWidth = m.Bmp->Width() / std::max<int>(1, m.ImageCount);
  const int frameHeight = m.Bmp->Height() / (std::max<int>(0, m.MaskType) + 1);
  m.WR = int16_t(std::min<int>(m.WR, frameWidth - m.WL - 1));
  m.WB = int16_t(std::min<int>(m.WB, frameHeight - m.WT - 1));
}

}  // namespace

int AddImageItem(TacSkinData& data, const TacBuildInput& input, const String& section, int sectionIndex,
                 const String& key, const String& value, int srcPPI) {
  TacImageDescriptor d = ParseImageDescriptor(ConvertImageDescriptor(UpperCase(value)));
  TsMaskData m;
  m.ClassName = section;
  m.PropertyName = key;
  m.SectionIndex = sectionIndex;
  m.Manager = input.Manager;
  m.PPI = data.PPI;
  m.SrcPPI = srcPPI;
  m.SrcRect = d.SrcRect;
  m.WL = int16_t(d.WL);
  m.WT = int16_t(d.WT);
  m.WR = int16_t(d.WR);
  m.WB = int16_t(d.WB);
  m.ImageCount = int16_t(d.ImageCount);
  m.MaskType = int16_t(d.MaskType);
  m.ImgKind = uint8_t(d.ImgKind);
  m.DrawMode = uint16_t(d.DrawMode);
  if (TacCachedImage* cached = FindCached(data, d.FileName, d.SrcRect, srcPPI, m.MaskType)) {
    AttachCached(m, *cached);
  } else if (!d.FileName.empty()) {
    std::unique_ptr<TBitmap> picture;
    if (input.ReadFile)
      if (auto bytes = input.ReadFile(d.FileName)) picture = LoadSkinPicture(*bytes, d.FileName);
    if (!picture) return -1;  // an item whose picture cannot be had is dropped
    if (d.FileName.find(L".PNG") != String::npos && input.Brightness <= 0 && m.ImgKind != 0) PremultiplyAlpha(*picture);
    TacCachedImage entry;
    entry.PPI = entry.SrcPPI = srcPPI;  // files are used as drawn
    entry.MaskType = m.MaskType;
    entry.Key = section + L"-" + key;
    entry.FileName = d.FileName;
    entry.Bmp = std::move(picture);
    entry.Rect = RECT{0, 0, entry.Bmp->Width(), entry.Bmp->Height()};
    m.Bmp = entry.Bmp.get();
    m.SrcRect = entry.Rect;
    data.ImageCache.push_back(std::move(entry));
  } else if (!input.MasterBitmap || input.MasterBitmap->Empty()) {
    return -1;
  } else {
    // A region must lie inside the master bitmap, or painters would read
    // outside it.
    const RECT& r = m.SrcRect;
    if (r.left < 0 || r.top < 0 || r.right > input.MasterBitmap->Width() || r.bottom > input.MasterBitmap->Height() ||
        r.right <= r.left || r.bottom <= r.top)
      return -1;
    std::unique_ptr<TBitmap> scaled;
    if (m.SrcPPI != m.PPI && !(m.DrawMode & dmNeverRescale) &&
        ScaleMaskItem(m, input.MasterBitmap, false, input.GlobalColor, scaled)) {
      TacCachedImage entry;
      entry.PPI = data.PPI;
      entry.SrcPPI = srcPPI;
      entry.MaskType = m.MaskType;
      entry.Key = section + L"-" + key;
      entry.MasterRect = d.SrcRect;
      entry.FromMaster = true;
      entry.Rect = m.SrcRect;
      entry.Bmp = std::move(scaled);
      data.ImageCache.push_back(std::move(entry));
    }
  }
  data.MaskArray.push_back(m);
  return static_cast<int>(data.MaskArray.size()) - 1;
}

namespace {

void ScanSection(TacSkinData& data, const TacBuildInput& input, const TacSkinOptions& o,
                 const TacSkinOptions::TSection& section, int sectionIndex, bool skinFile) {
  for (const auto& key : section.Keys) {
    if (key.Name.find(L'*') != String::npos) continue;
    if (skinFile && section.Name == L"GLOBALINFO" && key.Name == L"MASTERBITMAP") continue;
    if (!IsImageValue(UpperCase(key.Value))) continue;
    int srcPPI;
    String value = FindVariant(o, section.Name, key.Name, data.PPI, srcPPI);
    if (value.empty()) continue;
    AddImageItem(data, input, section.Name, sectionIndex, key.Name, value, srcPPI);
  }
}

}  // namespace

std::vector<int> CommonSectionIndexes(const TacSkinOptions& file, const TacSkinOptions& common) {
  std::vector<int> out;
  std::vector<const String*> added;
  int next = static_cast<int>(file.Sections().size());
  for (const auto& c : common.Sections()) {
    bool taken = file.SectionExists(c.Name);
    for (const String* a : added) taken = taken || *a == c.Name;
    if (taken) {
      out.push_back(-1);
    } else {
      added.push_back(&c.Name);
      out.push_back(next++);
    }
  }
  return out;
}

void ReadImageItems(TacSkinData& data, const TacBuildInput& input) {
  const TacSkinOptions& o = *input.Options;
  int sectionIndex = 0;
  for (const auto& section : o.Sections()) ScanSection(data, input, o, section, sectionIndex++, true);
  if (!input.Common || input.Common->Empty()) return;
  // Items of a common section go with the section the common pass will add;
  // a common section the skin already has adds nothing, its items neither.
  const std::vector<int> indexes = CommonSectionIndexes(o, *input.Common);
  const auto& common = input.Common->Sections();
  for (size_t i = 0; i < common.size(); ++i)
    if (indexes[i] >= 0 && common[i].Name != L"GLOBALINFO")
      ScanSection(data, input, *input.Common, common[i], indexes[i], false);
}

void FixUpImageIndexes(TacSkinData& data, const TacBuildInput& input) {
  TBitmap* master = input.MasterBitmap;
  auto& sections = data.GeneralDataArray;
  const auto& masks = data.MaskArray;
  for (int i = 0; i < static_cast<int>(sections.size()); ++i) {
    TsGeneralData& g = sections[i];
    if (g.ClassName == L"GLOBALINFO") continue;
    if (g.BorderIndex == 0) g.BorderIndex = GetSectionMaskIndex(sections, masks, i, L"BORDERSMASK");
    g.ImgTopLeft = GetSectionMaskIndex(sections, masks, i, L"IMGTOPLEFT");
    g.ImgTopRight = GetSectionMaskIndex(sections, masks, i, L"IMGTOPRIGHT");
    g.ImgBottomLeft = GetSectionMaskIndex(sections, masks, i, L"IMGBTMLEFT");
    g.ImgBottomRight = GetSectionMaskIndex(sections, masks, i, L"IMGBTMRIGHT");
    g.OuterMask = g.OuterMode == 0 ? -1 : GetSectionMaskIndex(sections, masks, i, L"OUTERMASK");
    if (g.OuterMask < 0 && (g.OuterMode == 3 || g.OuterMode == 4)) g.OuterMask = AddSectionShadow(data, i);
    g.Props[0].TextureIndex = GetTextureIndex(sections, masks, i, g.ClassName, L"PATTERN");
    g.Props[1].TextureIndex = g.States > 1 ? GetTextureIndex(sections, masks, i, g.ClassName, L"HOTPATTERN")
                                           : g.Props[0].TextureIndex;
    g.Props[2].TextureIndex = g.States > 2 && g.UseState2
                                  ? GetTextureIndex(sections, masks, i, g.ClassName, L"PATTERN2")
                                  : g.Props[1].TextureIndex;
    if (g.BorderIndex < 0) g.BorderKind = g.BorderRadius >= 1 || g.BorderWidth < 1 ? 0 : g.BorderWidth == 1 ? -1 : -2;
  }
  for (TsMaskData& m : data.MaskArray) {
    // A count below 1 counts as 1 before anything divides by it, at every
    // density, so no skin file can make the loader divide by zero.
    if (m.ImageCount < 1) m.ImageCount = 1;
    if (m.MaskType < 0) m.MaskType = 0;
    const int w = m.SrcRect.right - m.SrcRect.left, h = m.SrcRect.bottom - m.SrcRect.top;
    m.FrameWidth = w / m.ImageCount;
    m.FrameHeight = h / (m.MaskType + 1);
    if (m.WT <= 0) m.WT = int16_t((m.FrameHeight - 1) / ((m.MaskType + 1) * 2));
    if (m.WB <= 0) m.WB = int16_t((m.FrameHeight - 1) / ((m.MaskType + 1) * 2));
    if (m.WL < 0) m.WL = 0;
    if (m.WT < 0) m.WT = 0;
    if (m.WB < 0) m.WB = 0;
    if (m.ImgKind == 0 && HasTransparentBorder(m, master)) m.CornerMode |= 1;
  }
}
