#include "skin/manager/SkinColorAdjust.h"

#include "skin/manager/ImageDescriptor.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t kKey = 0xFF00FF;

String BaseKey(const String& key) { return key.substr(0, key.find(L'*')); }

// The title icons whose colours survive a hue change.
std::vector<String> KeptIcons(int keepHue) {
  std::vector<String> names;
  if (keepHue <= 0) return names;
  names = {L"BICONCLOSE", L"BICLOSEALONE", L"SICONCLOSE"};
  if (keepHue == 1)
    for (const wchar_t* n :
         {L"BICONMAX", L"BICONMIN", L"BICONNORM", L"BICONHELP", L"SICONMAX", L"SICONMIN", L"SICONNORM"})
      names.push_back(n);
  return names;
}

bool Contains(const std::vector<String>& names, const String& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Regions of the master bitmap that image values of the option text name
// (every density variant), chosen by section, key and descriptor.
template <typename F>
std::vector<RECT> MasterRegions(const TacSkinOptions& o, F wanted) {
  std::vector<RECT> out;
  for (const auto& section : o.Sections())
    for (const auto& key : section.Keys) {
      const String value = UpperCase(key.Value);
      if (!IsImageValue(value)) continue;
      const TacImageDescriptor d = ParseImageDescriptor(ConvertImageDescriptor(value));
      if (d.FileName.empty() && wanted(section.Name, BaseKey(key.Name), d)) out.push_back(d.SrcRect);
    }
  return out;
}

template <typename F>
void EachPixel(TBitmap& bmp, RECT r, F f) {
  if (!ClipToBitmap(bmp, r)) return;
  uint8_t* row0;
  ptrdiff_t step;
  if (!PrepareScanlineWalk(&bmp, row0, step)) return;
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* row = PixelRow(row0, step, y);
    for (int x = r.left; x < r.right; ++x)
      if ((row[x] & 0xFFFFFF) != kKey) row[x] = f(row[x]);
  }
}

void CopyRegion(TBitmap& dst, TBitmap& src, RECT r) {
  if (!ClipToBitmap(dst, r)) return;
  GdiFlush();
  BitBlt(dst.DC(), r.left, r.top, r.right - r.left, r.bottom - r.top, src.DC(), r.left, r.top, SRCCOPY);
  GdiFlush();
}

std::unique_ptr<TBitmap> Duplicate(TBitmap& src) {
  auto out = NewBitmap32(src.Width(), src.Height());
  CopyBitmapFull(*out, src);
  return out;
}

RECT LowerHalf(const RECT& r) { return RECT{r.left, r.top + (r.bottom - r.top) / 2, r.right, r.bottom}; }
RECT Whole(const TBitmap& b) { return RECT{0, 0, b.Width(), b.Height()}; }

int SaturationAmount(int percent) { return std::clamp(percent * 255 / 100, -255, 255); }

// Plain colours only: "none" values, system colour codes and the key colour
// stay as they are.
uint32_t AdjustColor(uint32_t c, const TacColorAdjustment& a, bool brightness) {
  if ((c >> 24) != 0 || c == kKey) return c;
  if (a.Hue) c = ApplyColorHue(a.Hue, c);
  if (a.Saturation) c = ApplyColorSaturation(c, SaturationAmount(a.Saturation));
  if (brightness && a.Brightness) c = ChangeColorLightness(c, a.Brightness);
  return c;
}

void AdjustState(TsGenState& st, const TacColorAdjustment& a) {
  for (uint32_t* c : {&st.Color, &st.GlowColor, &st.LightColor, &st.BorderColor, &st.FontColor, &st.ContourLeft,
                      &st.ContourTop, &st.ContourRight, &st.ContourBottom})
    *c = AdjustColor(*c, a, true);
  for (TsGradItem& item : st.GradientData) {
    // The five-field form carries alpha on top; the colour below it changes.
    const uint32_t top = item.Color & 0xFF000000u;
    item.Color = top | AdjustColor(item.Color & 0xFFFFFF, a, true);
  }
}

}  // namespace

void AdjustMasterBitmap(TacSkinGlobals& g, const TacSkinOptions& o, const TacColorAdjustment& a) {
  TBitmap* master = g.MasterBitmap.get();
  if (a.Empty() || !master || master->Empty()) return;
  if (a.Hue) {
    const std::vector<String> kept = KeptIcons(g.BIKeepHue);
    const std::vector<RECT> keep = MasterRegions(o, [&](const String& s, const String& k, const TacImageDescriptor&) {
      return s == L"GLOBALINFO" && Contains(kept, k);
    });
    auto copy = keep.empty() ? nullptr : Duplicate(*master);
    EachPixel(*master, Whole(*master), [&](uint32_t px) { return HuePixel(px, a.Hue); });
    for (const RECT& r : keep) CopyRegion(*master, *copy, r);
  }
  if (a.Saturation) {
    const int amount = SaturationAmount(a.Saturation);
    EachPixel(*master, Whole(*master), [&](uint32_t px) { return SaturatePixel(px, amount); });
  }
  if (a.Brightness) {
    // Grey masks say how much shows through; they must not change.
    const std::vector<RECT> masked = MasterRegions(
        o, [](const String&, const String&, const TacImageDescriptor& d) { return d.MaskType == 1; });
    auto copy = masked.empty() ? nullptr : Duplicate(*master);
    EachPixel(*master, Whole(*master), [&](uint32_t px) { return ChangeColorLightness(px, a.Brightness); });
    for (const RECT& r : masked) CopyRegion(*master, *copy, LowerHalf(r));
  }
}

void AdjustSkinData(TacSkinData& data, TacSkinGlobals& g, const TacColorAdjustment& a) {
  if (a.Empty()) return;
  const std::vector<String> kept = KeptIcons(g.BIKeepHue);
  auto keptKey = [&](const String& key) {
    for (const String& name : kept)
      if (key == L"GLOBALINFO-" + name || key == L"GLOBALINFO-" + name + L"GLOW0") return true;
    return false;
  };
  for (TacCachedImage& c : data.ImageCache) {
    if (!c.Bmp || c.Bmp->Empty() || c.FromMaster) continue;
    TBitmap& bmp = *c.Bmp;
    if (a.Hue && !keptKey(c.Key)) EachPixel(bmp, Whole(bmp), [&](uint32_t px) { return HuePixel(px, a.Hue); });
    if (a.Saturation) {
      const int amount = SaturationAmount(a.Saturation);
      EachPixel(bmp, Whole(bmp), [&](uint32_t px) { return SaturatePixel(px, amount); });
    }
    if (a.Brightness) {
      auto copy = c.MaskType != 0 ? Duplicate(bmp) : nullptr;
      EachPixel(bmp, Whole(bmp), [&](uint32_t px) { return ChangeColorLightness(px, a.Brightness); });
      if (copy)
        CopyRegion(bmp, *copy, LowerHalf(Whole(bmp)));
      else if (a.Brightness > 0 && c.FileName.find(L".PNG") != String::npos)
        PremultiplyAlpha(bmp);
    }
  }
  for (TsGeneralData& s : data.GeneralDataArray)
    for (TsGenState& st : s.Props) AdjustState(st, a);

  auto& p = g.Palette;
  auto slot = [&](int i) {
    // The button colours carry a flag on top; their colour changes below it.
    const uint32_t top = p[i] & 0xFF000000u;
    const bool flagged = top == 0xFF000000u && (i == 27 || i == 28 || i == 31 || i == 32 || i == 35 || i == 36);
    p[i] = flagged ? top | AdjustColor(p[i] & 0xFFFFFF, a, false) : AdjustColor(p[i], a, false);
  };
  for (int i = 0; i <= 2; ++i) slot(i);
  for (int i = 4; i <= 13; ++i) slot(i);
  for (int i = 27; i <= 38; ++i) slot(i);
  for (int i = 55; i <= 58; ++i) slot(i);
  g.Shadow1Color = AdjustColor(g.Shadow1Color, a, false);
}
