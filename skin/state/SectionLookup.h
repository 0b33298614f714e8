#pragma once
// The section and border mask a skin state or a painter refers to by index,
// nil where the index is outside the table, and the state's record limited
// to the states the section has.
#include <algorithm>

#include "skin/manager/SkinData.h"

inline const TsGeneralData* SectionAt(const TacSkinData* Data, int Index) {
  if (!Data || !IsValidSectionIndex(Data->GeneralDataArray, Index)) return nullptr;
  return &Data->GeneralDataArray[Index];
}

inline const TsMaskData* BorderMaskOf(const TacSkinData* Data, const TsGeneralData& Section) {
  if (!Data || !IsValidMaskIndex(Data->MaskArray, Section.BorderIndex)) return nullptr;
  return &Data->MaskArray[Section.BorderIndex];
}

// min(State, States - 1, 2), never below 0.
inline int LimitedState(const TsGeneralData& Section, int State) {
  return std::max(0, std::min({State, Section.States - 1, 2}));
}
