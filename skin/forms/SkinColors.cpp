#include "skin/forms/SkinColors.h"

#include <optional>

#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinManager.h"

namespace {

constexpr uint32_t kSystem = 0xFF000000u;

// The engine's named colours: their default RGB after the system flag, and
// the palette slot of the loaded skin's value.
struct TNamedColor {
  uint32_t Color;
  int Slot;
};
constexpr TNamedColor kNamedColors[] = {
    {0xFF00006C, 16}, {0xFF003E0A, 14}, {0xFF004C4C, 15}, {0xFFC9FFD2, 19}, {0xFFBAFFFF, 20}, {0xFFDBDBFF, 21},
    {0xFF9E9EFF, 39}, {0xFF7E7EFF, 40}, {0xFF0000B4, 47}, {0xFF0000A2, 48}, {0xFF7BD098, 41}, {0xFF3EE275, 42},
    {0xFF28851A, 49}, {0xFF008E00, 50}, {0xFFFFEDC9, 43}, {0xFFFFE9BE, 44}, {0xFFAE7400, 51}, {0xFF916000, 52},
    {0xFFCAF3FF, 45}, {0xFFBAEFFF, 46}, {0xFF0079B5, 53}, {0xFF0098C6, 54},
};

class TSkinPalette {
 public:
  explicit TSkinPalette(const TsSkinManager& Manager) : FManager(Manager), FPalette(Manager.Palette()) {}

  std::optional<uint32_t> Lookup(uint32_t Color) const {
    const uint32_t main = FPalette[pcMainColor], text = FPalette[pcLabelText];
    if (Color == uint32_t(clSkinMain)) return main;
    for (const TNamedColor& named : kNamedColors)
      if (named.Color == Color) return FPalette[named.Slot];
    if ((Color & 0xFFFFFF00u) != kSystem) return std::nullopt;
    switch (Color & 0xFF) {
      case COLOR_SCROLLBAR:
      case COLOR_BACKGROUND:
      case COLOR_MENU:
      case COLOR_APPWORKSPACE:
      case COLOR_BTNFACE:
      case COLOR_MENUBAR:
        return main;
      case COLOR_ACTIVECAPTION:
      case COLOR_GRADIENTACTIVECAPTION:
        return SectionColor(L"FORMTITLE", 1, false).value_or(main);
      case COLOR_INACTIVECAPTION:
      case COLOR_GRADIENTINACTIVECAPTION:
        return SectionColor(L"FORMTITLE", 0, false).value_or(main);
      case COLOR_CAPTIONTEXT:
        return SectionColor(L"FORMTITLE", 1, true).value_or(text);
      case COLOR_INACTIVECAPTIONTEXT:
        return SectionColor(L"FORMTITLE", 0, true).value_or(text);
      case COLOR_MENUTEXT:
      case COLOR_BTNTEXT:
        return text;
      case COLOR_WINDOWFRAME:
      case COLOR_ACTIVEBORDER:
      case COLOR_INACTIVEBORDER:
        return FPalette[pcBorder];
      case COLOR_WINDOW:
        return FPalette[pcEditBG];
      case COLOR_WINDOWTEXT:
        return FPalette[pcEditText];
      case COLOR_HIGHLIGHT:
      case COLOR_MENUHILIGHT:
        return FPalette[pcSelectionBG_Focused];
      case COLOR_HIGHLIGHTTEXT:
        return FPalette[pcSelectionText_Focused];
      case COLOR_BTNSHADOW:
        return MixColors(main, 0, 230);
      case COLOR_GRAYTEXT:
        return MixColors(main, text, 127);
      case COLOR_BTNHIGHLIGHT:
        return MixColors(main, FPalette[pcSelectionBG_Focused], 127);
      case COLOR_3DDKSHADOW:
        return MixColors(main, 0, 210);
      case COLOR_3DLIGHT:
        return MixColors(main, 0xFFFFFF, 180);
      case COLOR_INFOTEXT:
        return SectionColor(L"HINT", 0, true).value_or(FPalette[pcEditText]);
      case COLOR_INFOBK:
        return SectionColor(L"HINT", 0, false).value_or(FPalette[pcEditBG]);
      case COLOR_HOTLIGHT:
        return FPalette[3];  // GLOBALINFO TCTOP
      default:
        return std::nullopt;
    }
  }

 private:
  // A state's COLOR or FONTCOLOR of a section of the loaded skin; none when
  // the skin lacks the section.
  std::optional<uint32_t> SectionColor(const wchar_t* Name, int State, bool Font) const {
    const TacSkinData* data = FManager.SkinData();
    if (!data) return std::nullopt;
    const int index = data->SectionIndex(Name);
    if (index < 0 || index >= int(data->GeneralDataArray.size())) return std::nullopt;
    const TsGenState& state = data->GeneralDataArray[size_t(index)].Props[size_t(State)];
    return Font ? state.FontColor : state.Color;
  }

  const TsSkinManager& FManager;
  const std::array<uint32_t, 59>& FPalette;
};

}  // namespace

COLORREF SkinColorToRGB(TColor Color, const TsSkinManager* Manager) {
  if (Color >= 0) return ColorToRGB(Color);
  if (!Manager) Manager = TsSkinManager::DefaultManager();
  if (Manager && Manager->IsSkinLoaded()) {
    if (std::optional<uint32_t> value = TSkinPalette(*Manager).Lookup(uint32_t(Color))) return *value;
    return ColorToRGB(Color);
  }
  // The engine's own colour constants carry their default RGB.
  if ((uint32_t(Color) & 0xFFFFFF) > 100) return uint32_t(Color) & 0xFFFFFF;
  return ColorToRGB(Color);
}
