#include "skin/manager/SkinDataBuilder.h"
#include "skin/core/SkinConstants.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Fallbacks of the newer standard names, from index 54 on; an entry naming
// itself has none.
constexpr int Fallbacks[13] = {12, 31, 2, 57, 58, 4, 60, 35, 9, 62, 62, 62, 9};

int GlobalImage(const TacSkinData& data, const wchar_t* name) {
  return GetSectionMaskIndex(data.GeneralDataArray, data.MaskArray, data.GlobalInfoIndex, name);
}

int Image(const TacSkinData& data, int section, const wchar_t* name) {
  return GetSectionMaskIndex(data.GeneralDataArray, data.MaskArray, section, name);
}

int Texture(const TacSkinData& data, int section, const wchar_t* name) {
  if (section < 0) return -1;
  return GetTextureIndex(data.GeneralDataArray, data.MaskArray, section, data.GeneralDataArray[section].ClassName,
                         name);
}

// The first of the names the skin has.
TacSectionRecord Record(const TacSkinData& data, std::initializer_list<const wchar_t*> names) {
  TacSectionRecord r;
  r.Name = *names.begin();
  for (const wchar_t* name : names) {
    r.SkinIndex = data.SectionIndex(name);
    if (r.SkinIndex >= 0) {
      r.Name = name;
      break;
    }
  }
  if (r.SkinIndex < 0) return r;
  r.BorderIndex = Image(data, r.SkinIndex, L"BORDERSMASK");
  r.GlyphIndex = Image(data, r.SkinIndex, L"GLYPHMASK");
  r.Pattern = Texture(data, r.SkinIndex, L"PATTERN");
  r.HotPattern = Texture(data, r.SkinIndex, L"HOTPATTERN");
  return r;
}

void ResolveRecords(TacSkinData& data) {
  data.MenuItem = Record(data, {L"MENUITEM"});
  data.ComboButton = Record(data, {L"COMBOBTN"});
  // The combo button draws the combo box's arrow.
  data.ComboButton.GlyphIndex = Image(data, data.SectionIndex(L"COMBOBOX"), L"GLYPHMASK");
  for (size_t i = 0; i < data.Tabs.size(); ++i) data.Tabs[i] = Record(data, {acTabSections[i]});
  for (size_t i = 0; i < 2; ++i) data.ScrollSliders[i] = Record(data, {acScrollSliderSections[i]});
  for (size_t i = 0; i < 4; ++i) {
    data.ScrollBars[i] = Record(data, {acScrollBarSections[i]});
    data.ScrollButtons[i] = Record(data, {acScrollButtonSections[i]});
    data.UpDownButtons[i] = Record(data, {acUpDownSections[i], L"UPDOWNBTN", L"BUTTON"});
  }
  const int track = data.SectionIndex(L"TRACKBAR");
  for (int horizontal = 0; horizontal < 2; ++horizontal) {
    TacTrackBarRecord& t = data.TrackBars[horizontal];
    t = TacTrackBarRecord();
    t.SkinIndex = track;
    if (track < 0) continue;
    t.BorderIndex = Image(data, track, L"BORDERSMASK");
    t.ProgressIndex = Image(data, track, horizontal ? L"PROGHORZ" : L"PROGVERT");
    t.TickIndex = Image(data, track, horizontal ? L"TICKHORZ" : L"TICKVERT");
    t.ChannelIndex = Image(data, track, L"SLIDERCHANNEL");
    t.SliderIndex = horizontal ? -1 : Image(data, track, L"SLIDERVMASK");
    if (t.SliderIndex < 0) t.SliderIndex = Image(data, track, L"SLIDERMASK");
    t.Pattern = Texture(data, track, L"PATTERN");
    t.HotPattern = Texture(data, track, L"HOTPATTERN");
  }
}

// The glow images of the first five title icons, "BICONCLOSEGLOW" of them
// each.
void ResolveTitleGlows(TacSkinData& data, const TacSkinOptions& options) {
  // The count only bounds a loop of lookups; no skin makes it allocate more.
  const int count = std::clamp(options.ReadInteger(L"GLOBALINFO", L"BICONCLOSEGLOW", 0), 0, 64);
  for (int i = 0; i < 5; ++i) {
    auto& glows = data.TitleGlowIndexes[i];
    glows.assign(size_t(count), -1);
    for (int n = 0; n < count; ++n)
      glows[n] = GlobalImage(data, (String(TitleIconNames[i]) + L"GLOW" + std::to_wstring(n)).c_str());
  }
}

}  // namespace

void ResolveStandardIndexes(TacSkinData& data, const TacBuildInput& input) {
  auto& sections = data.GeneralDataArray;
  data.GlobalInfoIndex = data.SectionIndex(L"GLOBALINFO");
  for (int i = 0; i < StandardSectionCount; ++i) data.StandardSections[i] = data.SectionIndex(StandardSectionNames[i]);
  for (int i = 54; i < StandardSectionCount; ++i) {
    const int fallback = Fallbacks[i - 54];
    if (data.StandardSections[i] >= 0 || fallback == i) continue;
    const int from = data.StandardSections[fallback];
    data.StandardSections[i] = from;
    TsGeneralData copy;
    if (from >= 0) {
      copy = sections[from];
      copy.ParentClass = sections[from].ClassName;
    } else {
      copy.States = -1;
      for (TsGenState& st : copy.Props) st.Color = st.FontColor = 0xFFFFFFFF;
    }
    copy.ClassName = StandardSectionNames[i];
    sections.push_back(std::move(copy));
  }
  for (int i = 0; i < 2; ++i) data.RadioImages[i] = GlobalImage(data, i ? L"RADIOCHECKED" : L"RADIOUNCHECKED");
  const wchar_t* checks[3] = {L"BOXUNCHECKED", L"BOXCHECKED", L"BOXGRAYED"};
  const wchar_t* smalls[3] = {L"SMALLUNCHECKED", L"SMALLCHECKED", L"SMALLGRAYED"};
  for (int i = 0; i < 3; ++i) {
    data.CheckImages[i] = GlobalImage(data, checks[i]);
    data.SmallCheckImages[i] = GlobalImage(data, smalls[i]);
  }
  data.ExBorderIndex = input.ShadowBorders ? -1 : GlobalImage(data, L"EXBORDER");
  data.GripImage = GlobalImage(data, L"GRIPIMAGE");
  data.GripHorz = GlobalImage(data, L"GRIPHORZ");
  data.GripVert = GlobalImage(data, L"GRIPVERT");
  for (int i = 0; i < 12; ++i) data.TitleIcons[i] = GlobalImage(data, TitleIconNames[i]);
  ResolveTitleGlows(data, *input.Options);
  if (data.TitleIcons[0] < 0) {
    data.TitleIcons[0] = data.TitleIcons[1];
    data.TitleGlowIndexes[0] = data.TitleGlowIndexes[1];
    data.TitleGlowMargins[0] = data.TitleGlowMargins[1];
  }
  for (int i = 6; i <= 10; ++i)
    if (data.TitleIcons[i] < 0) data.TitleIcons[i] = data.TitleIcons[i - 5];
  ResolveRecords(data);
}

void BuildSkinData(TacSkinData& data, const TacBuildInput& input) {
  data.Clear();
  if (!input.Options) return;
  ReadImageItems(data, input);
  ReadSections(data, input);
  ReadGlobalValues(data, input);
  ResolveStandardIndexes(data, input);
  FixUpImageIndexes(data, input);
  ReadFormMetrics(data, input);
}
