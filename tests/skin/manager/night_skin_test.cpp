// The internal skin as the build made it: the package in the program's
// resources, and everything the painters will look up, at every density.
#include "framework/Application.h"
#include "framework/UnitTable.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/night_manager.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

class NightSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  static std::unique_ptr<TsSkinManager> Manager() { return NightManager(); }
};

TEST_F(NightSkin, PackageInTheProgramHoldsOptionsAndAtlas) {
  const std::string bytes = ResourceBytes(L"NIGHT_SKIN");
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(0, 4), "SKzf");
  TacSkinConvertor reader;
  ASSERT_EQ(ReadPackedSkin(bytes.data(), bytes.size(), reader), TacPackedError::None);
  ASSERT_TRUE(reader.Options);
  EXPECT_EQ(*reader.Options, ScratchFolder::ReadBytes(String(L"" KELVRA_NIGHT_DIR) + L"/night/Options.dat"));
  ASSERT_EQ(reader.Files.size(), 1u);
  EXPECT_EQ(reader.Files[0].Name, L"NIGHT.PNG");
  EXPECT_EQ(reader.Files[0].Kind, 2);
  EXPECT_EQ(reader.Files[0].Data, ScratchFolder::ReadBytes(String(L"" KELVRA_NIGHT_DIR) + L"/night/NIGHT.PNG"));
  std::string preview;
  ASSERT_TRUE(ExtractPreviewImage(bytes.data(), bytes.size(), preview));
  EXPECT_EQ(preview.substr(1, 3), "PNG");
}

TEST_F(NightSkin, LoadsWhole) {
  auto m = Manager();
  m->SetSkinName(L"Night (internal)");
  ASSERT_TRUE(m->IsSkinLoaded());
  EXPECT_EQ(m->SkinName(), L"Night (internal)");
  EXPECT_EQ(m->SkinOrigin(), TacSkinOrigin::Internal);
  EXPECT_EQ(m->SkinInfo(), L"16.00");
  ASSERT_TRUE(m->Globals().MasterBitmap);
  EXPECT_EQ(m->Globals().MasterBitmap->PixelFormat(), pf32bit);
  EXPECT_EQ(m->Globals().MasterBitmapName, L"NIGHT.PNG");
  const auto& p = m->Palette();
  EXPECT_EQ(p[pcMainColor], 0x00272320u);
  EXPECT_EQ(p[pcLabelText], 0x00E2DCD8u);
  EXPECT_EQ(p[pcEditBG], 0x00181513u);
  EXPECT_EQ(p[pcSelectionBG_Focused], 0x00B06F2Fu);
  EXPECT_EQ(p[pcBorder], 0x00473F3Au);
  EXPECT_EQ(p[pcHintBG], 0x00352F2Bu);
  EXPECT_EQ(p[31], 4406328u);  // BTNCOLOR1NORMAL, written in decimal
}

TEST_F(NightSkin, NothingFallsBackAtAnyDensity) {
  auto m = Manager();
  m->SetSkinName(L"Night (internal)");
  const wchar_t* required[] = {L"MENUITEM",       L"CHECKBOX",
                               L"SPEEDBUTTON",    L"SPEEDBUTTON_SMALL",
                               L"TOOLBUTTON",     L"TRANSPARENT",
                               L"GROUPBOX",       L"DIVIDER",
                               L"BUTTON",         L"EDIT",
                               L"SELECTION",      L"PANEL",
                               L"PANEL_LOW",      L"COMBOBOX",
                               L"CAPTION",        L"MAINMENU",
                               L"COMBOBTN",       L"FORMTITLE",
                               L"HINT",           L"PAGECONTROL",
                               L"DIALOG",         L"FORM",
                               L"SCROLLBTNLEFT",  L"SCROLLBTNTOP",
                               L"SCROLLBTNRIGHT", L"SCROLLBTNBOTTOM",
                               L"SCROLLBAR1H",    L"SCROLLBAR1V",
                               L"SCROLLBAR2H",    L"SCROLLBAR2V",
                               L"SCROLLSLIDERH",  L"SCROLLSLIDERV",
                               L"DIALOGTITLE",    L"MENULINE",
                               L"COLHEADER",      L"UPDOWNBTN",
                               L"GLOBALINFO",     L"BAR"};
  struct Item {
    const wchar_t* name;
    int frames, width, height;
  };
  const Item items[] = {{L"BOXUNCHECKED", 3, 16, 16},   {L"BOXCHECKED", 3, 16, 16},   {L"BOXGRAYED", 3, 16, 16},
                        {L"RADIOUNCHECKED", 3, 16, 16}, {L"RADIOCHECKED", 3, 16, 16}, {L"BICONCLOSE", 3, 26, 18},
                        {L"BICONMIN", 3, 26, 18},       {L"BICONMAX", 3, 26, 18},     {L"BICONNORM", 3, 26, 18},
                        {L"BICONHELP", 3, 26, 18},      {L"TITLEBUTTON", 3, 26, 18},  {L"CHECK", 3, 16, 16},
                        {L"GRIPIMAGE", 1, 12, 12}};
  for (int ppi : {96, 120, 144, 192}) {
    TacSkinData* d = m->GetSkinDataForPPI(ppi);
    ASSERT_NE(d, nullptr) << ppi;
    const int fromFile = static_cast<int>(m->SkinOptions().Sections().size());
    for (const wchar_t* name : required) {
      const int i = d->SectionIndex(name);
      // The skin's own section, not one the loader had to add.
      EXPECT_TRUE(i >= 0 && i < fromFile) << std::wstring(name).c_str() << " at " << ppi;
    }
    for (int i : {0, 1, 5, 9, 13, 15, 18, 26, 28, 30, 31, 38, 39, 40, 44, 48, 55, 57, 62, 66})
      EXPECT_GE(d->StandardSections[i], 0) << i << " at " << ppi;
    for (const Item& item : items) {
      const int i = GetMaskIndex(d->MaskArray, L"GLOBALINFO", item.name);
      ASSERT_GE(i, 0) << std::wstring(item.name).c_str() << " at " << ppi;
      const TsMaskData& mask = d->MaskArray[i];
      EXPECT_EQ(mask.SrcPPI, ppi);
      EXPECT_EQ(mask.ImageCount, item.frames);
      EXPECT_EQ(mask.MaskType, 1);
      EXPECT_EQ(mask.FrameWidth, MulDiv(item.width, ppi, 96)) << std::wstring(item.name).c_str() << ppi;
      EXPECT_EQ(mask.FrameHeight, MulDiv(item.height, ppi, 96)) << std::wstring(item.name).c_str() << ppi;
    }
    for (int i : d->CheckImages) EXPECT_GE(i, 0);
    for (int i : d->RadioImages) EXPECT_GE(i, 0);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 11}) EXPECT_GE(d->TitleIcons[i], 0) << i;
    EXPECT_GE(d->GripImage, 0);
    EXPECT_EQ(d->ScrollsWidth, 16 * ppi / 96);
    // Every section with a hot state has its own hot colours.
    for (const TsGeneralData& g : d->GeneralDataArray)
      if (g.ClassName != L"GLOBALINFO" && g.States >= 2 && g.Props[1].Transparency < 100 &&
          g.Props[1].GradientPercent == 0)
        EXPECT_NE(g.Props[1].Color, 0xFFFFFFu) << std::wstring(g.ClassName).c_str();
  }
}

}  // namespace
