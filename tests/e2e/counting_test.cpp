// Payments through the real program: CTS pulses on the simulated validator
// line become credits, identifiers, log lines and started programs.
#include "tests/e2e/support/program_fixture.h"
#include "tests/support/scratch_folder.h"

#include <set>

namespace {

// Every text the local clock could have shown between two moments, a second
// either side: dates in the short date format, times in the long time format.
class ClockTexts {
 public:
  void Start() { FFrom = Now() - kSecond; }
  void Stop() { FTo = Now() + kSecond; }
  std::set<std::string> Dates() const {
    return Texts([](const SYSTEMTIME& t, wchar_t* b) {
      return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, b, 128);
    });
  }
  std::set<std::string> Times() const {
    return Texts(
        [](const SYSTEMTIME& t, wchar_t* b) { return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, b, 128); });
  }

 private:
  static constexpr uint64_t kSecond = 10000000;  // in FILETIME units
  static uint64_t Now() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME ft;
    SystemTimeToFileTime(&local, &ft);
    return (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
  }
  template <class F>
  std::set<std::string> Texts(F format) const {
    std::set<std::string> texts;
    for (uint64_t t = FFrom; t <= FTo; t += kSecond) {
      FILETIME ft{DWORD(t), DWORD(t >> 32)};
      SYSTEMTIME st;
      FileTimeToSystemTime(&ft, &st);
      wchar_t buffer[128];
      const int n = format(st, buffer);
      texts.insert(StringToAnsi(String(buffer, n > 0 ? size_t(n - 1) : 0)));
    }
    return texts;
  }
  uint64_t FFrom = 0, FTo = 0;
};

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t at = 0;
  for (size_t comma; (comma = line.find(',', at)) != std::string::npos; at = comma + 1)
    fields.push_back(line.substr(at, comma - at));
  fields.push_back(line.substr(at));
  return fields;
}

using Counting = ProgramFixture;

TEST_F(Counting, EveryPulseIsOneCreditStepAndOneLogLine) {
  Set("channel1", "25");
  Set("credits", "100");
  Set("cashid", "7");
  ClockTexts clock;
  clock.Start();
  Start();
  for (size_t i = 1; i <= 5; ++i) {
    // One at a time: Wine does not see a pulse that comes and goes between two
    // of the program's waits, which a loaded machine can make long.
    Pulse();
    ASSERT_TRUE(WaitForLogLines(i)) << StringToAnsi(window->LogView());
  }
  clock.Stop();
  Close();

  EXPECT_EQ(DataValue("credits"), "225");
  EXPECT_EQ(DataValue("cashid"), "12");
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 5u);
  const auto dates = clock.Dates(), times = clock.Times();
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    const std::vector<std::string> f = Fields(lines[i]);
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[0], std::to_string(8 + i));
    EXPECT_TRUE(dates.count(f[1]));
    EXPECT_TRUE(times.count(f[2]));
    EXPECT_EQ(f[3], "0");
    EXPECT_EQ(f[4], "25");
  }
}

struct TotalCase {
  const char* name;
  const char* logtotal;
  const char* logtotalpure;
  std::vector<std::string> totals;  // the log after each pulse
};

class Totals : public ProgramFixture, public ::testing::WithParamInterface<TotalCase> {};

TEST_P(Totals, TheLogHoldsOnlyTheTotal) {
  const TotalCase& c = GetParam();
  Set("logtotal", c.logtotal);
  Set("logtotalpure", c.logtotalpure);
  Start();
  const char* values[] = {"100", "50", "50", "5", "15"};
  for (size_t i = 0; i < std::size(values); ++i) {
    SCOPED_TRACE(values[i]);
    window->SetPulseValue(AnsiToString(values[i]));
    Pulse();
    ASSERT_TRUE(WaitUntil([&] { return DataValue("cashid") == std::to_string(i + 1); }));
    EXPECT_EQ(StringToAnsi(Trim(window->LogView())), c.totals[i]);
    EXPECT_EQ(Read(logFile), c.totals[i] + "\r\n");
  }
  Close();
  EXPECT_EQ(Read(logFile), c.totals.back() + "\r\n");
  EXPECT_EQ(DataValue("credits"), "220");
}

INSTANTIATE_TEST_SUITE_P(Modes, Totals,
                         ::testing::Values(TotalCase{"UnitsAndTenths", "1", "0", {"1.0", "1.5", "2.0", "2.0", "2.1"}},
                                           TotalCase{"Whole", "0", "1", {"100", "150", "200", "205", "220"}},
                                           TotalCase{"BothMeanWhole", "1", "1", {"100", "150", "200", "205", "220"}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct EmptyLogCase {
  const char* name;
  const char* log;  // nullptr: no log file
  const char* credits;
};

class ClearIfLogEmpty : public ProgramFixture, public ::testing::WithParamInterface<EmptyLogCase> {};

TEST_P(ClearIfLogEmpty, APulseStartsTheCreditsAfresh) {
  const EmptyLogCase& c = GetParam();
  Set("checklogsize", "1");
  Set("credits", "500");
  Set("channel1", "100");
  if (c.log) Write(logFile, c.log);
  Start();
  Pulse();
  ASSERT_TRUE(WaitUntil([&] { return DataValue("cashid") == "1"; }));
  Close();
  EXPECT_EQ(DataValue("credits"), c.credits);
}

INSTANTIATE_TEST_SUITE_P(Logs, ClearIfLogEmpty,
                         ::testing::Values(EmptyLogCase{"HoldingZero", "0\r\n", "100"},
                                           EmptyLogCase{"OnlyBlanks", "  \r\n", "100"},
                                           EmptyLogCase{"Missing", nullptr, "100"},
                                           EmptyLogCase{"HoldingANumber", "12\r\n", "600"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Counting, TheStartedProgramGetsThePulseText) {
  ScratchFolder folder;
  const String recorder = folder.File(L"record_args.exe");
  ASSERT_TRUE(CopyFileW((ExtractFilePath(ParamStr(0)) + L"..\\app\\record_args.exe").c_str(), recorder.c_str(), FALSE));
  Set("execute", "1");
  Set("executefile", StringToAnsi(recorder));
  Set("channel1", "35");
  Start();
  Pulse();
  const String args = folder.File(L"args.txt");
  ASSERT_TRUE(WaitUntil([&] { return FileExists(args) && !Read(args).empty(); }));
  EXPECT_EQ(Read(args), "35");
  Close();
}

TEST_F(Counting, PulsesWhileTheLogIsHeldAreCountedAndLoggedLater) {
  Write(logFile, "");
  Start();
  TChildProcess holder(L"\"" + ExtractFilePath(ParamStr(0)) + L"..\\app\\hold_file.exe\" \"" + logFile + L"\" 600000");
  ASSERT_TRUE(WaitUntil([&] {
    HANDLE h = CreateFileW(logFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return false;
  }));
  Pulse(3);  // all while the file is held
  holder.End();
  ASSERT_TRUE(WaitUntil([&] {
    try {
      return LogLines().size() == 3;
    } catch (const std::runtime_error&) {
      return false;  // the program has it open to write
    }
  }));
  Close();
  EXPECT_EQ(DataValue("credits"), "3");
  EXPECT_EQ(DataValue("cashid"), "3");
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 3u);
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(Fields(lines[i])[0], std::to_string(i + 1));
}

}  // namespace
