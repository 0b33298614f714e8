#pragma once
// Fills a TacSkinData from the option text: image items, sections with their
// inheritance, the standard indexes and the per-density global values.
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinOptions.h"

#include <functional>
#include <optional>
#include <string>

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
};

void BuildSkinData(TacSkinData& data, const TacBuildInput& input);

// The steps, in the order BuildSkinData runs them.
void ReadImageItems(TacSkinData& data, const TacBuildInput& input);
void ReadSections(TacSkinData& data, const TacBuildInput& input);
void ReadGlobalValues(TacSkinData& data, const TacBuildInput& input);
void ResolveStandardIndexes(TacSkinData& data);
void FixUpImageIndexes(TacSkinData& data, TBitmap* master);

// An integer of GLOBALINFO for this density: "NAME*150" as stored when present,
// else "NAME" scaled from 96.
int ReadGlobalMetric(const TacSkinData& data, const TacSkinOptions& options, const String& name, int defaultValue,
                     bool scale);
