#pragma once
// Everything of a loaded skin that depends on the pixel density: the section
// table, the image items, the standard indexes and the per-density values of
// "GLOBALINFO". The manager keeps one per density it needs.
#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"

#include <array>
#include <map>
#include <memory>

constexpr int StandardSectionCount = 67;
extern const std::array<const wchar_t*, StandardSectionCount> StandardSectionNames;
extern const std::array<const wchar_t*, 13> TitleIconNames;

struct TacOutEffData {
  int ColorL = 0, ColorT = 0, ColorR = 0, ColorB = 0;
  int OffsetL = 0, OffsetT = 0, OffsetR = 0, OffsetB = 0;
  int WidthL = 0, WidthT = 0, WidthR = 0, WidthB = 0;
  int Blur = 0, Radius = 0, MaskIndex = -1, Source = 0, Opacity = 0;
};

class TacSkinData {
 public:
  explicit TacSkinData(int ppi);
  TacSkinData(const TacSkinData&) = delete;
  TacSkinData& operator=(const TacSkinData&) = delete;

  int PPI;
  int ScaleIndex;
  int ScalePercent;
  int ScaleValue(int value) const { return MulDiv(value, PPI, 96); }
  void Clear();

  TsMaskArray MaskArray;
  TsGeneralDataArray GeneralDataArray;
  std::array<TacOutEffData, 2> OuterEffects;  // 0 light ("LO_"), 1 shadow ("SH_")

  // Per-density values of "GLOBALINFO".
  int BorderWidth = 0, TitleHeight = 0, MaxTitleHeight = 0, FormOffset = 0, CenterOffset = 0;
  int AlignOffset = 0, AlignOffsetR = 0, AlignOffsetT = 0, AlignOffsetB = 0;
  int TitleIconRight = 0, TitleIconLeft = 0, TitleIconTop = 0, TitleIconSpace = 0;
  int WShadowRadius = 0, WShadowSize = 0, WShadowOffset = 0;
  uint32_t WShadowColorN = 0, WShadowColorA = 0;
  int Shadow1Blur = -1, Shadow1Offset = 0, Shadow1Transparency = 0;
  int BorderMode = 0, ComboMargin = 2, SliderMargin = 1, ScrollsWidth = -1, ThumbWidth = 0, ScrollsArrows = -1;
  bool TabsCovering = false, RibbonTabCovering = false;
  std::array<int, 5> TitleGlowMargins = {};

  // Standard indexes (-1: missing).
  int GlobalInfoIndex = -1;
  std::array<int, StandardSectionCount> StandardSections;
  std::array<int, 13> TitleIcons;
  std::array<int, 2> RadioImages;
  std::array<int, 3> CheckImages;
  std::array<int, 3> SmallCheckImages;
  int ExBorderIndex = -1, GripImage = -1, GripHorz = -1, GripVert = -1;

  int SectionIndex(const String& name) const { return GetSectionIndex(GeneralDataArray, name); }

  // Pictures that items own (files of the skin), keyed by file name; items
  // point into them.
  std::map<String, std::unique_ptr<TBitmap>> ImageCache;
};
