// The hot key library's text and path routines.
#include "hotkey/HkIniCtrl.h"
#include "hotkey/HkPaths.h"
#include "hotkey/HkText.h"

#include <gtest/gtest.h>

TEST(Backslash, AddedOnceAndRemovedOnce) {
  struct Case {
    String in, with, without;
  };
  const Case cases[] = {
      {L"C:\\Data", L"C:\\Data\\", L"C:\\Data"},
      {L"C:\\Data\\", L"C:\\Data\\", L"C:\\Data"},
      {L"", L"\\", L""},
      {L"   ", L"   \\", L"   "},
      {L"\\", L"\\", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithBackslash(c.in), c.with) << StringToUtf8(c.in);
    EXPECT_EQ(WithoutBackslash(c.in), c.without) << StringToUtf8(c.in);
  }
  EXPECT_TRUE(IsBlankText(L""));
  EXPECT_TRUE(IsBlankText(L"  "));
  EXPECT_FALSE(IsBlankText(L" x "));
}

TEST(Scramble, UndoneWithTheSameKeyForEveryText) {
  const AnsiString texts[] = {"", "a", "Tarvelin", std::string("\0\xFF\x80 zero", 9), std::string(300, 'x')};
  for (uint16_t key : {uint16_t{0}, uint16_t{1}, uint16_t{58203}, uint16_t{0xFFFF}})
    for (const auto& s : texts) {
      const AnsiString scrambled = ScrambleText(s, key);
      EXPECT_EQ(UnscrambleText(scrambled, key), s) << key;
      if (s.size() > 2) {
        EXPECT_NE(scrambled, s) << key;
      }
    }
  // A different key does not undo it.
  EXPECT_NE(UnscrambleText(ScrambleText("secret", 1), 2), "secret");
}

TEST(Scramble, FirstByteIsXoredWithTheKeysHighByte) {
  EXPECT_EQ(ScrambleText("A", 0x1200), std::string(1, static_cast<char>('A' ^ 0x12)));
}

TEST(Pack3To4, RoundTripsEveryLength) {
  for (size_t n = 0; n <= 10; ++n) {
    AnsiString s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>(i * 37 + 200);
    const AnsiString packed = TextEncode3To4(s);
    EXPECT_EQ(TextDecode4To3(packed), s) << n;
    for (char c : packed.substr(packed.find(':') + 1)) {
      EXPECT_GE(static_cast<uint8_t>(c), 48u);
      EXPECT_LT(static_cast<uint8_t>(c), 48u + 64u);
    }
  }
  const AnsiString four = TextEncode3To4("abcd");
  EXPECT_EQ(four.substr(0, 2), "4:");
  EXPECT_EQ(four.size(), 2u + 8u);
  EXPECT_EQ(TextEncode3To4("abc"), "3:HF9S");  // 24, 22, 9, 35 each + 48
}

TEST(IniCtrl, MaxEntriesFollowsTheAlphabeticCounter) {
  THkIniCtrl ini(nullptr);
  ini.SetMaxEntries(30);
  EXPECT_EQ(ini.MaxEntries(), 30);
  ini.SetAlphaCounter(true);
  EXPECT_EQ(ini.MaxEntries(), 26);
  ini.SetMaxEntries(30);
  EXPECT_EQ(ini.MaxEntries(), 26);
  ini.SetMaxEntries(20);
  EXPECT_EQ(ini.MaxEntries(), 20);
}

TEST(IniCtrl, FileNamesAndPrefixes) {
  THkIniCtrl ini(nullptr);
  ini.SetIniFile(L"settings");
  EXPECT_EQ(ini.IniFile(), L"settings.INI");
  ini.SetIniFile(L"other.cfg");
  EXPECT_EQ(ini.IniFile(), L"other.cfg");
  ini.SetIniPrefix(THkPathPrefix::ppProgram);
  EXPECT_EQ(ini.IniFilePath(), AppFolderPath() + L"other.cfg");
  ini.SetIniPrefix(THkPathPrefix::ppWindows);
  EXPECT_EQ(ini.IniFilePath(), WithBackslash(WindowsFolderPath()) + L"other.cfg");
  ini.SetIniPrefix(THkPathPrefix::ppFixed);
  EXPECT_EQ(ini.IniFilePath(), L"other.cfg");
  EXPECT_EQ(PathPrefixFolder(THkPathPrefix::ppFixed, true), L"\\");
  EXPECT_EQ(PathPrefixFolder(THkPathPrefix::ppSystem, false), SystemFolderPath());
}

TEST(IniCtrl, ValuesRoundTripInEveryCryptMode) {
  THkIniCtrl ini(nullptr);
  for (auto mode : {THkIniCryptMode::icmKey, THkIniCryptMode::icmTextKey}) {
    ini.SetCryptMode(mode);
    EXPECT_EQ(ini.DecodeValue(ini.EncodeValue(L"Service 1234")), L"Service 1234");
  }
  ini.SetCryptMode(THkIniCryptMode::icmCustom);
  EXPECT_EQ(ini.EncodeValue(L"plain"), L"plain");
  ini.OnEncodeString = [](TObject*, String& d) { d = L"[" + d + L"]"; };
  EXPECT_EQ(ini.EncodeValue(L"plain"), L"[plain]");
}

TEST(UserName, IsKnown) { EXPECT_FALSE(WindowsUserName().empty()); }
