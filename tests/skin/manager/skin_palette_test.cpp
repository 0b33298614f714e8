// The palette slots a skin leaves to their defaults are mixed from its main
// and edit colours the way every other colour of the engine is mixed.
#include "framework/Application.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinManager.h"

#include <gtest/gtest.h>

namespace {

// Channels picked so that dividing by 255 and shifting by 8 part ways.
constexpr uint32_t kMain = 0x00C86432, kEditText = 0x0020A0F0, kEditBg = 0x00F0E0D0;
constexpr uint32_t kFlag = 0xFF000000u;

TEST(SkinPalette, MixedDefaultsFollowMixColors) {
  InitApplication();
  TsSkinManager m(nullptr);
  m.OnShowError = [](const String&) { ADD_FAILURE() << "error shown"; };
  m.ApplyReceivedSkin({L"Mixed", L"", L"c:\\nowhere",
                       "[GLOBALINFO]\r\nCOLOR=$00C86432\r\n"
                       "[EDIT]\r\nCOLOR=$00F0E0D0\r\nFONTCOLOR=$0020A0F0\r\n"});
  ASSERT_TRUE(m.IsSkinLoaded());
  const auto& p = m.Globals().Palette;
  ASSERT_EQ(p[pcMainColor], kMain);
  ASSERT_EQ(p[pcEditText], kEditText);
  ASSERT_EQ(p[pcEditBG], kEditBg);
  struct Case {
    int slot;
    uint32_t expected;
  } cases[] = {
      {13, MixColors(kEditText, kEditBg, 13)}, {27, MixColors(kMain, 0xFFFFFF, 177) | kFlag},
      {32, MixColors(kMain, 0, 244) | kFlag},  {35, MixColors(kMain, 0, 233) | kFlag},
      {36, MixColors(kMain, 0, 233) | kFlag},  {pcGrid, MixColors(kEditText, kEditBg, 30)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    EXPECT_EQ(p[c.slot], c.expected);
  }
}

}  // namespace
