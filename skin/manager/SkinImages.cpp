#include "skin/manager/ImageDescriptor.h"
#include "skin/manager/SkinDataBuilder.h"
#include "skin/manager/SkinPictures.h"
#include "skin/core/SkinConstants.h"

#include <algorithm>

namespace {

String Upper(String s) {
  for (wchar_t& c : s)
    if (c >= L'a' && c <= L'z') c = wchar_t(c - 32);
  return s;
}

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

void AddItem(TacSkinData& data, const TacBuildInput& input, const String& section, int sectionIndex, const String& key,
             const String& value, int srcPPI) {
  TacImageDescriptor d = ParseImageDescriptor(ConvertImageDescriptor(Upper(value)));
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
  if (!d.FileName.empty()) {
    auto cached = data.ImageCache.find(d.FileName);
    if (cached == data.ImageCache.end()) {
      std::unique_ptr<TBitmap> picture;
      if (input.ReadFile)
        if (auto bytes = input.ReadFile(d.FileName)) picture = LoadSkinPicture(*bytes, d.FileName);
      if (!picture) return;  // an item whose picture cannot be had is dropped
      cached = data.ImageCache.emplace(d.FileName, std::move(picture)).first;
    }
    m.Bmp = cached->second.get();
    m.SrcRect = RECT{0, 0, m.Bmp->Width(), m.Bmp->Height()};
  } else if (!input.MasterBitmap || input.MasterBitmap->Empty()) {
    return;
  } else {
    // A region must lie inside the master bitmap, or painters would read
    // outside it.
    const RECT& r = m.SrcRect;
    if (r.left < 0 || r.top < 0 || r.right > input.MasterBitmap->Width() || r.bottom > input.MasterBitmap->Height() ||
        r.right <= r.left || r.bottom <= r.top)
      return;
  }
  data.MaskArray.push_back(m);
}

}  // namespace

void ReadImageItems(TacSkinData& data, const TacBuildInput& input) {
  const TacSkinOptions& o = *input.Options;
  int sectionIndex = 0;
  for (const auto& section : o.Sections()) {
    for (const auto& key : section.Keys) {
      if (key.Name.find(L'*') != String::npos) continue;
      if (section.Name == L"GLOBALINFO" && key.Name == L"MASTERBITMAP") continue;
      if (!IsImageValue(Upper(key.Value))) continue;
      int srcPPI;
      String value = FindVariant(o, section.Name, key.Name, data.PPI, srcPPI);
      if (value.empty()) continue;
      AddItem(data, input, section.Name, sectionIndex, key.Name, value, srcPPI);
    }
    ++sectionIndex;
  }
}

void FixUpImageIndexes(TacSkinData& data, TBitmap* master) {
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
