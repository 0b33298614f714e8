#include "framework/System.h"

#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct IntCase {
  const wchar_t* text;
  bool ok;
  int value;
};

TEST(SystemNumbers, TryStrToIntFollowsTheClassicRules) {
  const IntCase cases[] = {
      {L"0", true, 0},
      {L"42", true, 42},
      {L"-42", true, -42},
      {L"+7", true, 7},
      {L"  12", true, 12},  // leading blanks are skipped
      {L"12 ", false, 0},   // trailing ones are not
      {L"\t12", false, 0},  // only the blank counts as leading space
      {L"$1F", true, 31},
      {L"0x1f", true, 31},
      {L"x10", true, 16},
      {L"-$10", true, -16},
      {L"$FFFFFFFF", true, -1},  // hex uses all 32 bits
      {L"$100000000", false, 0},
      {L"2147483647", true, INT_MAX},
      {L"-2147483648", true, INT_MIN},
      {L"2147483648", false, 0},
      {L"-2147483649", false, 0},
      {L"", false, 0},
      {L" ", false, 0},
      {L"-", false, 0},
      {L"$", false, 0},
      {L"abc", false, 0},
      {L"1.5", false, 0},
      {L"1e3", false, 0},
  };
  for (const auto& c : cases) {
    int v = 12345;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << StringToUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(v, c.value) << StringToUtf8(c.text);
    }
    EXPECT_EQ(StrToIntDef(c.text, -99), c.ok ? c.value : -99) << StringToUtf8(c.text);
  }
}

TEST(SystemNumbers, Int64RangeAndErrors) {
  int64_t v = 0;
  EXPECT_TRUE(TryStrToInt64(L"9223372036854775807", v));
  EXPECT_EQ(v, INT64_MAX);
  EXPECT_TRUE(TryStrToInt64(L"-9223372036854775808", v));
  EXPECT_EQ(v, INT64_MIN);
  EXPECT_FALSE(TryStrToInt64(L"9223372036854775808", v));
  EXPECT_TRUE(TryStrToInt64(L"$FFFFFFFFFFFFFFFF", v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(TryStrToInt64(L"4294967296", v));  // beyond 32 bits
  EXPECT_EQ(v, 4294967296LL);
  EXPECT_EQ(StrToInt64Def(L"x", 5), 5);
  EXPECT_THROW(StrToInt(L"abc"), EConvertError);
  EXPECT_THROW(StrToInt64(L""), EConvertError);
  try {
    StrToInt(L"abc");
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(L"abc"), String::npos);
    EXPECT_NE(std::string(e.what()).find("abc"), std::string::npos);
  }
}

TEST(SystemNumbers, RoundTakesHalvesToEven) {
  const std::pair<double, int64_t> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {-0.5, 0}, {-1.5, -2},
                                              {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.6, -3}};
  for (const auto& [x, expected] : cases) EXPECT_EQ(Round(x), expected) << x;
}

TEST(SystemText, TrimStripsControlCharactersToo) {
  EXPECT_EQ(Trim(L" \t\r\n\x01[data]\x1f \x20"), L"[data]");
  EXPECT_EQ(TrimLeft(L"  a b  "), L"a b  ");
  EXPECT_EQ(TrimRight(L"  a b  "), L"  a b");
  EXPECT_EQ(Trim(L"\x7f"
                 L"a"),
            L"\x7f"
            L"a");  // DEL is above the blank
  EXPECT_EQ(Trim(L"   "), L"");
}

TEST(SystemText, CaseChangesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase(L"abz\u00e9\u00df1"), L"ABZ\u00e9\u00df1");
  EXPECT_EQ(LowerCase(L"ABZ\u00c9\u00dc"), L"abz\u00c9\u00dc");
  EXPECT_TRUE(SameText(L"Comport", L"COMPORT"));
  EXPECT_FALSE(SameText(L"\u00e9", L"\u00c9"));
  EXPECT_FALSE(SameText(L"a", L"ab"));
  EXPECT_LT(CompareText(L"a", L"B"), 0);
  EXPECT_GT(CompareText(L"ab", L"A"), 0);
  EXPECT_EQ(CompareText(L"_", L"_"), 0);
  // '_' lies between upper and lower case: upper-casing decides the order.
  EXPECT_GT(CompareText(L"_", L"a"), 0);
}

TEST(SystemText, AnsiRoundTripThroughTheCodePage) {
  const String text = L"Gr\u00fc\u00dfe \u00e9\u00a7\u00b2";
  EXPECT_EQ(AnsiToString(StringToAnsi(text)), text);
  EXPECT_EQ(StringToAnsi(L"plain"), "plain");
  EXPECT_EQ(AnsiToString(""), L"");
}

TEST(SystemPaths, SplitAndChange) {
  EXPECT_EQ(ExtractFilePath(L"C:\\a\\b.txt"), L"C:\\a\\");
  EXPECT_EQ(ExtractFilePath(L"b.txt"), L"");
  EXPECT_EQ(ExtractFilePath(L"C:b.txt"), L"C:");
  EXPECT_EQ(ExtractFileName(L"C:\\a\\b.txt"), L"b.txt");
  EXPECT_EQ(ExtractFileExt(L"C:\\a.d\\b"), L"");
  EXPECT_EQ(ExtractFileExt(L"C:\\a\\b.tar.gz"), L".gz");
  EXPECT_EQ(ChangeFileExt(L"C:\\a.d\\kelvra", L".INI"), L"C:\\a.d\\kelvra.INI");
  EXPECT_EQ(ChangeFileExt(L"data.txt", L".bak"), L"data.bak");
  EXPECT_EQ(ChangeFileExt(L"data.txt", L""), L"data");
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\a"), L"C:\\a\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\a\\"), L"C:\\a\\");
}

TEST(SystemPaths, ForceDirectoriesMakesEveryParent) {
  ScratchFolder folder;
  const String deep = folder.File(L"one\\two\\three");
  EXPECT_FALSE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep + L"\\"));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep));  // already there
  EXPECT_FALSE(FileExists(deep));

  const String file = deep + L"\\f.txt";
  ScratchFolder::WriteBytes(file, "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  // A file in the way of the path cannot become a folder.
  EXPECT_FALSE(ForceDirectories(file + L"\\sub"));
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(DeleteFile(file));
  EXPECT_FALSE(ForceDirectories(L""));
}

TEST(SystemProcess, CommandLineSplitsLikeTheClassicRunTime) {
  using V = std::vector<String>;
  EXPECT_EQ(SplitCommandLine(L"kelvra.exe /hide"), (V{L"kelvra.exe", L"/hide"}));
  EXPECT_EQ(SplitCommandLine(L"\"C:\\Program Files\\k.exe\"  hide  "), (V{L"C:\\Program Files\\k.exe", L"hide"}));
  EXPECT_EQ(SplitCommandLine(L"k a\"b c\"d \"\" e"), (V{L"k", L"ab cd", L"", L"e"}));
  EXPECT_EQ(SplitCommandLine(L"k \"C:\\dir\\\" x"), (V{L"k", L"C:\\dir\\", L"x"}));  // no backslash escapes
  EXPECT_EQ(SplitCommandLine(L"k \"open"), (V{L"k", L"open"}));
  EXPECT_EQ(SplitCommandLine(L"  "), V{});
}

TEST(SystemProcess, ParamStrZeroIsTheExecutable) {
  const String exe = ParamStr(0);
  EXPECT_EQ(exe, ExeFileName());
  EXPECT_TRUE(FileExists(exe));
  EXPECT_EQ(ParamStr(ParamCount() + 1), L"");
  EXPECT_EQ(ParamStr(-1), L"");
}

TEST(SystemDates, UseTheUserFormats) {
  SYSTEMTIME t{};
  t.wYear = 2024;
  t.wMonth = 3;
  t.wDay = 9;
  t.wHour = 17;
  t.wMinute = 5;
  t.wSecond = 7;
  wchar_t expected[64];
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, expected, 64);
  EXPECT_EQ(DateToStr(t), expected);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, expected, 64);
  EXPECT_EQ(TimeToStr(t), expected);
  EXPECT_NE(DateToStr(t).find(L"2024"), String::npos);
  EXPECT_NE(TimeToStr(t).find(L"05"), String::npos);
  EXPECT_FALSE(DateToStr().empty());
}

TEST(SystemErrors, OSErrorCarriesCodeAndText) {
  EXPECT_FALSE(SysErrorMessage(ERROR_FILE_NOT_FOUND).empty());
  EXPECT_NE(SysErrorMessage(ERROR_FILE_NOT_FOUND).back(), L'.');
  try {
    RaiseLastOSError(ERROR_ACCESS_DENIED);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_NE(e.Message().find(L"Code: 5."), String::npos);
  }
}

}  // namespace
