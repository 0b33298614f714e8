#include "skin/manager/SkinDataBuilder.h"

namespace {

// Fallbacks of the newer standard names, from index 54 on; an entry naming
// itself has none.
constexpr int Fallbacks[13] = {12, 31, 2, 57, 58, 4, 60, 35, 9, 62, 62, 62, 9};

int GlobalImage(const TacSkinData& data, const wchar_t* name) {
  return GetSectionMaskIndex(data.GeneralDataArray, data.MaskArray, data.GlobalInfoIndex, name);
}

}  // namespace

void ResolveStandardIndexes(TacSkinData& data) {
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
  data.ExBorderIndex = GlobalImage(data, L"EXBORDER");
  data.GripImage = GlobalImage(data, L"GRIPIMAGE");
  data.GripHorz = GlobalImage(data, L"GRIPHORZ");
  data.GripVert = GlobalImage(data, L"GRIPVERT");
  for (int i = 0; i < 12; ++i) data.TitleIcons[i] = GlobalImage(data, TitleIconNames[i]);
  if (data.TitleIcons[0] < 0) data.TitleIcons[0] = data.TitleIcons[1];
  for (int i = 6; i <= 10; ++i)
    if (data.TitleIcons[i] < 0) data.TitleIcons[i] = data.TitleIcons[i - 5];
}

void BuildSkinData(TacSkinData& data, const TacBuildInput& input) {
  data.Clear();
  if (!input.Options) return;
  ReadImageItems(data, input);
  ReadSections(data, input);
  ReadGlobalValues(data, input);
  ResolveStandardIndexes(data);
  FixUpImageIndexes(data, input.MasterBitmap);
}
