// Building skin data from small option texts: inheritance and defaults,
// fallback sections, density variants and the image fix-up.
#include "skin/graphics/Bitmap32.h"
#include "skin/manager/SkinDataBuilder.h"

#include <gtest/gtest.h>

namespace {

const char* const kInheritance =
    "[GLOBALINFO]\r\nDEFLIGHT=255\r\nCOLOR=$00123456\r\nFONTCOLOR=$00654321\r\n"
    "[BUTTON]\r\nCOLOR=$000000AA\r\nHOTCOLOR=$000000BB\r\nBORDERWIDTH=2\r\n"
    "[BUTTON_HUGE]\r\nPARENTCLASS=BUTTON\r\n"
    "[SELF]\r\nPARENTCLASS=SELF\r\n"
    "[LOOPA]\r\nPARENTCLASS=LOOPB\r\n"
    "[LOOPB]\r\nPARENTCLASS=LOOPA\r\nCOLOR=$00000011\r\n"
    "[ORPHAN]\r\nPARENTCLASS=NOWHERE\r\n"
    "[ONE]\r\nSTATES=1\r\nCOLOR=$00000022\r\nFONTCOLOR=$00000033\r\n"
    "[NOHOT]\r\nSTATES=2\r\nCOLOR=$00000044\r\n"
    "[TWO2]\r\nUSESTATE2=1\r\nCOLOR2=$00000055\r\nGRADIENTDATA2=$00000000;0;0;$00FFFFFF;100;0;B\r\n"
    "[ODD]\r\nGLOW=300\r\nOUTBLUR=50\r\nSTATES=abc\r\nSHIFTCLICK=true\r\nGIVEOWNFONT=TRUE\r\n"
    "BORDERRADIUS=4\r\nBORDERWIDTH=0\r\n";

struct Built {
  TacSkinOptions options;
  TacSkinData data;
  Built(const std::string& text, int ppi, TBitmap* master = nullptr) : options(text), data(ppi) {
    TacBuildInput in;
    in.Options = &options;
    in.MasterBitmap = master;
    in.DefLight = uint32_t(options.ReadInteger(L"GLOBALINFO", L"DEFLIGHT", -1));
    in.GlobalColor = uint32_t(options.ReadInteger(L"GLOBALINFO", L"COLOR", 0));
    in.GlobalFontColor = uint32_t(options.ReadInteger(L"GLOBALINFO", L"FONTCOLOR", 0));
    BuildSkinData(data, in);
  }
  const TsGeneralData& S(const wchar_t* name) const {
    int i = data.SectionIndex(name);
    EXPECT_GE(i, 0) << name;
    return data.GeneralDataArray.at(i < 0 ? 0 : i);
  }
};

TEST(SkinSections, InheritanceAndDefaults) {
  Built b(kInheritance, 96);
  struct Case {
    const wchar_t* section;
    int state;
    uint32_t color;
  };
  const Case cases[] = {
      {L"BUTTON_HUGE", 0, 0xAA}, {L"BUTTON_HUGE", 1, 0xBB},  // from the parent
      {L"SELF", 0, 0xFFFFFF},                                // names itself: own keys only
      {L"LOOPA", 0, 0x11},       {L"LOOPA", 1, 0xFFFFFF},    // a loop ends as missing
      {L"ORPHAN", 0, 0xFFFFFF},                              // parent that does not exist
      {L"ONE", 1, 0x22},         {L"ONE", 2, 0x22},          // one state: copies
      {L"NOHOT", 1, 0xFFFFFF},                               // missing hot colour is white
      {L"TWO2", 2, 0x55},
  };
  for (const auto& c : cases)
    EXPECT_EQ(b.S(c.section).Props[c.state].Color, c.color) << c.section << " state " << c.state;
  EXPECT_EQ(b.S(L"NOHOT").Props[1].FontColor, 0u);
  EXPECT_EQ(b.S(L"ONE").Props[2].FontColor, 0x33u);
  EXPECT_EQ(b.S(L"ONE").Props[0].LightColor, 255u);
  EXPECT_EQ(b.S(L"BUTTON_HUGE").ParentClass, L"BUTTON");
  EXPECT_EQ(b.S(L"BUTTON_HUGE").BorderWidth, 2);
  EXPECT_EQ(b.S(L"TWO2").Props[2].GradientData.size(), 2u);
  EXPECT_TRUE(b.S(L"TWO2").Props[1].GradientData.empty());

  const TsGeneralData& odd = b.S(L"ODD");
  EXPECT_EQ(odd.Glow, 255);
  EXPECT_EQ(odd.OutBlur, 30);
  EXPECT_EQ(odd.States, 3);      // not a number: the default
  EXPECT_FALSE(odd.ShiftClick);  // "true" is not "TRUE" in a skin file
  EXPECT_TRUE(odd.GiveOwnFont);
  EXPECT_EQ(odd.BorderKind, 0);  // a radius and no width
  EXPECT_EQ(b.S(L"BUTTON").BorderKind, -2);
}

TEST(SkinSections, MalformedGradientsAreNoGradient) {
  // Texts the fuzz program once found to stop the whole load.
  const std::string gradients[] = {"$0050$FFFFFFFF4742;0;0;$00403935;100;0;B", "$00433C38;0;0;$0036302C;100+0;B",
                                   "$00433C38;0;0;$00\x13"
                                   "6302C;100;0;B",
                                   std::string("$00433C38;0;0;$0036302C;\x01\0\0\x04"
                                               "0;B",
                                               31),
                                   std::string("$00504742;0;0;$004\x01\0\0\0"
                                               "5;100;0;B",
                                               31)};
  for (const std::string& g : gradients) {
    Built b("[BUTTON]\r\nGRADIENTDATA=" + g + "\r\nHOTGRADIENTDATA=$00000000;0;0;$00FFFFFF;100;0;B\r\n", 96);
    const TsGeneralData& button = b.S(L"BUTTON");
    EXPECT_TRUE(button.Props[0].GradientData.empty()) << g;
    EXPECT_EQ(button.Props[1].GradientData.size(), 2u) << g;
  }
}

TEST(SkinSections, FallbackSectionsAreAdded) {
  Built b(kInheritance, 96);
  const TsGeneralData& transparent = b.S(L"TRANSPARENT");
  EXPECT_EQ(transparent.Props[0].Transparency, 100);
  EXPECT_EQ(transparent.Props[0].FontColor, 0x654321u);
  EXPECT_EQ(b.S(L"MAINCOLOR").Props[0].Color, 0x123456u);
  // Newer standard names borrow their fallbacks; MENULINE has none.
  const int button = b.data.SectionIndex(L"BUTTON");
  EXPECT_EQ(b.data.StandardSections[64], button);  // COLHEADERL, through COLHEADER
  EXPECT_GE(b.data.SectionIndex(L"COLHEADERL"), 0);
  EXPECT_EQ(b.data.StandardSections[57], -1);
  EXPECT_EQ(b.data.StandardSections[9], button);
}

TEST(SkinSections, ScaledValuesFollowTheDensity) {
  const char* text =
      "[GLOBALINFO]\r\nSCROLLSWIDTH=16\r\nBISPACE=2\r\nBISPACE*150=7\r\nWSHRAD=12\r\n"
      "[B]\r\nBORDERRADIUS=4\r\n";
  Built at96(text, 96), at144(text, 144);
  EXPECT_EQ(at96.data.ScrollsWidth, 16);
  EXPECT_EQ(at144.data.ScrollsWidth, 24);
  EXPECT_EQ(at96.data.TitleIconSpace, 2);
  EXPECT_EQ(at144.data.TitleIconSpace, 7);  // its own value at this density
  EXPECT_EQ(at144.data.WShadowRadius, 18);  // the plain value scaled
  EXPECT_EQ(at144.S(L"B").BorderRadius, 6);
  EXPECT_EQ(at144.data.TitleHeight, 45);  // no TITLEHEIGHT: 30 scaled
}

std::unique_ptr<TBitmap> Master() {
  auto bmp = NewBitmap32(200, 200);
  for (int y = 0; y < 200; ++y) {
    auto* row = static_cast<uint32_t*>(bmp->ScanLine(y));
    for (int x = 0; x < 200; ++x) row[x] = 0xFF404040;
  }
  static_cast<uint32_t*>(bmp->ScanLine(100))[100] = 0x00FF00FF;  // a key pixel at a corner
  return bmp;
}

String Desc(int left, int top, int right, int bottom, int count = 1, int mask = 0) {
  wchar_t text[64];
  swprintf(text, 64, L"&%04d%04d%04d%04d0000000000000000%d%d000000000", left, top, right, bottom, count, mask);
  return text;
}

std::string Narrow(const String& s) { return std::string(s.begin(), s.end()); }

TEST(SkinImages, DensityVariantSearch) {
  auto master = Master();
  struct Case {
    int ppi;
    std::vector<int> variants;  // 96 always first: the plain key
    int expectedPPI;
  };
  const Case cases[] = {
      {144, {96}, 96},     {144, {96, 192}, 192},      {144, {96, 120}, 120}, {120, {96, 144}, 144},
      {96, {96, 192}, 96}, {192, {96, 120, 144}, 144}, {150, {96, 192}, 192},
  };
  const std::map<int, const char*> suffix = {{96, ""}, {120, "*125"}, {144, "*150"}, {192, "*200"}};
  for (const auto& c : cases) {
    std::string text = "[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n";
    for (int v : c.variants) text += std::string("IMG") + suffix.at(v) + "=" + Narrow(Desc(0, 0, v / 8, 10)) + "\r\n";
    Built b(text, c.ppi, master.get());
    ASSERT_EQ(b.data.MaskArray.size(), 1u) << c.ppi;
    const TsMaskData& m = b.data.MaskArray[0];
    EXPECT_EQ(m.SrcPPI, c.expectedPPI) << c.ppi;
    // A picture of another density is rescaled to the table's.
    EXPECT_EQ(m.SrcRect.right, c.ppi * (c.expectedPPI / 8) / c.expectedPPI) << c.ppi;
    EXPECT_EQ(m.PPI, c.ppi);
  }
  // A variant without its plain key is no item.
  Built orphan("[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nIMG*150=" + Narrow(Desc(0, 0, 10, 10)) + "\r\n", 144,
               master.get());
  EXPECT_TRUE(orphan.data.MaskArray.empty());
}

TEST(SkinImages, FixUpKeepsEveryItemUsable) {
  auto master = Master();
  std::string text = "[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n";
  text += "ZERO=" + Narrow(Desc(0, 0, 30, 20, 0, 0)) + "\r\n";     // frame count 0
  text += "OUTSIDE=" + Narrow(Desc(190, 190, 260, 220)) + "\r\n";  // past the bitmap
  text += "CORNER=" + Narrow(Desc(100, 100, 110, 110)) + "\r\n";   // key pixel in its corner
  text += "MISSINGFILE=&0000000000000000000000000000000010100000000NOPE.BMP\r\n";
  text += "TEXT=just words\r\n";
  text += "[EDIT]\r\nPARENTCLASS=GLOBALINFO\r\n";
  Built b(text, 96, master.get());
  ASSERT_EQ(b.data.MaskArray.size(), 2u);
  const TsMaskData& zero = b.data.MaskArray[0];
  EXPECT_EQ(zero.ImageCount, 1);
  EXPECT_EQ(zero.FrameWidth, 30);
  EXPECT_EQ(zero.FrameHeight, 20);
  EXPECT_EQ(b.data.MaskArray[1].PropertyName, L"CORNER");
  EXPECT_EQ(b.data.MaskArray[1].CornerMode & 1, 1);
  EXPECT_EQ(zero.CornerMode & 1, 0);
  // Items are found through the parent chain.
  EXPECT_EQ(GetSectionMaskIndex(b.data.GeneralDataArray, b.data.MaskArray, b.data.SectionIndex(L"EDIT"), L"CORNER"), 1);
}

}  // namespace
