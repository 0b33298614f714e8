#pragma once
// Everything of a loaded skin that depends on the pixel density: the section
// table, the image items, the standard indexes and the per-density values of
// "GLOBALINFO". The manager keeps one per density it needs.
#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"

#include <array>
#include <map>
#include <memory>
#include <vector>

constexpr int StandardSectionCount = 67;
extern const std::array<const wchar_t*, StandardSectionCount> StandardSectionNames;
extern const std::array<const wchar_t*, 13> TitleIconNames;

// A picture made for one density and shared by the items that use it: a
// skin file, a rescaled region of the master bitmap or a computed shadow.
struct TacCachedImage {
  int PPI = 96;
  int SrcPPI = 96;
  int MaskType = 0;
  String Key;       // section "-" key
  String FileName;  // the picture file, "Outer", "Outer" + item index or "OuterCalc"
  std::unique_ptr<TBitmap> Bmp;
  RECT Rect = {};
  RECT MasterRect = {};
  uint8_t Generated = 0;
  // Made from the master bitmap: its colours follow the master's, which is
  // adjusted once per load.
  bool FromMaster = false;
};

// The sections and items one part of a composite control is painted with.
struct TacSectionRecord {
  int SkinIndex = -1, BorderIndex = -1, GlyphIndex = -1, Pattern = -1, HotPattern = -1;
  int Reserved = 0;  // the painters'
  String Name;
};

struct TacTrackBarRecord {
  int SkinIndex = -1, BorderIndex = -1, SliderIndex = -1, Pattern = -1, HotPattern = -1;
  int Reserved = 0;  // the painters'
  int TickIndex = -1, ProgressIndex = -1, ChannelIndex = -1;
};

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
  std::array<std::vector<int>, 5> TitleGlowIndexes;

  // Composite controls; four-side arrays run left, top, right, bottom.
  std::array<TacSectionRecord, 4> ScrollButtons, ScrollBars, UpDownButtons;
  std::array<TacSectionRecord, 2> ScrollSliders;
  TacSectionRecord MenuItem, ComboButton;
  std::array<TacSectionRecord, 16> Tabs;       // in the order of acTabSections
  std::array<TacTrackBarRecord, 2> TrackBars;  // vertical, horizontal

  // Extended borders of forms: pictures of active and inactive forms and the
  // widths they add on each side.
  std::unique_ptr<TBitmap> ActiveBorderBmp, NormalBorderBmp;
  RECT ExtBorderMargins = {};

  // Window shadows of active and inactive forms, made on first use.
  TBitmap* GetActiveShadowBmp();
  TBitmap* GetNormalShadowBmp();

  int SectionIndex(const String& name) const { return GetSectionIndex(GeneralDataArray, name); }

  // Pictures items point into: files of the skin, rescaled master regions and
  // computed shadows.
  std::vector<TacCachedImage> ImageCache;

 private:
  std::unique_ptr<TBitmap> FActiveShadowBmp, FNormalShadowBmp;
};
