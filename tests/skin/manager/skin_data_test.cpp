// What the loader builds beyond sections: pictures at other densities and
// their cache, the common sections, computed shadows, the composite-control
// records, form metrics and borders, and the colour adjustments.
#include "framework/Application.h"
#include "framework/UnitTable.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/ScaleMaskItem.h"
#include "skin/manager/SkinColorAdjust.h"
#include "skin/manager/SkinDataBuilder.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/night_manager.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// 400 x 200 grey, a key-colour pixel at (0, 0) and a grey mask (value 0x80)
// in rows 100 and below.
std::unique_ptr<TBitmap> Master() {
  auto bmp = NewBitmap32(400, 200);
  for (int y = 0; y < 200; ++y) {
    auto* row = static_cast<uint32_t*>(bmp->ScanLine(y));
    for (int x = 0; x < 400; ++x) row[x] = y < 100 ? 0xFF604020 : 0xFF808080;
  }
  static_cast<uint32_t*>(bmp->ScanLine(0))[0] = 0x00FF00FF;
  return bmp;
}

std::string Desc(int left, int top, int right, int bottom, int margin = 3, int count = 1, int mask = 0, int kind = 0,
                 int drawMode = 0, const char* file = "") {
  char text[128];
  std::snprintf(text, sizeof text, "&%04d%04d%04d%04d%04d%04d%04d%04d%d%d%d%02d000000%s", left, top, right, bottom,
                margin, margin, margin, margin, count, mask, kind, drawMode, file);
  return text;
}

struct Built {
  TacSkinOptions options, common;
  TacSkinData data;
  Built(const std::string& text, int ppi, TBitmap* master, const std::string& commonText = std::string(),
        bool shadowBorders = false)
      : options(text), common(commonText), data(ppi) {
    TacBuildInput in;
    in.Options = &options;
    in.Common = &common;
    in.MasterBitmap = master;
    in.ShadowBorders = shadowBorders;
    BuildSkinData(data, in);
  }
  const TsMaskData* Item(const wchar_t* section, const wchar_t* key) const {
    const int i = GetMaskIndex(data.MaskArray, section, key);
    return i < 0 ? nullptr : &data.MaskArray[i];
  }
};

TEST(SkinDataDensity, PicturesAreTakenAndRescaledForTheTable) {
  auto master = Master();
  struct Case {
    const char* name;
    int ppi;
    std::string text;
    int srcPPI;
    bool rescaled;
    int frameWidth;
  };
  const Case cases[] = {
      // No "*150": the "*200" picture (40 wide) comes down to 144.
      {"200 down to 150", 144,
       "[B]\r\nBORDERSMASK=" + Desc(0, 0, 20, 20) + "\r\nBORDERSMASK*200=" + Desc(100, 0, 140, 40, 6) + "\r\n", 192,
       true, 30},
      {"plain up to 125", 120, "[B]\r\nBORDERSMASK=" + Desc(0, 0, 40, 20) + "\r\n", 96, true, 50},
      {"never rescaled", 120, "[B]\r\nBORDERSMASK=" + Desc(0, 0, 40, 20, 3, 1, 0, 0, 8) + "\r\n", 96, false, 40},
      {"own density", 144,
       "[B]\r\nBORDERSMASK=" + Desc(0, 0, 20, 20) + "\r\nBORDERSMASK*150=" + Desc(100, 0, 130, 30) + "\r\n", 144, false,
       30},
      {"borders of one pixel", 120, "[B]\r\nBORDERSMASK=" + Desc(0, 0, 40, 20, 1) + "\r\n", 96, false, 40},
  };
  for (const Case& c : cases) {
    Built b(c.text, c.ppi, master.get());
    const TsMaskData* m = b.Item(L"B", L"BORDERSMASK");
    ASSERT_NE(m, nullptr) << c.name;
    EXPECT_EQ(m->PPI, c.ppi) << c.name;
    EXPECT_EQ(m->SrcPPI, c.srcPPI) << c.name;
    EXPECT_EQ(m->Bmp != nullptr, c.rescaled) << c.name;
    EXPECT_EQ(m->FrameWidth, c.frameWidth) << c.name;
    EXPECT_LT(m->WR, m->FrameWidth - m->WL) << c.name;
    EXPECT_EQ(b.data.SectionIndex(L"B"), m->SectionIndex) << c.name;
  }
}

TEST(SkinDataDensity, ItemsOfOneRegionShareOnePicture) {
  auto master = Master();
  const std::string region = Desc(0, 80, 60, 120, 4, 2, 1);
  Built b("[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n[B]\r\nBORDERSMASK=" + region +
              "\r\n[C]\r\nGLYPHMASK=" + region + "\r\n",
          120, master.get());
  const TsMaskData* first = b.Item(L"B", L"BORDERSMASK");
  const TsMaskData* second = b.Item(L"C", L"GLYPHMASK");
  ASSERT_TRUE(first && second);
  ASSERT_NE(first->Bmp, nullptr);
  EXPECT_EQ(first->Bmp, second->Bmp);
  EXPECT_EQ(b.data.ImageCache.size(), 1u);
  EXPECT_EQ(b.data.ImageCache[0].Key, L"B-BORDERSMASK");
  // Two frames of 30 x 20 with their masks: 37 x 25 each at 120.
  EXPECT_EQ(first->Bmp->Width(), 74);
  EXPECT_EQ(first->Bmp->Height(), 50);
  for (const TsMaskData* m : {first, second}) {
    EXPECT_EQ(m->FrameWidth, 37);
    EXPECT_EQ(m->FrameHeight, 25);
    EXPECT_EQ(m->WL, 5);
    EXPECT_EQ(m->WB, 5);
  }
  // The mask half stays a mask: its grey comes through the resampling.
  EXPECT_NEAR(int(GetPixel32(*first->Bmp, 10, 37) & 0xFF), 0x80, 2);
  EXPECT_NEAR(int(GetPixel32(*first->Bmp, 10, 10) >> 16 & 0xFF), 0x60, 2);
}

TEST(SkinDataDensity, ScaledBordersStayInsideTheFrame) {
  auto master = Master();
  TsMaskData m;
  m.PPI = 192;
  m.SrcPPI = 96;
  m.SrcRect = RECT{0, 0, 10, 10};
  m.ImageCount = 1;
  m.WL = 4;
  m.WR = 5;
  m.WT = 2;
  m.WB = 2;
  std::unique_ptr<TBitmap> result;
  ASSERT_TRUE(ScaleMaskItem(m, master.get(), false, 0, result));
  EXPECT_EQ(m.FrameWidth, 20);
  EXPECT_EQ(m.WL, 8);
  EXPECT_LE(m.WR, m.FrameWidth - m.WL - 1);
  // The key-colour pixel stays see-through after the filter.
  EXPECT_EQ(GetPixel32(*result, 0, 0), 0x00FF00FFu);
  const uint32_t inside = GetPixel32(*result, 10, 10);
  EXPECT_EQ(inside >> 24, 0xFFu);
  EXPECT_NEAR(int(inside >> 16 & 0xFF), 0x60, 2);
}

TEST(SkinDataImages, OnlyPrefixedOrOldNamesAreImages) {
  const std::string text = "[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nNOTE=FRAME.PNG\r\nOLDNAME=PIC.BMP\r\nGLYPH=" +
                           Desc(0, 0, 10, 10) + "\r\n";
  auto master = Master();
  Built b(text, 96, master.get());
  EXPECT_EQ(b.Item(L"GLOBALINFO", L"NOTE"), nullptr);
  EXPECT_NE(b.Item(L"GLOBALINFO", L"GLYPH"), nullptr);
  // A bare ".BMP" name is an image whose file is missing here: dropped.
  EXPECT_EQ(b.Item(L"GLOBALINFO", L"OLDNAME"), nullptr);
  EXPECT_EQ(b.data.MaskArray.size(), 1u);
}

TEST(SkinDataMetrics, FormMetricsAndItemMetrics) {
  auto master = Master();
  struct Case {
    const char* name;
    std::string globals;
    int ppi;
    bool shadow;
    int borderWidth, titleHeight, maxTitleHeight;
  };
  const Case cases[] = {
      {"title 0 is scaled 30", "TITLEHEIGHT=0\r\nBORDERWIDTH=0\r\n", 120, false, 1, 37, 37},
      {"stored per density", "TITLEHEIGHT=20\r\nTITLEHEIGHT*125=33\r\nMAXHEIGHT=40\r\n", 120, false, 5, 33, 50},
      {"shadow borders", "TITLEHEIGHT=20\r\nBORDERWIDTH=9\r\n", 144, true, 6, 45, 45},
      // Values of the extended border follow its picture's density (192).
      {"from the border picture",
       "EXBORDER=" + Desc(0, 0, 40, 40) + "\r\nEXBORDER*200=" + Desc(0, 0, 80, 80) +
           "\r\nBORDERWIDTH=4\r\nBORDERWIDTH*200=16\r\n",
       144, false, 12, 45, 45},
  };
  for (const Case& c : cases) {
    Built b("[GLOBALINFO]\r\n" + c.globals, c.ppi, master.get(), std::string(), c.shadow);
    EXPECT_EQ(b.data.BorderWidth, c.borderWidth) << c.name;
    EXPECT_EQ(b.data.TitleHeight, c.titleHeight) << c.name;
    EXPECT_EQ(b.data.MaxTitleHeight, c.maxTitleHeight) << c.name;
  }
}

TEST(SkinDataMetrics, ACustomDensityBelow96ShrinksStoredVariants) {
  TacSkinOptions options("[GLOBALINFO]\r\nTITLEHEIGHT*125=40\r\nBORDERWIDTH=8\r\n");
  TacSkinData data(120);
  // Stored variants are taken as they are, unless the custom density is
  // below 96; plain values are scaled by the table's density either way.
  EXPECT_EQ(ReadGlobalMetric(data, options, L"TITLEHEIGHT", 30, -1, true), 40);
  EXPECT_EQ(ReadGlobalMetric(data, options, L"TITLEHEIGHT", 30, -1, true, 120), 40);
  EXPECT_EQ(ReadGlobalMetric(data, options, L"TITLEHEIGHT", 30, -1, true, 72), 30);
  EXPECT_EQ(ReadGlobalMetric(data, options, L"BORDERWIDTH", 4, -1, true, 72), 10);

  TacBuildInput in;
  in.Options = &options;
  in.ShadowBorders = true;
  in.CustomPPI = 72;
  TacSkinData shadow(120);
  ReadFormMetrics(shadow, in);
  EXPECT_EQ(shadow.BorderWidth, 3);
  EXPECT_EQ(shadow.TitleHeight, MulDiv(30, 72, 96));
}

TEST(SkinDataCommon, CommonSectionsComeAfterTheSkinsOwn) {
  auto master = Master();
  const std::string skin = "[GLOBALINFO]\r\nX=1\r\n[BUTTON]\r\nCOLOR=$000000AA\r\nUSESTATE2=1\r\n";
  const std::string common = "[BUTTON]\r\nCOLOR=$00000001\r\nGLYPHMASK=" + Desc(0, 0, 10, 10) +
                             "\r\n"
                             "[MYBTN]\r\nPARENTCLASS=button\r\nHOTCOLOR=$00000077\r\nSHIFTCLICK=true\r\nGLYPHMASK=" +
                             Desc(20, 0, 30, 10) +
                             "\r\n"
                             "[FLAT]\r\nBORDERSMASK=-\r\nSTATES=1\r\n";
  Built b(skin, 96, master.get(), common);
  const int own = b.data.SectionIndex(L"BUTTON");
  const int mine = b.data.SectionIndex(L"MYBTN");
  const int flat = b.data.SectionIndex(L"FLAT");
  EXPECT_EQ(own, 1);
  EXPECT_EQ(mine, 2);
  EXPECT_EQ(flat, 3);
  // The skin's section is left as it is, its common twin adds nothing.
  EXPECT_EQ(b.data.GeneralDataArray[own].Props[0].Color, 0xAAu);
  EXPECT_EQ(GetMaskIndex(b.data.MaskArray, L"BUTTON", L"GLYPHMASK"), -1);
  const TsGeneralData& m = b.data.GeneralDataArray[mine];
  EXPECT_EQ(m.ParentClass, L"BUTTON");
  EXPECT_EQ(m.Props[0].Color, 0xAAu);  // from its parent
  EXPECT_EQ(m.Props[1].Color, 0x77u);
  EXPECT_TRUE(m.UseState2);
  EXPECT_TRUE(m.ShiftClick);
  const TsMaskData* glyph = b.Item(L"MYBTN", L"GLYPHMASK");
  ASSERT_NE(glyph, nullptr);
  EXPECT_EQ(glyph->SectionIndex, mine);
  EXPECT_EQ(GetSectionMaskIndex(b.data.GeneralDataArray, b.data.MaskArray, mine, L"GLYPHMASK"),
            GetMaskIndex(b.data.MaskArray, L"MYBTN", L"GLYPHMASK"));
  EXPECT_EQ(b.data.GeneralDataArray[flat].BorderIndex, -2);
  EXPECT_EQ(b.data.GeneralDataArray[flat].States, 1);
}

TEST(SkinDataShadows, SectionsWithComputedShadows) {
  auto master = Master();
  const std::string text =
      "[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n"
      "[CALC]\r\nOUTERMODE=3\r\nOUTRADIUS=5\r\nOUTBLUR=3\r\nOUTCOLL=$00102030\r\nOUTOFFSB=4\r\n"
      "[FOUR]\r\nOUTERMODE=4\r\nOUTRADIUS=5\r\nOUTCOLT=$00FF0000\r\n"
      "[DRAWN]\r\nOUTERMODE=3\r\nOUTERMASK=" +
      Desc(0, 0, 30, 60, 5, 1, 1) +
      "\r\n"
      "[FROMPICTURE]\r\nOUTERMODE=1\r\n"
      "[NONE]\r\nOUTERMODE=0\r\nOUTERMASK=" +
      Desc(0, 0, 30, 60, 5, 1, 1) + "\r\n";
  Built b(text, 96, master.get());
  auto section = [&](const wchar_t* n) { return b.data.GeneralDataArray[b.data.SectionIndex(n)]; };
  const TsGeneralData calc = section(L"CALC");
  ASSERT_GE(calc.OuterMask, 0);
  const TsMaskData& m = b.data.MaskArray[calc.OuterMask];
  EXPECT_EQ(m.SectionIndex, b.data.SectionIndex(L"CALC"));
  EXPECT_EQ(m.MaskType, 1);
  EXPECT_EQ(m.DrawMode, 1);
  ASSERT_NE(m.Bmp, nullptr);
  // 2 x 5 + 1 wide; 4 taller for the bottom offset; the mask below.
  EXPECT_EQ(m.Bmp->Width(), 11);
  EXPECT_EQ(m.Bmp->Height(), 30);
  EXPECT_EQ(m.FrameHeight, 15);
  // Missing offsets read raw as -2: (15 - 2 - 4) div 2 and (15 + 4 + 2) div 2.
  EXPECT_EQ(m.WT, 4);
  EXPECT_EQ(m.WB, 10);
  EXPECT_EQ(GetPixel32(*m.Bmp, 5, 2) & 0xFFFFFF, 0x302010u);  // mode 3: all in OUTCOLL
  EXPECT_EQ(GetPixel32(*m.Bmp, 5, 22) & 0xFFFFFF, 0u);        // the shape's middle: opaque
  bool cached = false;
  for (const TacCachedImage& c : b.data.ImageCache)
    cached = cached || (c.FileName == L"Outer" + std::to_wstring(calc.OuterMask) && c.Bmp.get() == m.Bmp);
  EXPECT_TRUE(cached);
  const TsMaskData& four = b.data.MaskArray[section(L"FOUR").OuterMask];
  EXPECT_EQ(GetPixel32(*four.Bmp, 5, 1) & 0xFFFFFF, 0x0000FFu);  // the top in OUTCOLT
  EXPECT_EQ(section(L"DRAWN").OuterMask, GetMaskIndex(b.data.MaskArray, L"DRAWN", L"OUTERMASK"));
  EXPECT_EQ(section(L"FROMPICTURE").OuterMask, -1);
  EXPECT_EQ(section(L"NONE").OuterMask, -1);
}

TEST(SkinDataShadows, SkinWideOuterEffects) {
  auto master = Master();
  Built b("[GLOBALINFO]\r\nSH_RADIUS_OE=4\r\nSH_BLUR_OE=2\r\nSH_WIDTHT=3\r\nLO_SOURCE=0\r\n", 120, master.get());
  const TacOutEffData& sh = b.data.OuterEffects[1];
  ASSERT_GE(sh.MaskIndex, 0);
  const TsMaskData& m = b.data.MaskArray[sh.MaskIndex];
  EXPECT_EQ(m.ClassName, L"GLOBALINFO");
  EXPECT_EQ(m.PropertyName, L"SH_MASK");
  EXPECT_EQ(sh.WidthT, 3);  // from the file, scaled; 3 + 3 div 4
  EXPECT_EQ(m.WT, sh.WidthT);
  EXPECT_EQ(sh.WidthL, (m.FrameWidth + sh.OffsetL - sh.OffsetR - 1) / 2);
  EXPECT_EQ(b.data.OuterEffects[0].MaskIndex, -1);
}

TEST(SkinDataRecords, CompositeControlsFindTheirSections) {
  auto master = Master();
  const std::string text = "[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nBICONCLOSEGLOW=2\r\nBICONCLOSE=" +
                           Desc(0, 0, 30, 20) + "\r\nBICONCLOSEGLOW0=" + Desc(40, 0, 70, 20) +
                           "\r\nBICONCLOSEGLOW1=" + Desc(80, 0, 110, 20) +
                           "\r\n"
                           "[BUTTON]\r\nBORDERSMASK=" +
                           Desc(0, 0, 30, 30) +
                           "\r\n"
                           "[UPDOWNBTN_TOP]\r\nCOLOR=0\r\n"
                           "[COMBOBOX]\r\nGLYPHMASK=" +
                           Desc(0, 30, 10, 40) +
                           "\r\n"
                           "[COMBOBTN]\r\nPARENTCLASS=BUTTON\r\n"
                           "[TABTOP]\r\nPATTERN=" +
                           Desc(50, 50, 60, 60, 0, 1, 0, 1) +
                           "\r\n"
                           "[TRACKBAR]\r\nSLIDERMASK=" +
                           Desc(0, 50, 10, 60) + "\r\n";
  Built b(text, 96, master.get());
  const auto& d = b.data;
  // No own section: the "UPDOWNBTN" the loader copied from "BUTTON", with
  // the border it inherits.
  EXPECT_EQ(d.UpDownButtons[0].SkinIndex, d.SectionIndex(L"UPDOWNBTN"));
  EXPECT_GE(d.UpDownButtons[0].SkinIndex, 0);
  EXPECT_EQ(d.UpDownButtons[0].Name, L"UPDOWNBTN");
  EXPECT_EQ(d.UpDownButtons[0].BorderIndex, GetMaskIndex(d.MaskArray, L"BUTTON", L"BORDERSMASK"));
  EXPECT_EQ(d.UpDownButtons[1].SkinIndex, d.SectionIndex(L"UPDOWNBTN_TOP"));
  EXPECT_EQ(d.UpDownButtons[1].BorderIndex, -1);
  EXPECT_EQ(d.ComboButton.SkinIndex, d.SectionIndex(L"COMBOBTN"));
  EXPECT_EQ(d.ComboButton.BorderIndex, GetMaskIndex(d.MaskArray, L"BUTTON", L"BORDERSMASK"));
  EXPECT_EQ(d.ComboButton.GlyphIndex, GetMaskIndex(d.MaskArray, L"COMBOBOX", L"GLYPHMASK"));
  EXPECT_EQ(d.Tabs[13].SkinIndex, d.SectionIndex(L"TABTOP"));
  EXPECT_EQ(d.Tabs[13].Pattern, GetMaskIndex(d.MaskArray, L"TABTOP", L"PATTERN"));
  EXPECT_EQ(d.Tabs[0].SkinIndex, -1);
  EXPECT_EQ(d.ScrollBars[0].SkinIndex, -1);
  const int slider = GetMaskIndex(d.MaskArray, L"TRACKBAR", L"SLIDERMASK");
  EXPECT_EQ(d.TrackBars[0].SliderIndex, slider);  // no SLIDERVMASK: the horizontal one
  EXPECT_EQ(d.TrackBars[1].SliderIndex, slider);
  EXPECT_EQ(d.TrackBars[1].TickIndex, -1);
  // BICLOSEALONE falls back to BICONCLOSE with its glows.
  ASSERT_EQ(d.TitleGlowIndexes[1].size(), 2u);
  EXPECT_EQ(d.TitleGlowIndexes[1][1], GetMaskIndex(d.MaskArray, L"GLOBALINFO", L"BICONCLOSEGLOW1"));
  EXPECT_EQ(d.TitleGlowIndexes[0], d.TitleGlowIndexes[1]);
  EXPECT_EQ(d.TitleGlowIndexes[2], std::vector<int>({-1, -1}));
}

TEST(SkinDataBorders, ShadowsAndExtendedBorders) {
  auto master = Master();
  Built b("[GLOBALINFO]\r\nWSHRAD=6\r\nWSHSIZE=4\r\nWSHOFFS=1\r\nWSHCOLA=$66000000\r\n", 96, master.get());
  TBitmap* active = b.data.GetActiveShadowBmp();
  ASSERT_NE(active, nullptr);
  EXPECT_EQ(active->Width(), 2 * 6 + 8 + 1);
  EXPECT_EQ(active->Height(), 2 * 6 + 1 + 8 + 1);
  EXPECT_EQ(active, b.data.GetActiveShadowBmp());  // made once
  EXPECT_EQ(GetPixel32(*active, 10, 10) >> 24, 0x66u * 255 / 256);
  // ExtendedBorders off (as in this program): no widths, no pictures.
  MakeExtendedBorders(b.data, master.get(), true, false, false);
  EXPECT_EQ(b.data.ExtBorderMargins.left + b.data.ExtBorderMargins.bottom, 0);
  EXPECT_FALSE(b.data.ActiveBorderBmp);
  // On, without "EXBORDER": the window shadows.
  MakeExtendedBorders(b.data, master.get(), true, true, false);
  EXPECT_EQ(b.data.ExtBorderMargins.left, 4);
  EXPECT_EQ(b.data.ExtBorderMargins.top, 3);
  EXPECT_EQ(b.data.ExtBorderMargins.bottom, 5);
  ASSERT_TRUE(b.data.ActiveBorderBmp);
  EXPECT_EQ(b.data.ActiveBorderBmp->Width(), active->Width());
}

TEST(SkinDataAdjust, HueAndBrightnessReachColoursAndPictures) {
  auto master = Master();
  const std::string text = "[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nBIKEEPHUE=2\r\nBICONCLOSE=" +
                           Desc(200, 0, 220, 20) + "\r\nMASKED=" + Desc(300, 0, 320, 200, 3, 1, 1) +
                           "\r\n[EDIT]\r\nCOLOR=$00204060\r\nTCLEFT=-1\r\nBORDERCOLOR0=$FF00FF\r\n";
  struct Case {
    const char* name;
    TacColorAdjustment adjust;
  };
  const Case cases[] = {{"hue", {120, 0, 0}}, {"brightness", {0, 0, 40}}, {"saturation", {0, -50, 0}}};
  for (const Case& c : cases) {
    TacSkinGlobals globals;
    globals.MasterBitmap = Master();
    globals.BIKeepHue = 2;
    TacSkinOptions options(text);
    AdjustMasterBitmap(globals, options, c.adjust);
    Built b(text, 96, globals.MasterBitmap.get());
    LoadSkinPalette(globals, options, b.data);
    const uint32_t slot0 = globals.Palette[0];
    AdjustSkinData(b.data, globals, c.adjust);
    auto expect = [&](uint32_t colour) {
      if (c.adjust.Hue) colour = ApplyColorHue(c.adjust.Hue, colour);
      if (c.adjust.Saturation) colour = ApplyColorSaturation(colour, c.adjust.Saturation * 255 / 100);
      return c.adjust.Brightness ? ChangeColorLightness(colour, c.adjust.Brightness) : colour;
    };
    const TsGeneralData& edit = b.data.GeneralDataArray[b.data.SectionIndex(L"EDIT")];
    EXPECT_EQ(edit.Props[0].Color, expect(0x204060)) << c.name;
    EXPECT_NE(edit.Props[0].Color, 0x204060u) << c.name;
    EXPECT_EQ(edit.Props[0].ContourLeft, 0xFFFFFFFFu) << c.name;  // "none" stays none
    EXPECT_EQ(edit.Props[0].BorderColor, 0xFF00FFu) << c.name;
    // A picture pixel (red 0x60 green 0x40 blue 0x20 in the master).
    const uint32_t pixel = GetPixel32(*globals.MasterBitmap, 50, 50);
    EXPECT_EQ(pixel & 0xFFFFFF, ExchangeRedBlue(expect(0x204060)) & 0xFFFFFF) << c.name;
    EXPECT_EQ(GetPixel32(*globals.MasterBitmap, 0, 0), 0x00FF00FFu) << c.name;  // key colour kept
    // Masks under pictures keep their grey; kept title icons their hue.
    if (c.adjust.Brightness) EXPECT_EQ(GetPixel32(*globals.MasterBitmap, 310, 150) & 0xFFFFFF, 0x808080u) << c.name;
    if (c.adjust.Hue) EXPECT_EQ(GetPixel32(*globals.MasterBitmap, 210, 10), 0xFF604020u) << c.name;
    if (!c.adjust.Brightness) EXPECT_EQ(globals.Palette[0], expect(slot0)) << c.name;
    if (c.adjust.Brightness) EXPECT_EQ(globals.Palette[0], slot0) << c.name;  // the palette keeps its light
  }
}

class SkinDataManager : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  static std::unique_ptr<TsSkinManager> Manager() { return NightManager(); }
};

TEST_F(SkinDataManager, CommonSectionsReloadTheSkinWithoutBlanks) {
  auto m = Manager();
  m->SetSkinName(L"Night (internal)");
  ASSERT_TRUE(m->IsSkinLoaded());
  const int fromFile = static_cast<int>(m->SkinOptions().Sections().size());
  m->SetCommonSections({L"[MY PANEL]", L"PARENTCLASS = PANEL", L"COLOR = 255", L"; a note = kept"});
  EXPECT_EQ(m->CommonSections()[1], L"PARENTCLASS=PANEL");
  EXPECT_EQ(m->CommonSections()[3], L"; a note = kept");
  const int i = m->GetSectionIndex(L"MYPANEL");
  EXPECT_EQ(i, fromFile);
  ASSERT_GE(i, 0);
  EXPECT_EQ(m->SkinData()->GeneralDataArray[i].Props[0].Color, 255u);
}

TEST_F(SkinDataManager, ColourChangesReachTheLoadedSkin) {
  auto m = Manager();
  m->SetSkinName(L"Night (internal)");
  const int edit = m->GetSectionIndex(L"EDIT");
  ASSERT_GE(edit, 0);
  const uint32_t before = m->SkinData()->GeneralDataArray[edit].Props[0].Color;
  const uint32_t pixel = GetPixel32(*m->Globals().MasterBitmap, 1, 1);
  m->SetHueOffset(90);
  ASSERT_TRUE(m->IsSkinLoaded());
  EXPECT_EQ(m->SkinData()->GeneralDataArray[edit].Props[0].Color, ApplyColorHue(90, before));
  if ((pixel & 0xFFFFFF) != 0xFF00FF) EXPECT_EQ(GetPixel32(*m->Globals().MasterBitmap, 1, 1), HuePixel(pixel, 90));
  // A second density of the same load is not changed twice.
  TacSkinData* d120 = m->GetSkinDataForPPI(120);
  ASSERT_NE(d120, nullptr);
  EXPECT_EQ(d120->GeneralDataArray[edit].Props[0].Color, ApplyColorHue(90, before));
  EXPECT_EQ(GetPixel32(*m->Globals().MasterBitmap, 1, 1), (pixel & 0xFFFFFF) == 0xFF00FF ? pixel : HuePixel(pixel, 90));
}

}  // namespace
