// Colour constants through the skin's palette: system colours and the
// engine's named colours take the loaded skin's values; without a skin the
// engine's colours give the RGB they carry and system colours the system's.
#include "skin/forms/SkinColors.h"

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinGlobals.h"
#include "tests/skin/manager/support/night_manager.h"

namespace {

constexpr TColor System(int index) { return static_cast<TColor>(0xFF000000u | unsigned(index)); }

TEST(SkinColorsWithoutSkin, EngineColoursCarryTheirRgb) {
  ASSERT_EQ(TsSkinManager::DefaultManager(), nullptr);
  struct Case {
    uint32_t color;
    COLORREF expected;
  } cases[] = {
      {0xFF00006C, 0x6C},      // EDITTEXT_ALERT: 108 is above 100
      {0xFF000065, 0x65},      // 101
      {0xFF0098C6, 0x0098C6},  // a colour tone
      {uint32_t(System(COLOR_WINDOW)), GetSysColor(COLOR_WINDOW)},
      {uint32_t(System(COLOR_BTNFACE)), GetSysColor(COLOR_BTNFACE)},
      {0x00123456, 0x123456},
      {0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinColorToRGB(TColor(c.color), nullptr), c.expected) << std::hex << c.color;
}

class SkinColorsWithSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Manager = LoadedNightManager();
    ASSERT_TRUE(Manager->IsSkinLoaded());
  }
  uint32_t Slot(int i) const { return Manager->Palette()[size_t(i)]; }
  std::unique_ptr<TsSkinManager> Manager;
};

TEST_F(SkinColorsWithSkin, SystemAndNamedColoursTakeThePalette) {
  const uint32_t main = Slot(pcMainColor), text = Slot(pcLabelText);
  const TacSkinData& data = *Manager->SkinData();
  const int title = data.SectionIndex(L"FORMTITLE");
  ASSERT_GE(title, 0) << "the internal skin has a title section";
  const TsGeneralData& titleSection = data.GeneralDataArray[size_t(title)];
  struct Case {
    uint32_t color;
    uint32_t expected;
  } cases[] = {
      {uint32_t(clBtnFace), main},
      {uint32_t(clSkinMain), main},
      {uint32_t(System(COLOR_MENUBAR)), main},
      {uint32_t(System(COLOR_BTNTEXT)), text},
      {uint32_t(System(COLOR_WINDOW)), Slot(pcEditBG)},
      {uint32_t(System(COLOR_WINDOWTEXT)), Slot(pcEditText)},
      {uint32_t(System(COLOR_ACTIVEBORDER)), Slot(pcBorder)},
      {uint32_t(System(COLOR_HIGHLIGHT)), Slot(pcSelectionBG_Focused)},
      {uint32_t(System(COLOR_HIGHLIGHTTEXT)), Slot(pcSelectionText_Focused)},
      {uint32_t(System(COLOR_ACTIVECAPTION)), titleSection.Props[1].Color},
      {uint32_t(System(COLOR_INACTIVECAPTION)), titleSection.Props[0].Color},
      {uint32_t(System(COLOR_CAPTIONTEXT)), titleSection.Props[1].FontColor},
      {uint32_t(System(COLOR_BTNSHADOW)), MixColors(main, 0, 230)},
      {uint32_t(System(COLOR_GRAYTEXT)), MixColors(main, text, 127)},
      {uint32_t(System(COLOR_3DLIGHT)), MixColors(main, 0xFFFFFF, 180)},
      {uint32_t(System(COLOR_HOTLIGHT)), Slot(3)},
      {0xFF00006C, Slot(16)},                   // EDITTEXT_ALERT
      {0xFFC9FFD2, Slot(19)},                   // EDITBG_OK
      {0xFF7E7EFF, Slot(40)},                   // COLORTONEREDACTIVE
      {0xFF0098C6, Slot(54)},                   // COLORTONEYELLOWTEXTActive
      {uint32_t(System(25)), GetSysColor(25)},  // not covered by the skin
      {0x00123456, 0x123456},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinColorToRGB(TColor(c.color), nullptr), c.expected) << std::hex << c.color;
  // The manager given wins over the default one, which here is the same.
  EXPECT_EQ(SkinColorToRGB(clBtnFace, Manager.get()), main);
}

}  // namespace
