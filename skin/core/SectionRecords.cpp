#include "skin/core/SectionRecords.h"

#include <algorithm>

bool IsValidSectionIndex(const TsGeneralDataArray& Sections, int Index) {
  return Index >= 0 && Index < int(Sections.size());
}

bool IsValidMaskIndex(const TsMaskArray& Masks, int Index) { return Index >= 0 && Index < int(Masks.size()); }

int GetSectionIndex(const TsGeneralDataArray& Sections, const String& Name) {
  if (Name.empty()) return -1;
  for (size_t i = 0; i < Sections.size(); ++i)
    if (Sections[i].ClassName == Name) return int(i);
  return -1;
}

int GetMaskIndex(const TsMaskArray& Masks, const String& SectionName, const String& PropName) {
  if (SectionName.empty()) return -1;
  for (size_t i = 0; i < Masks.size(); ++i)
    if (Masks[i].ClassName == SectionName && Masks[i].PropertyName == PropName) return int(i);
  return -1;
}

namespace {

// Walks a section and its parents; Visit returns the answer or -1 to go on.
template <typename Visit>
int WalkParentChain(const TsGeneralDataArray& Sections, int SectionIndex, Visit Fn) {
  std::vector<bool> Seen(Sections.size(), false);
  while (IsValidSectionIndex(Sections, SectionIndex) && !Seen[SectionIndex]) {
    Seen[SectionIndex] = true;
    int Found = Fn(SectionIndex);
    if (Found >= 0) return Found;
    SectionIndex = GetSectionIndex(Sections, Sections[SectionIndex].ParentClass);
  }
  return -1;
}

}  // namespace

int GetSectionMaskIndex(const TsGeneralDataArray& Sections, const TsMaskArray& Masks, int SectionIndex,
                        const String& PropName) {
  return WalkParentChain(Sections, SectionIndex, [&](int Section) {
    for (size_t i = 0; i < Masks.size(); ++i)
      if (Masks[i].SectionIndex == Section && Masks[i].PropertyName == PropName) return int(i);
    return -1;
  });
}

int GetTextureIndex(const TsGeneralDataArray& Sections, const TsMaskArray& Masks, int SectionIndex,
                    const String& SectionName, const String& PropName) {
  if (SectionIndex < 0 || SectionName.empty()) return -1;
  bool First = true;
  return WalkParentChain(Sections, SectionIndex, [&](int Section) {
    const String& Name = First ? SectionName : Sections[Section].ClassName;
    First = false;
    for (size_t i = 0; i < Masks.size(); ++i)
      if (Masks[i].ImgKind == 1 && Masks[i].ClassName == Name && Masks[i].PropertyName == PropName) return int(i);
    return -1;
  });
}

bool IsTransparentMaskPoint(int X, int Y, const TsMaskData& Mask, int Width, int Height) {
  if (!Mask.Bmp) return false;
  const bool Left = X <= Mask.WL, Right = X >= Width - Mask.WR;
  const bool Top = Y <= Mask.WT, Bottom = Y >= Height - Mask.WB;
  if (!((Left || Right) && (Top || Bottom))) return false;
  if (!Left && Right) X += Mask.FrameWidth - Width;
  if (!Top && Bottom) Y += Mask.FrameHeight - Height;
  X += Mask.SrcRect.left;
  Y += Mask.SrcRect.top;
  if (X < 0 || Y < 0 || X >= Mask.Bmp->Width() || Y >= Mask.Bmp->Height()) return false;
  const uint32_t Pixel = static_cast<const uint32_t*>(Mask.Bmp->ScanLine(Y))[X];
  return (Mask.CornerMode & 1) ? (Pixel & 0xFFFFFF) == 0xFF00FF : (Pixel >> 24) == 0;
}

POINT MaskFrameSize(const TsMaskData& Mask) { return POINT{Mask.FrameWidth, Mask.FrameHeight}; }
