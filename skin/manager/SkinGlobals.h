#pragma once
// Skin-wide values of a loaded skin, read once per load: GLOBALINFO, the
// master bitmap, the embedded fonts, and the 59-slot palette with its brushes.
#include "framework/Bitmap.h"
#include "framework/GdiHandles.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinOptions.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TacSkinConvertor;

// A font added to this process from the skin's bytes, removed with it.
class TacSkinFont {
 public:
  TacSkinFont(std::string bytes, String fileName, String fontName);
  ~TacSkinFont();
  TacSkinFont(const TacSkinFont&) = delete;
  TacSkinFont& operator=(const TacSkinFont&) = delete;
  const String& FileName() const { return FFileName; }
  const String& FontName() const { return FFontName; }
  bool Active() const { return FHandle != nullptr; }

 private:
  std::string FBytes;
  String FFileName, FFontName;
  HANDLE FHandle = nullptr;
};

// Solid brushes of palette slots 0 to 5, kept for the manager's whole life.
// Skinned controls give them to their window classes as the background
// brush, and the classes keep them: a slot gets a new brush only when its
// colour changes, never because the same palette is built again for another
// density or a refresh. The brush it replaces lives on with the manager, for
// a class that has not heard of the change yet still paints with it.
class TacPaletteBrushes {
 public:
  void Make(const std::array<uint32_t, 59>& palette);
  HBRUSH operator[](int i) const { return FBrushes[i].get(); }

 private:
  std::array<TOwnedBrush, 6> FBrushes;
  std::array<uint32_t, 6> FColors = {};
  std::vector<TOwnedBrush> FReplaced;
};

enum TacPaletteSlot {
  pcMainColor = 0,
  pcLabelText = 1,
  pcEditText = 4,
  pcEditBG = 5,
  pcSelectionBG = 6,
  pcSelectionText = 7,
  pcSelectionBG_Focused = 8,
  pcSelectionText_Focused = 9,
  pcBorder = 55,
  pcGrid = 56,
  pcHintBG = 57,
  pcHintText = 58
};

struct TacSkinGlobals {
  String MasterBitmapName, Author, Description, MainFont;
  int AeroBlur = 0, BrightMin = -50, BrightMax = 50, BIVAlign = 0, BIKeepHue = 0, ArrowStyle = 0;
  uint32_t Shadow1Color = 0;
  uint32_t DefLight = 0xFFFFFFFF;
  double Version = 0;
  std::unique_ptr<TBitmap> MasterBitmap;
  std::vector<std::unique_ptr<TacSkinFont>> Fonts;
  std::array<uint32_t, 59> Palette = {};
  TacPaletteBrushes Brushes;  // outlives Clear: window classes hold them

  void Clear();
};

// GLOBALINFO values, the master bitmap (from the package's files when there
// is a reader, else from the skin folder) and the embedded fonts.
void ReadGlobalInfo(TacSkinGlobals& globals, const TacSkinOptions& options, const TacSkinConvertor* reader,
                    const String& skinFolder);
// The palette from GLOBALINFO and the sections of data. The brushes are made
// by the caller once the palette is final (after the colour adjustments).
void LoadSkinPalette(TacSkinGlobals& globals, const TacSkinOptions& options, const TacSkinData& data);
