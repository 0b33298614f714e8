#pragma once
// Fills a TacSkinData from the option text: image items, sections with their
// inheritance, the standard indexes and the per-density global values.
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinOptions.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TacBuildInput {
  const TacSkinOptions* Options = nullptr;
  // The bytes of a picture file of the skin by its name as the option text
  // gives it (upper-cased); nothing when it does not exist.
  std::function<std::optional<std::string>(const String& fileName)> ReadFile;
  TBitmap* MasterBitmap = nullptr;
  TsSkinManager* Manager = nullptr;
  uint32_t DefLight = 0xFFFFFFFF;  // "DEFLIGHT" of GLOBALINFO
  uint32_t GlobalColor = 0;        // "COLOR" of GLOBALINFO
  uint32_t GlobalFontColor = 0;    // "FONTCOLOR" of GLOBALINFO
  // The manager's CommonSections text, read beside the skin's own; null or
  // empty: none.
  const TacSkinOptions* Common = nullptr;
  int Brightness = 0;          // the manager's: PNG textures are premultiplied unless it brightens
  bool ShadowBorders = false;  // ExtBordersMode is ebmShadow
  int CustomPPI = 0;           // the manager's PixelsPerInch under smCustomPPI, else 0
};

void BuildSkinData(TacSkinData& data, const TacBuildInput& input);

// The steps, in the order BuildSkinData runs them.
void ReadImageItems(TacSkinData& data, const TacBuildInput& input);
void ReadSections(TacSkinData& data, const TacBuildInput& input);
// Appends the image item a value describes, with its picture attached
// (rescaled to this density when it was drawn for another); its index, -1
// when the picture cannot be had.
int AddImageItem(TacSkinData& data, const TacBuildInput& input, const String& section, int sectionIndex,
                 const String& key, const String& value, int srcPPI);

// Colour-only preview tile: Color1 the left triangle, Color3 the right one,
// Color4 the upper half and Color2 the lower half; all of it Color1 when
// Color4 is the key colour.
void DrawSplitColorTile(TBitmap& bmp, const RECT& rect, uint32_t color1, uint32_t color2, uint32_t color3,
                        uint32_t color4);

// The index each section of the common text gets in the section table, -1
// for one the skin (or an earlier common section) already has.
std::vector<int> CommonSectionIndexes(const TacSkinOptions& file, const TacSkinOptions& common);
void ReadGlobalValues(TacSkinData& data, const TacBuildInput& input);
void ResolveStandardIndexes(TacSkinData& data, const TacBuildInput& input);
void FixUpImageIndexes(TacSkinData& data, const TacBuildInput& input);
void ReadFormMetrics(TacSkinData& data, const TacBuildInput& input);
// After the palette: the pictures and margins of extended borders, which
// only an active manager with ExtendedBorders on has.
void MakeExtendedBorders(TacSkinData& data, TBitmap* master, bool active, bool extendedBorders, bool shadowMode);

// An integer of GLOBALINFO for this density. For a value of an image item
// (itemIndex >= 0, scale) the variant of the item's own density is read and
// scaled from there; otherwise "NAME*150" as stored when present, else "NAME"
// scaled from 96 when scale is set. A custom density below 96 (customPPI)
// shrinks the stored variants too.
int ReadGlobalMetric(const TacSkinData& data, const TacSkinOptions& options, const String& name, int defaultValue,
                     int itemIndex, bool scale, int customPPI = 0);

// The computed outer shadow of a section with OuterMode 3 or 4 and no
// "OUTERMASK": appended to the items and cached; its index.
int AddSectionShadow(TacSkinData& data, int sectionIndex);

// The picture of a skin-wide outer effect (record 0 light, 1 shadow) by its
// Source: none, the skin's picture under key, or a computed shadow item.
void ReadOuterEffectPicture(TacSkinData& data, const TacBuildInput& input, TacOutEffData& effect, const String& key);
