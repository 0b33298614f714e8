#include <gtest/gtest.h>

#include "skin/core/SkinConstants.h"

TEST(SkinConstants, CaptionsComeFromSystemTablesOrFallBack) {
  EXPECT_TRUE(acCaptions().OK.empty());
  InitSkinConstants();
  InitSkinConstants();
  const TacCaptions& c = acCaptions();
  EXPECT_FALSE(c.OK.empty());
  EXPECT_FALSE(c.Cancel.empty());
  EXPECT_EQ(c.Calculator, L"Calculator");
  EXPECT_EQ(c.Hex, L"Hex - ");
  EXPECT_EQ(c.InvalidDate, L"Invalid date");
  // comdlg32 has its "Red" string here: the system text with ":" appended,
  // where strings it lacks give the fallback.
  EXPECT_NE(c.Red, L"Red :");
  ASSERT_FALSE(c.Red.empty());
  EXPECT_EQ(c.Red.back(), L':');
  EXPECT_EQ(c.FileOpen, L"File open");
  if (!GetModuleHandleW(L"colorui.dll") && !LoadLibraryW(L"colorui.dll")) {
    EXPECT_TRUE(c.AddToCustomColors.empty());  // no library: empty, not the fallback
  }
  DoneSkinConstants();
  EXPECT_FALSE(acCaptions().OK.empty());  // nested: still there
  DoneSkinConstants();
  EXPECT_TRUE(acCaptions().OK.empty());
}

TEST(SkinConstants, SystemCaptionRules) {
  HMODULE Dialogs = LoadLibraryW(L"comdlg32.dll");
  String Caption = L"kept";
  LoadSystemCaption(Caption, nullptr, 1049, L"", L"Red :");
  EXPECT_EQ(Caption, L"kept");
  LoadSystemCaption(Caption, Dialogs, 65000, L":", L"Fallback :");  // no such string
  EXPECT_EQ(Caption, L"Fallback :");
  LoadSystemCaption(Caption, Dialogs, 1049, L" - ", L"Red :");
  ASSERT_GT(Caption.size(), 3u);
  EXPECT_EQ(Caption.substr(Caption.size() - 3), L" - ");
  FreeLibrary(Dialogs);
}

TEST(SkinConstants, TablesAndDefaults) {
  EXPECT_EQ(acScrollArrowWidth(), 16);
  InitScrollArrowWidth();
  EXPECT_EQ(acScrollArrowWidth(), 16);
  EXPECT_EQ(String(acScaleSuffixes[2]), L"*150");
  EXPECT_EQ(acScalePPI[3], 192);
  EXPECT_EQ(String(acTabPositionSuffixes[1]), L"BOTTOM");
  for (size_t i = 0; i < acDefaultClassNames.size(); ++i)
    EXPECT_EQ(String(acDefaultClassNames[i]), i == 1 ? L"TButton" : L" ") << i;
  EXPECT_EQ(String(acTabSections[5]), L"TABTOPLAST");
  EXPECT_EQ(String(acUpDownSections[2]), L"UPDOWNBTNRIGHT");
}

TEST(SkinConstants, DensityAwarenessIsRecorded) {
  InitDensityAwareness();
  EXPECT_TRUE(DPIAwareSet());
}
