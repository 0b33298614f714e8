// The credit log read as the journal of payments: which lines at its end are
// payments data.txt did not get, and reading them from a long log.
#include "app/CreditJournal.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

String Line(const String& id, const String& pulse = L"100") { return id + L",11.12.2026,19:20:05,0," + pulse; }

struct TailCase {
  const char* name;
  std::vector<String> lines;
  int32_t savedId;
  bool logNotOlder;
  TUnsavedPayments expected;
};

const TailCase kTailCases[] = {
    {"three past the saved id", {Line(L"4"), Line(L"5"), Line(L"6", L"50"), Line(L"7", L"25")}, 4, true, {3, 7, 175}},
    {"the whole log, from the first payment", {Line(L"1"), Line(L"2")}, 0, true, {2, 2, 200}},
    {"nothing past", {Line(L"4"), Line(L"5")}, 5, true, {}},
    {"the log ends below the saved id", {Line(L"4"), Line(L"5")}, 9, true, {}},
    {"empty log", {}, 3, true, {}},
    {"a gap", {Line(L"5"), Line(L"6"), Line(L"8")}, 5, true, {}},
    {"out of order", {Line(L"5"), Line(L"6"), Line(L"8"), Line(L"7")}, 5, true, {}},
    {"an id twice", {Line(L"5"), Line(L"6"), Line(L"7"), Line(L"7")}, 5, true, {}},
    {"fewer lines than ids past", {Line(L"6"), Line(L"7")}, 3, true, {}},
    {"an id that is no number", {Line(L"5"), Line(L"x6"), Line(L"7")}, 5, true, {}},
    {"an id with a blank", {Line(L"5"), Line(L" 6")}, 5, true, {}},
    {"a line that is no payment at the end", {Line(L"5"), Line(L"6"), L"6"}, 5, true, {}},
    {"an empty last line", {Line(L"5"), Line(L"6"), L""}, 5, true, {}},
    {"a field other than 0 before the pulse", {Line(L"5"), L"6,11.12.2026,19:20:05,1,100"}, 5, true, {}},
    {"a cut off last line", {Line(L"5"), L"6,11.12.20"}, 5, true, {}},
    {"pulse text that is no number", {Line(L"5"), Line(L"6", L"abc"), Line(L"7")}, 5, true, {}},
    {"no pulse text", {Line(L"5"), Line(L"6", L"")}, 5, true, {}},
    {"negative pulse values count as the counting added them", {Line(L"6", L"-40")}, 5, true, {1, 6, -40}},
    {"after Clear ID, data.txt is the newer file", {Line(L"1"), Line(L"2"), Line(L"3")}, 0, false, {}},
    {"Clear ID, then a payment the kill kept from data.txt",
     {Line(L"1"), Line(L"2"), Line(L"3"), Line(L"1", L"7")},
     0,
     true,
     {1, 1, 7}},
    {"ids wrap at 32 bits",
     {Line(L"2147483647"), Line(L"-2147483648"), Line(L"-2147483647")},
     2147483646,
     true,
     {3, -2147483647, 300}},
    {"pulse values wrap at 32 bits",
     {Line(L"6", L"4294967297"), Line(L"7", L"2147483647")},
     5,
     true,
     {2, 7, -2147483648}},
};

class JournalTail : public ::testing::TestWithParam<TailCase> {};

TEST_P(JournalTail, FindsOnlyACleanRunOfIdsPastTheSavedOne) {
  const TailCase& c = GetParam();
  const TUnsavedPayments found = UnsavedPayments(c.lines, c.savedId, c.logNotOlder);
  EXPECT_EQ(found.Count, c.expected.Count);
  EXPECT_EQ(found.LastId, c.expected.LastId);
  EXPECT_EQ(found.Sum, c.expected.Sum);
}

INSTANTIATE_TEST_SUITE_P(Cases, JournalTail, ::testing::ValuesIn(kTailCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(JournalTimes, EqualTimesMayHideAnUnsavedPaymentAndAMissingFileNever) {
  const FILETIME t{1000, 5}, later{2000, 5};
  EXPECT_TRUE(NotOlder(later, t));
  EXPECT_TRUE(NotOlder(t, t));
  EXPECT_FALSE(NotOlder(t, later));
  EXPECT_FALSE(NotOlder(std::nullopt, t));
  EXPECT_FALSE(NotOlder(t, std::nullopt));
}

TEST(JournalFile, ALongLogIsReadFromItsEnd) {
  ScratchFolder folder;
  const String log = folder.File(L"credits.txt");
  std::string text;
  for (int id = 1; id <= 100000; ++id) text += StringToAnsi(Line(IntToStr(id))) + "\r\n";
  ScratchFolder::WriteBytes(log, text);

  const std::vector<String> tail = LastLinesOf(log, 3);
  ASSERT_GE(tail.size(), 3u);
  EXPECT_LT(tail.size(), 10000u);  // a block from the end, not the file
  EXPECT_EQ(tail.back(), Line(L"100000"));
  EXPECT_EQ(tail.front(), Line(IntToStr(100001 - int(tail.size()))));  // whole lines only

  // More lines than the first block holds: the block grows.
  const std::vector<String> more = LastLinesOf(log, 20000);
  ASSERT_GE(more.size(), 20000u);
  EXPECT_EQ(more.front(), Line(IntToStr(100001 - int(more.size()))));
  EXPECT_EQ(LastLinesOf(log, 200000).size(), 100000u);

  ScratchFolder::WriteBytes(log, "1,a,b,0,5\r\n2,a,b,0,5");
  EXPECT_EQ(LastLinesOf(log, 1), (std::vector<String>{L"1,a,b,0,5", L"2,a,b,0,5"}));
  EXPECT_THROW(LastLinesOf(folder.File(L"none.txt"), 1), Exception);
}

TEST(JournalFile, ReadsNothingPastTheSavedIdWhenDataIsTheNewerFile) {
  ScratchFolder folder;
  const String log = folder.File(L"credits.txt");
  std::string text;
  for (int id = 1; id <= 5000; ++id) text += StringToAnsi(Line(IntToStr(id), L"2")) + "\r\n";
  ScratchFolder::WriteBytes(log, text);
  const FILETIME logTime = *LastWriteTime(log);
  FILETIME before = logTime, after = logTime;
  before.dwHighDateTime -= 1;
  after.dwHighDateTime += 1;

  // Ids past the first block: it reads back as far as they go.
  const TUnsavedPayments found = ReadUnsavedPayments(log, 1000, before);
  EXPECT_EQ(found.Count, 4000);
  EXPECT_EQ(found.LastId, 5000);
  EXPECT_EQ(found.Sum, 8000);
  EXPECT_EQ(ReadUnsavedPayments(log, 1000, after).Count, 0);
  EXPECT_EQ(ReadUnsavedPayments(log, 1000, std::nullopt).Count, 0);
}

}  // namespace
