#include "skin/manager/SkinDataBuilder.h"
#include "skin/core/SkinConstants.h"
#include "skin/core/SkinUtils.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

constexpr const wchar_t* StateKeys[3][14] = {
    {L"COLOR", L"FONTCOLOR", L"TCLEFT", L"TCTOP", L"TCRIGHT", L"TCBOTTOM", L"GCOL", L"GSIZE", L"GRADIENTPERCENT",
     L"GRADIENTDATA", L"IMAGEPERCENT", L"TRANSPARENCY", L"LIGHT0", L"BORDERCOLOR0"},
    {L"HOTCOLOR", L"HOTFONTCOLOR", L"HOTTCLEFT", L"HOTTCTOP", L"HOTTCRIGHT", L"HOTTCBOTTOM", L"HGCOL", L"HGSIZE",
     L"HOTGRADIENTPERCENT", L"HOTGRADIENTDATA", L"HOTIMAGEPERCENT", L"HOTTRANSPARENCY", L"LIGHT1", L"BORDERCOLOR1"},
    {L"COLOR2", L"FONTCOLOR2", L"TCLEFT2", L"TCTOP2", L"TCRIGHT2", L"TCBOTTOM2", L"GCOL2", L"GSIZE2",
     L"GRADIENTPERCENT2", L"GRADIENTDATA2", L"IMAGEPERCENT2", L"TRANSPARENCY2", L"LIGHT2", L"BORDERCOLOR2"},
};

// Reads keys of a section and, where it lacks them, of its PARENTCLASS chain.
// A chain that comes back on itself ends as missing, so no skin can make the
// reader loop.
class TInheritedReader {
 public:
  explicit TInheritedReader(const TacSkinOptions& options) : FOptions(options) {}

  String String_(const String& s, const String& key, const String& def) const {
    std::vector<String> seen;
    String v = StringChain(s, key, seen);
    return v == L"?" ? def : v;
  }

  bool Bool(const String& s, const String& key, bool def) const {
    String v = String_(s, key, L"?");
    if (v == L"?") return def;
    return v == L"TRUE" || v == L"1";
  }

  int Int(const String& s, const String& key, int def, bool raw = false, int max = INT_MAX) const {
    std::vector<String> seen;
    return IntChain(s, key, def, raw, max, seen);
  }

 private:
  bool ParentUsable(const String& s, String& parent, const std::vector<String>& seen) const {
    parent = FOptions.ReadString(s, L"PARENTCLASS", String());
    if (parent.empty() || parent == L"?" || parent == s) return false;
    for (const String& v : seen)
      if (v == parent) return false;
    return true;
  }

  String StringChain(const String& s, const String& key, std::vector<String>& seen) const {
    String v = FOptions.ReadString(s, key, L"?");
    String parent;
    seen.push_back(s);
    if (v == L"?" && ParentUsable(s, parent, seen)) return StringChain(parent, key, seen);
    return v;
  }

  int IntChain(const String& s, const String& key, int def, bool raw, int max, std::vector<String>& seen) const {
    int v = FOptions.ReadInteger(s, key, -2);
    String parent;
    seen.push_back(s);
    int r;
    if (v != -2)
      r = v;
    else if (ParentUsable(s, parent, seen)) {
      r = IntChain(parent, key, -1, false, INT_MAX, seen);
      if (!raw && r < 0) r = def;
    } else {
      r = raw ? -2 : def;
    }
    return r < max ? r : max;
  }

  const TacSkinOptions& FOptions;
};

void ReadState(const TInheritedReader& in, const String& s, int n, uint32_t defLight, TsGenState& st) {
  const TsGenState def;
  const auto& k = StateKeys[n];
  st.Color = uint32_t(in.Int(s, k[0], int(def.Color)));
  st.FontColor = uint32_t(in.Int(s, k[1], int(def.FontColor)));
  st.ContourLeft = uint32_t(in.Int(s, k[2], int(def.ContourLeft)));
  st.ContourTop = uint32_t(in.Int(s, k[3], int(def.ContourTop)));
  st.ContourRight = uint32_t(in.Int(s, k[4], int(def.ContourRight)));
  st.ContourBottom = uint32_t(in.Int(s, k[5], int(def.ContourBottom)));
  st.GlowColor = uint32_t(in.Int(s, k[6], int(def.GlowColor)));
  st.GlowSize = in.Int(s, k[7], def.GlowSize);
  st.GradientPercent = in.Int(s, k[8], def.GradientPercent);
  String gradient = in.String_(s, k[9], L" ");
  st.GradientData = TsGradArray();
  if (gradient.size() >= 4) {
    // A gradient that does not parse is no gradient, not a failed skin.
    try {
      st.GradientData = ParseGradientString(gradient);
    } catch (const Exception&) {
    }
  }
  st.ImagePercent = in.Int(s, k[10], def.ImagePercent);
  st.Transparency = in.Int(s, k[11], def.Transparency);
  st.LightColor = uint32_t(in.Int(s, k[12], int(defLight)));
  st.BorderColor = uint32_t(in.Int(s, k[13], int(def.BorderColor)));
}

// Reads of the common text: a negative integer counts as missing.
struct TCommonReader {
  const TacSkinOptions& O;
  int Int(const String& s, const String& key, int def) const {
    const int v = O.ReadInteger(s, key, -1);
    return v < 0 ? def : v;
  }
  // "1" or "TRUE" in any case; a missing key keeps def.
  bool Bool(const String& s, const String& key, bool def) const {
    if (!O.ValueExists(s, key)) return def;
    const String v = UpperCase(O.ReadString(s, key, String()));
    return v == L"1" || v == L"TRUE";
  }
};

void ReadCommonState(const TCommonReader& c, const String& s, int n, const TsGenState& base, TsGenState& st) {
  const auto& k = StateKeys[n];
  st = base;
  st.Color = uint32_t(c.Int(s, k[0], int(base.Color)));
  st.FontColor = uint32_t(c.Int(s, k[1], int(base.FontColor)));
  st.ContourLeft = uint32_t(c.Int(s, k[2], int(base.ContourLeft)));
  st.ContourTop = uint32_t(c.Int(s, k[3], int(base.ContourTop)));
  st.ContourRight = uint32_t(c.Int(s, k[4], int(base.ContourRight)));
  st.ContourBottom = uint32_t(c.Int(s, k[5], int(base.ContourBottom)));
  st.GlowColor = uint32_t(c.Int(s, k[6], int(base.GlowColor)));
  st.GlowSize = c.Int(s, k[7], base.GlowSize);
  st.GradientPercent = c.Int(s, k[8], base.GradientPercent);
  const String gradient = c.O.ReadString(s, k[9], String());
  if (gradient.size() >= 4) {
    try {
      st.GradientData = ParseGradientString(gradient);
    } catch (const Exception&) {
    }
  }
  st.ImagePercent = c.Int(s, k[10], base.ImagePercent);
  st.Transparency = c.Int(s, k[11], base.Transparency);
  st.LightColor = uint32_t(c.Int(s, k[12], int(base.LightColor)));
  st.BorderColor = uint32_t(c.Int(s, k[13], int(base.BorderColor)));
}

// Sections of the manager's common text that the skin lacks, each on the
// section it names as parent.
void ReadCommonSections(TacSkinData& data, const TacBuildInput& input, const TInheritedReader& in) {
  if (!input.Common || input.Common->Empty()) return;
  const TCommonReader c{*input.Common};
  auto& table = data.GeneralDataArray;
  for (const auto& section : input.Common->Sections()) {
    const String& name = section.Name;
    if (data.SectionIndex(name) >= 0) continue;
    TsGeneralData g;
    g.BorderIndex = 0;  // looked up with the image items
    const String parent = UpperCase(input.Common->ReadString(name, L"PARENTCLASS", L"-1"));
    if (parent != L"-1")
      for (const TsGeneralData& other : table)
        if (UpperCase(other.ClassName) == parent) {
          g = other;
          break;
        }
    const TsGeneralData base = g;
    g.ClassName = name;
    g.ParentClass = parent;
    g.States = c.Int(name, L"STATES", base.States);
    ReadCommonState(c, name, 0, base.Props[0], g.Props[0]);
    if (g.States >= 2)
      ReadCommonState(c, name, 1, base.Props[1], g.Props[1]);
    else
      g.Props[1] = g.Props[0];
    const int own = input.Common->ReadInteger(name, L"USESTATE2", -1);
    g.UseState2 = (own >= 0 ? own : in.Int(parent, L"USESTATE2", 0)) == 1;
    if (g.UseState2)
      ReadCommonState(c, name, 2, base.Props[2], g.Props[2]);
    else
      g.Props[2] = g.Props[1];
    g.ReservedBoolean = c.Bool(name, L"RESERVEDBOOLEAN", base.ReservedBoolean);
    g.GiveOwnFont = c.Bool(name, L"GIVEOWNFONT", base.GiveOwnFont);
    g.ShiftClick = c.Bool(name, L"SHIFTCLICK", base.ShiftClick);
    g.Glow = std::min(c.Int(name, L"GLOW", base.Glow), 255);
    g.GlowMargin = std::min(c.Int(name, L"GLOWMARGIN", base.GlowMargin), 255);
    if (input.Common->ValueExists(name, L"BORDERSMASK") &&
        input.Common->ReadString(name, L"BORDERSMASK", String()).size() < 5)
      g.BorderIndex = -2;
    table.push_back(std::move(g));
  }
}

TsGeneralData FallbackSection(const String& name, int transparency, uint32_t color, uint32_t fontColor) {
  TsGeneralData g;
  g.ClassName = name;
  g.States = 1;
  for (TsGenState& st : g.Props) {
    st = TsGenState();
    st.Transparency = transparency;
    st.Color = color;
    st.FontColor = fontColor;
  }
  return g;
}

}  // namespace

void ReadSections(TacSkinData& data, const TacBuildInput& input) {
  const TacSkinOptions& o = *input.Options;
  TInheritedReader in(o);
  auto scaled = [&](int v) { return ScaleByIndex(v, data.ScaleIndex); };
  data.TabsCovering = o.ReadInteger(L"TABTOP", L"TABSCOVERING", 0) != 0;
  data.RibbonTabCovering = o.ReadInteger(L"RIBBONTAB", L"TABSCOVERING", 0) != 0;
  data.GeneralDataArray.clear();
  data.GeneralDataArray.reserve(o.Sections().size() + 16);
  for (const auto& section : o.Sections()) {
    const String& s = section.Name;
    TsGeneralData g;
    g.ClassName = s;
    g.ParentClass = o.ReadString(s, L"PARENTCLASS", String());
    g.ReservedBoolean = in.Bool(s, L"RESERVEDBOOLEAN", false);
    g.GiveOwnFont = in.Bool(s, L"GIVEOWNFONT", false);
    g.ShiftClick = in.Bool(s, L"SHIFTCLICK", false);
    g.Glow = in.Int(s, L"GLOW", 0, false, 255);
    g.GlowMargin = in.Int(s, L"GLOWMARGIN", 0, false, 255);
    if (!data.MaskArray.empty()) g.GlowMargin = MulDiv(g.GlowMargin, data.PPI, 96);
    g.BorderRadius = scaled(in.Int(s, L"BORDERRADIUS", 0, false, 255));
    g.States = in.Int(s, L"STATES", 3, false, 255);
    g.OutOffsL = scaled(in.Int(s, L"OUTOFFSL", 0, true, 255));
    g.OutOffsT = scaled(in.Int(s, L"OUTOFFST", 0, true, 255));
    g.OutOffsR = scaled(in.Int(s, L"OUTOFFSR", 0, true, 255));
    g.OutOffsB = scaled(in.Int(s, L"OUTOFFSB", 0, true, 255));
    g.OuterOpacity = in.Int(s, L"OUTOPACITY", 200, false, 255);
    g.OuterMode = in.Int(s, L"OUTERMODE", 2);
    g.OutBlur = scaled(in.Int(s, L"OUTBLUR", 9, false, 30));
    g.OutRadius = scaled(in.Int(s, L"OUTRADIUS", 9, false, 60));
    g.OutColL = uint32_t(in.Int(s, L"OUTCOLL", 0));
    g.OutColT = uint32_t(in.Int(s, L"OUTCOLT", 0));
    g.OutColR = uint32_t(in.Int(s, L"OUTCOLR", 0));
    g.OutColB = uint32_t(in.Int(s, L"OUTCOLB", 0));
    g.BorderWidth = in.Int(s, L"BORDERWIDTH", 1);
    g.ImgTopLeft = g.ImgTopRight = g.ImgBottomLeft = g.ImgBottomRight = -1;
    ReadState(in, s, 0, input.DefLight, g.Props[0]);
    if (g.States <= 1)
      g.Props[1] = g.Props[0];
    else
      ReadState(in, s, 1, input.DefLight, g.Props[1]);
    g.UseState2 = in.Int(s, L"USESTATE2", 0) == 1;
    if (g.UseState2)
      ReadState(in, s, 2, input.DefLight, g.Props[2]);
    else
      g.Props[2] = g.Props[1];
    // Image indexes are looked up once the image items are known.
    g.BorderIndex = 0;
    data.GeneralDataArray.push_back(std::move(g));
  }
  ReadCommonSections(data, input, in);
  if (data.SectionIndex(L"TRANSPARENT") < 0)
    data.GeneralDataArray.push_back(FallbackSection(L"TRANSPARENT", 100, 0xFFFFFF, input.GlobalFontColor));
  if (data.SectionIndex(L"MAINCOLOR") < 0)
    data.GeneralDataArray.push_back(FallbackSection(L"MAINCOLOR", 0, input.GlobalColor, input.GlobalFontColor));
}

int ReadGlobalMetric(const TacSkinData& data, const TacSkinOptions& o, const String& name, int def, int itemIndex,
                     bool scale, int customPPI) {
  const String g = L"GLOBALINFO";
  if (scale && itemIndex >= 0 && itemIndex < static_cast<int>(data.MaskArray.size())) {
    // A value of an image item belongs to the density its picture was drawn
    // for.
    int from = data.MaskArray[itemIndex].SrcPPI;
    int v = o.ReadInteger(g, name + acScaleSuffixes[PPIToScaleIndex(from)], -99999);
    if (v == -99999) {
      v = o.ReadInteger(g, name, def);
      from = 96;
    }
    return MulDiv(v, data.PPI, from > 0 ? from : 96);
  }
  int v = o.ReadInteger(g, name + acScaleSuffixes[data.ScaleIndex], -99999);
  if (v != -99999) return customPPI > 0 && customPPI < 96 ? MulDiv(v, customPPI, 96) : v;
  if (data.ScaleIndex == 0) return def;
  v = o.ReadInteger(g, name, def);
  return scale ? MulDiv(v, data.PPI, 96) : v;
}

void ReadGlobalValues(TacSkinData& data, const TacBuildInput& input) {
  const TacSkinOptions& o = *input.Options;
  const String g = L"GLOBALINFO";
  auto metric = [&](const wchar_t* name, int def) {
    return ReadGlobalMetric(data, o, name, def, -1, true, input.CustomPPI);
  };
  data.BorderMode = o.ReadInteger(g, L"BORDERMODE", 0);
  data.AlignOffset = metric(L"ALIGNOFFSET", 0);
  data.AlignOffsetR = metric(L"ALIGNOFFSETR", data.AlignOffset);
  data.AlignOffsetT = metric(L"ALIGNOFFSETT", data.AlignOffset);
  data.AlignOffsetB = metric(L"ALIGNOFFSETB", data.AlignOffset);
  data.WShadowRadius = metric(L"WSHRAD", 17);
  data.WShadowOffset = metric(L"WSHOFFS", 2);
  data.WShadowSize = metric(L"WSHSIZE", 13);
  data.WShadowColorN = uint32_t(o.ReadInteger(g, L"WSHCOLN", 0x44000000));
  data.WShadowColorA = uint32_t(o.ReadInteger(g, L"WSHCOLA", int(0x99000000u)));
  data.TitleIconSpace = metric(L"BISPACE", 0);
  data.TitleIconRight = metric(L"BIRIGHT", 0);
  data.TitleIconLeft = metric(L"BILEFT", 0);
  data.TitleIconTop = metric(L"BITOP", 0);
  for (int i = 0; i < 5; ++i) data.TitleGlowMargins[i] = metric((String(TitleIconNames[i]) + L"GLOWMARGIN").c_str(), 0);
  data.Shadow1Offset = metric(L"SHADOW1OFFSET", 0);
  data.Shadow1Blur = metric(L"SHADOW1BLUR", -1);
  data.Shadow1Transparency = o.ReadInteger(g, L"SHADOW1TRANSPARENCY", 0);
  data.ThumbWidth = metric(L"THUMBWIDTH", 0);
  data.ScrollsArrows = o.ReadInteger(g, L"SCROLLSARROWS", -1);
  data.ScrollsWidth = o.ReadInteger(g, L"SCROLLSWIDTH", -1);
  if (data.ScrollsWidth != -1) data.ScrollsWidth = ScaleByIndex(data.ScrollsWidth, data.ScaleIndex);
  data.ComboMargin = o.ReadInteger(g, L"COMBOMARGIN", 2);
  if (data.ComboMargin == 1 && data.PPI > 143) data.ComboMargin = 2;
  data.SliderMargin = o.ReadInteger(g, L"SLIDERMARGIN", 1);

  // The skin-wide outer effects. Widths from the file are sizes at 96 pixels
  // per inch; a width of -1 is taken from the computed shape, which is drawn
  // at this density already.
  auto scaled = [&](int v) { return ScaleByIndex(v, data.ScaleIndex); };
  auto width = [&](const wchar_t* name) {
    const int v = o.ReadInteger(g, name, -1);
    return v == -1 ? -1 : scaled(v);
  };
  TacOutEffData& sh = data.OuterEffects[1];
  sh.ColorT = 0xFF00FF;
  sh.WidthL = width(L"SH_WIDTHL");
  sh.WidthR = width(L"SH_WIDTHR");
  sh.WidthT = width(L"SH_WIDTHT");
  sh.WidthB = width(L"SH_WIDTHB");
  sh.OffsetL = scaled(o.ReadInteger(g, L"SH_OFFSETL", 3));
  sh.OffsetR = scaled(o.ReadInteger(g, L"SH_OFFSETR", 3));
  sh.OffsetT = scaled(o.ReadInteger(g, L"SH_OFFSETT", 2));
  sh.OffsetB = scaled(o.ReadInteger(g, L"SH_OFFSETB", 5));
  sh.Radius = scaled(o.ReadInteger(g, L"SH_RADIUS_OE", 9));
  sh.Blur = scaled(o.ReadInteger(g, L"SH_BLUR_OE", 5));
  sh.ColorL = o.ReadInteger(g, L"SH_COLORL", 0);
  sh.Opacity = o.ReadInteger(g, L"SH_OPACITY", 60);
  sh.Source = o.ReadInteger(g, L"SH_SOURCE", 2);
  ReadOuterEffectPicture(data, input, sh, L"SH_MASK");
  TacOutEffData& lo = data.OuterEffects[0];
  lo.ColorL = o.ReadInteger(g, L"LO_COLORL", 0xFFFFFF);
  lo.ColorR = o.ReadInteger(g, L"LO_COLORR", 0xFFFFFF);
  lo.ColorT = o.ReadInteger(g, L"LO_COLORT", 0);
  lo.ColorB = o.ReadInteger(g, L"LO_COLORB", 0xFFFFFF);
  lo.WidthL = width(L"LO_WIDTHL");
  lo.WidthR = width(L"LO_WIDTHR");
  lo.WidthT = width(L"LO_WIDTHT");
  lo.WidthB = width(L"LO_WIDTHB");
  lo.OffsetL = scaled(o.ReadInteger(g, L"LO_OFFSETL", 2));
  lo.OffsetR = scaled(o.ReadInteger(g, L"LO_OFFSETR", 2));
  lo.OffsetT = scaled(o.ReadInteger(g, L"LO_OFFSETT", 2));
  lo.OffsetB = scaled(o.ReadInteger(g, L"LO_OFFSETB", 4));
  lo.Radius = scaled(o.ReadInteger(g, L"LO_RADIUS_OE", 9));
  lo.Blur = scaled(o.ReadInteger(g, L"LO_BLUR_OE", 5));
  lo.Source = o.ReadInteger(g, L"LO_SOURCE", 2);
  lo.Opacity = o.ReadInteger(g, L"LO_OPACITY", 200);
  ReadOuterEffectPicture(data, input, lo, L"LO_MASK");
}

void ReadFormMetrics(TacSkinData& data, const TacBuildInput& input) {
  const TacSkinOptions& o = *input.Options;
  auto metric = [&](const wchar_t* name, int def) {
    return ReadGlobalMetric(data, o, name, def, data.ExBorderIndex, true, input.CustomPPI);
  };
  auto scaled = [&](int v) {
    return input.CustomPPI > 0 ? MulDiv(v, input.CustomPPI, 96) : ScaleByIndex(v, data.ScaleIndex);
  };
  data.FormOffset = metric(L"FORMOFFSET", GetSystemMetrics(SM_CXFRAME));
  if (input.ShadowBorders) {
    data.BorderWidth = scaled(4);
    data.TitleHeight = data.MaxTitleHeight = scaled(30);
    data.CenterOffset = 0;
    return;
  }
  data.BorderWidth = std::max(metric(L"BORDERWIDTH", 4), 1);
  data.TitleHeight = metric(L"TITLEHEIGHT", 30);
  if (data.TitleHeight <= 0) data.TitleHeight = scaled(30);
  data.MaxTitleHeight = metric(L"MAXHEIGHT", 0);
  if (data.MaxTitleHeight <= 0) data.MaxTitleHeight = data.TitleHeight;
  data.CenterOffset = metric(L"CENTEROFFSET", 0);
}
