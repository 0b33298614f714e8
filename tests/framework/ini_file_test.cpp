#include "framework/IniFile.h"

#include "tests/support/scratch_folder.h"
#include "tests/support/string_lines.h"

#include <gtest/gtest.h>

namespace {

const Lines kSkinOptions = {
    L"; comment", L"[GLOBALINFO]",           L"Version = 12", L"  Shadow=$1F  ", L"Hex=0x10", L"Bad=abc", L"",
    L"[Button]",  L"ParentClass=GLOBALINFO", L"Glyph=a=b",    L"NoValue",        L"[Edit]",   L"Empty=",
};

TEST(MemIniFile, ReadsValuesInDecimalOrHex) {
  TMemIniFile ini;
  ini.SetStrings(ListOf(kSkinOptions));
  EXPECT_EQ(ini.ReadString(L"globalinfo", L"VERSION", L"-"), L"12");  // names ignore case, blanks trimmed
  EXPECT_EQ(ini.ReadInteger(L"GLOBALINFO", L"Shadow", 0), 31);
  EXPECT_EQ(ini.ReadInteger(L"GLOBALINFO", L"Hex", 0), 16);
  EXPECT_EQ(ini.ReadInteger(L"GLOBALINFO", L"Bad", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"GLOBALINFO", L"Missing", -1), -1);
  EXPECT_EQ(ini.ReadString(L"Button", L"Glyph", L""), L"a=b");
  EXPECT_EQ(ini.ReadString(L"Edit", L"Empty", L"default"), L"");  // present but empty
  EXPECT_EQ(ini.ReadString(L"Nope", L"Empty", L"default"), L"default");
  EXPECT_TRUE(ini.ReadBool(L"GLOBALINFO", L"Version", false));
  EXPECT_TRUE(ini.ValueExists(L"Edit", L"empty"));
}

TEST(MemIniFile, SectionsAndKeysKeepFileOrder) {
  TMemIniFile ini;
  ini.SetStrings(ListOf(kSkinOptions));
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(LinesOf(list), (Lines{L"GLOBALINFO", L"Button", L"Edit"}));
  ini.ReadSection(L"GLOBALINFO", list);
  EXPECT_EQ(LinesOf(list), (Lines{L"Version", L"Shadow", L"Hex", L"Bad"}));
  ini.ReadSection(L"Button", list);
  EXPECT_EQ(LinesOf(list), (Lines{L"ParentClass", L"Glyph"}));  // "NoValue" is no key
  EXPECT_TRUE(ini.SectionExists(L"edit"));
  EXPECT_FALSE(ini.SectionExists(L"Panel"));
}

TEST(MemIniFile, CaseSensitiveModeSeparatesNames) {
  TMemIniFile ini;
  ini.SetCaseSensitive(true);
  ini.SetStrings(ListOf({L"[A]", L"k=1", L"K=2", L"[a]", L"k=3"}));
  EXPECT_EQ(ini.ReadString(L"A", L"K", L""), L"2");
  EXPECT_EQ(ini.ReadString(L"a", L"k", L""), L"3");
  EXPECT_EQ(ini.ReadString(L"a", L"K", L"none"), L"none");
  EXPECT_FALSE(ini.ValueExists(L"a", L"K"));
  ini.SetCaseSensitive(false);
  EXPECT_EQ(ini.ReadString(L"a", L"K", L""), L"1");
}

TEST(MemIniFile, WritesEraseAndRoundTrip) {
  ScratchFolder folder;
  const String path = folder.File(L"opts.ini");
  {
    TMemIniFile ini(path);
    ini.SetStrings(ListOf(kSkinOptions));
    ini.WriteInteger(L"GLOBALINFO", L"version", 13);  // replaced in place
    ini.WriteBool(L"New", L"On", true);               // new section at the end
    ini.WriteString(L"Edit", L"Empty", L"");          // stays, empty
    ini.DeleteKey(L"GLOBALINFO", L"Bad");
    ini.EraseSection(L"Button");
    EXPECT_FALSE(FileExists(path));  // nothing written before UpdateFile
    ini.UpdateFile();
  }
  EXPECT_EQ(ScratchFolder::ReadBytes(path),
            "[GLOBALINFO]\r\nversion=13\r\nShadow=$1F\r\nHex=0x10\r\n\r\n"
            "[Edit]\r\nEmpty=\r\n\r\n[New]\r\nOn=1\r\n\r\n");
  TMemIniFile back(path);
  EXPECT_EQ(back.ReadInteger(L"GLOBALINFO", L"Version", 0), 13);
  EXPECT_TRUE(back.ReadBool(L"New", L"On", false));

  // Rename: with reload the other file's content replaces ours.
  const String other = folder.File(L"other.ini");
  ScratchFolder::WriteBytes(other, "[X]\r\ny=2\r\n");
  back.Rename(other, false);
  EXPECT_EQ(back.ReadInteger(L"GLOBALINFO", L"Version", 0), 13);
  back.Rename(other, true);
  EXPECT_FALSE(back.SectionExists(L"GLOBALINFO"));
  EXPECT_EQ(back.ReadInteger(L"X", L"y", 0), 2);
  EXPECT_EQ(back.FileName(), other);
}

TEST(MemIniFile, DuplicateSectionReadsFindTheFirst) {
  TMemIniFile ini;
  ini.SetStrings(ListOf({L"[S]", L"a=1", L"[T]", L"[s]", L"a=2", L"b=3"}));
  EXPECT_EQ(ini.ReadString(L"S", L"a", L""), L"1");
  EXPECT_EQ(ini.ReadString(L"S", L"b", L"none"), L"none");
  TStringList out;
  ini.GetStrings(out);
  EXPECT_EQ(LinesOf(out), (Lines{L"[S]", L"a=1", L"", L"[T]", L"", L"[s]", L"a=2", L"b=3", L""}));
}

TEST(IniFile, ProfileFunctionsRoundTrip) {
  ScratchFolder folder;
  const String path = folder.File(L"port.ini");
  {
    TIniFile ini(path);
    ini.WriteString(L"ComPort", L"Port", L"COM3");
    ini.WriteInteger(L"ComPort", L"BaudRate", 9600);
    ini.WriteBool(L"ComPort", L"Dtr", true);
    ini.WriteString(L"Other", L"x", L"1");
    EXPECT_EQ(ini.ReadString(L"comport", L"port", L""), L"COM3");
    EXPECT_EQ(ini.ReadInteger(L"ComPort", L"BaudRate", 0), 9600);
    EXPECT_EQ(ini.ReadInteger(L"ComPort", L"Missing", 5), 5);
    EXPECT_TRUE(ini.ReadBool(L"ComPort", L"Dtr", false));
    TStringList list;
    ini.ReadSection(L"ComPort", list);
    EXPECT_EQ(LinesOf(list), (Lines{L"Port", L"BaudRate", L"Dtr"}));
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (Lines{L"ComPort", L"Other"}));
    ini.DeleteKey(L"ComPort", L"Dtr");
    EXPECT_FALSE(ini.ValueExists(L"ComPort", L"Dtr"));
    ini.EraseSection(L"Other");
    EXPECT_FALSE(ini.SectionExists(L"Other"));
  }
  TMemIniFile mem(path);  // the file is plain INI text
  EXPECT_EQ(mem.ReadString(L"ComPort", L"Port", L""), L"COM3");
}

}  // namespace
