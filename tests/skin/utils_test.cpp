#include <gtest/gtest.h>

#include "skin/core/SkinUtils.h"

namespace {

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b); }

}  // namespace

TEST(SkinUtils, Scaling) {
  EXPECT_EQ(ScaleByPPI(10, 144), 15);
  EXPECT_EQ(ScaleByPPI(7, 120), 8);  // 8.75 truncated
  EXPECT_EQ(ScaleByIndex(7, 1), 8);
  EXPECT_EQ(ScaleByIndex(7, 2), 10);
  EXPECT_EQ(ScaleByIndex(7, 3), 14);
  EXPECT_EQ(ScaleByIndex(7, 9), 7);
  struct {
    int PPI, Index;
  } Cases[] = {{96, 0}, {110, 0}, {111, 1}, {134, 1}, {135, 2}, {170, 2}, {171, 3}, {288, 3}};
  for (auto& c : Cases) EXPECT_EQ(PPIToScaleIndex(c.PPI), c.Index) << c.PPI;
  EXPECT_TRUE(Same(PaddingRect(TacPadding{2, 4, 6, 8}, 144), RECT{3, 6, 9, 12}));
}

TEST(SkinUtils, OptionTextIndex) {
  std::vector<String> Lines = {L"dropped before any section",
                               L"[GLOBALINFO]",
                               L"; comment",
                               L"",
                               L"VERSION=16.00",
                               L"COLOR=0x1F",
                               L"BAD=0x",
                               L"SPACED =1",
                               L"[button]",
                               L"STATES=2",
                               L"HOTCOLOR=$FF"};
  TacIniSections Sections;
  ParseIniSections(Lines, Sections);
  ASSERT_EQ(Sections.size(), 2u);
  EXPECT_EQ(Sections[0].Lines.size(), 4u);
  EXPECT_EQ(IniSectionString(Sections, L"GLOBALINFO", L"version", L"-"), L"16.00");
  EXPECT_EQ(IniSectionString(Sections, L"BUTTON", L"STATES", L"-"), L"2");
  EXPECT_EQ(IniSectionString(Sections, L"NOWHERE", L"STATES", L"-"), L"-");
  EXPECT_EQ(IniSectionInteger(Sections, L"GLOBALINFO", L"COLOR", -1), 31);
  EXPECT_EQ(IniSectionInteger(Sections, L"GLOBALINFO", L"BAD", -1), -1);
  EXPECT_EQ(IniSectionInteger(Sections, L"GLOBALINFO", L"SPACED", -1), -1);  // a blank before "=" hides the key
  EXPECT_EQ(IniSectionInteger(Sections, L"BUTTON", L"HOTCOLOR", -1), 255);
  EXPECT_EQ(IniSectionInteger(Sections, L"BUTTON", L"MISSING", 5), 5);
}

TEST(SkinUtils, IntegersAndRectangles) {
  EXPECT_EQ(ClampInt(5, 10, 0), 10);  // the minimum is tested first
  EXPECT_TRUE(IsBetween(5, 9, 1, true));
  EXPECT_FALSE(IsBetween(5, 9, 1, false));
  EXPECT_TRUE(IsValidIndex(0, 1));
  EXPECT_FALSE(IsValidIndex(1, 1));
  EXPECT_TRUE(Same(MakeRect(10, 20, 0, 0), RECT{0, 0, 10, 20}));
  RECT Inverted{10, 10, 5, 4};
  EXPECT_EQ(RectWidth(Inverted), -5);
  EXPECT_EQ(RectWidth(Inverted, true), 0);
  EXPECT_EQ(RectHeight(Inverted, true), 0);
  EXPECT_TRUE(Same(CommonRect(RECT{0, 0, 5, 5}, RECT{10, 10, 20, 20}), RECT{10, 10, 5, 5}));
  EXPECT_FALSE(RectsIntersect(RECT{0, 0, 10, 10}, RECT{10, 0, 20, 10}));  // touching edges
  EXPECT_TRUE(RectsIntersect(RECT{0, 0, 10, 10}, RECT{9, 0, 20, 10}));
  EXPECT_TRUE(RectWithin(RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10}, true));
  EXPECT_FALSE(RectWithin(RECT{0, 0, 10, 10}, RECT{0, 0, 12, 10}, true));
  EXPECT_TRUE(RectWithin(RECT{0, 0, 10, 10}, RECT{10, 10, 20, 20}, false));
  EXPECT_TRUE(Same(MirrorRect(RECT{1, 2, 3, 4}, 10, 20, true), RECT{7, 2, 9, 4}));
  EXPECT_TRUE(Same(MirrorRect(RECT{1, 2, 3, 4}, 10, 20, false), RECT{1, 16, 3, 18}));
  EXPECT_TRUE(Same(MirrorRectIn(RECT{12, 0, 14, 1}, RECT{10, 0, 20, 5}, true), RECT{16, 0, 18, 1}));
  EXPECT_TRUE(Same(ShrinkRect(RECT{0, 0, 10, 10}, RECT{1, 2, 3, 4}), RECT{1, 2, 7, 6}));
}

TEST(SkinUtils, TextsAndTokens) {
  struct {
    const wchar_t* Text;
    int64_t Want;
  } Hex[] = {{L"ffh", 255}, {L"1G", 0}, {L"", 0}, {L"7FFFFFFFFF", 0x7FFFFFFFFF}, {L"h", 0}};
  for (auto& h : Hex) EXPECT_EQ(HexToInt64(h.Text), h.Want) << h.Text;
  EXPECT_EQ(CountWords(L",,a,,b,", L","), 2);
  EXPECT_EQ(GetWord(2, L",,a,,b,", L","), L"b");
  EXPECT_EQ(WordStart(2, L",,a,,b,", L","), 6);
  EXPECT_EQ(WordStart(3, L",,a,,b,", L","), 0);
  EXPECT_EQ(WordStart(1, L"a,,b", L",", false), 1);
  EXPECT_EQ(WordStart(3, L"a,,b", L",", false), 4);  // empty fields count
  EXPECT_EQ(GetWord(2, L"a,,b", L",", false), L"");
  EXPECT_EQ(WordStart(0, L"a", L","), 0);
  EXPECT_EQ(RepeatChar(L'x', -1), L"");
  EXPECT_EQ(PadLeft(L'0', L"42", 5), L"00042");
  EXPECT_EQ(PadLeft(L'0', L"123456", 5), L"123456");
  EXPECT_EQ(StripChar(L"a-b-c", L'-'), L"abc");
  EXPECT_EQ(ReplaceAll(L"aaa", L"a", L"aa"), L"aaaaaa");  // inserted text is not searched again
  EXPECT_TRUE(ContainsAnyChar(L"abc", L"xyc"));
}

TEST(SkinUtils, Paths) {
  struct {
    const wchar_t* In;
    const wchar_t* Out;
  } Cases[] = {
      {L"", L""}, {L"C", L"C:\\"}, {L"c:\\skins/", L"c:\\skins\\"}, {L"c:\\skins", L"c:\\skins\\"}, {L"c:\\", L"c:\\"}};
  for (auto& c : Cases) EXPECT_EQ(AddTrailingBackslash(c.In), c.Out) << c.In;
  EXPECT_TRUE(IsValidPathName(L"c:\\Skins\\Night"));
  EXPECT_FALSE(IsValidPathName(L"c:/Skins"));
  EXPECT_FALSE(IsValidPathName(L"what?"));
  EXPECT_FALSE(IsValidPathName(L""));
  EXPECT_TRUE(DirectoryExistsQuiet(L"C:\\windows"));
  EXPECT_FALSE(DirectoryExistsQuiet(L"C:\\no such folder here"));
  String Folder = AppFolder();
  ASSERT_FALSE(Folder.empty());
  EXPECT_EQ(Folder.back(), L'\\');
  EXPECT_EQ(ShellFileIcon(L"C:\\no such file.txt", 0), nullptr);
}

TEST(SkinUtils, SystemFacts) {
  InitSkinUtils();
  EXPECT_GE(WinMajorVersion(), 5);
  EXPECT_TRUE(IsWinXPOrLater());
  EXPECT_FALSE(RunningUnderWow64());  // a 64-bit program
  EXPECT_FALSE(Wow64WithoutComposition());
  EXPECT_FALSE(IsDebuggerAttached());
  EXPECT_LE(CaptionFontHeight(96), -11);
  HFONT Font = CreateCaptionFont(96);
  EXPECT_NE(Font, nullptr);
  DeleteObject(Font);
  DoneSkinUtils();
}

TEST(SkinUtils, SmallHelpers) {
  BLENDFUNCTION Blend;
  InitBlendFunction(Blend, 77);
  EXPECT_EQ(Blend.SourceConstantAlpha, 77);
  EXPECT_EQ(Blend.AlphaFormat, AC_SRC_ALPHA);
  TacBackgroundSource Source = BitmapBackgroundSource(nullptr, 3, 4);
  EXPECT_TRUE(Source.Ready);
  EXPECT_EQ(Source.FillColor, 0xFF00FFu);
  EXPECT_EQ(Source.Y, 4);
  DWORD Start = GetTickCount();
  WaitUntilTick(Start, 30);
  EXPECT_GE(GetTickCount() - Start, 30u);
  WaitUntilTick(0xFFFFFFF0u, 0);  // a start near the wrap-around returns at once
}

TEST(SkinUtils, OptionTextIndexFromAStringList) {
  TStringList Lines;
  Lines.Add(L"[EDIT]");
  Lines.Add(L"COLOR=12");
  TacIniSections Sections;
  ParseIniSections(Lines, Sections);
  EXPECT_EQ(IniSectionInteger(Sections, L"edit", L"COLOR", 0), 12);
}
