// A start after the program was killed between writing a payment's line and
// saving data.txt: the log's payments past the saved id are counted once.
#include "app/CreditJournal.h"
#include "tests/app/support/form_fixture.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

using UnsavedPaymentsAtStart = FormFixture;

// Every key the repair checks, so it leaves the file (and its time) alone.
std::string Settings() {
  return "[data]\r\ncomport=1\r\nchannel1=100\r\npoll=0\r\ntotalblocking=0\r\nplaysound=0\r\ncashid=10\r\n"
         "credits=500\r\nlog=appdata\r\nlogtotal=0\r\nlogtotalpure=0\r\nautostartonboot=0\r\nchecklogsize=0\r\n"
         "execute=0\r\npass=1234\r\n";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

std::string LogLine(int id, const std::string& pulse = "100") {
  return std::to_string(id) + ",11.12.2026,19:20:05,0," + pulse + "\r\n";
}

// Back-dates a file: data.txt saved a minute before the log was written is
// the kill's trace; the log written a minute before data.txt is not.
void WrittenAMinuteAgo(const String& fileName) {
  FILETIME t;
  GetSystemTimeAsFileTime(&t);
  ULARGE_INTEGER v{{t.dwLowDateTime, t.dwHighDateTime}};
  v.QuadPart -= 60ull * 10000000;
  t = {v.LowPart, v.HighPart};
  const TOwnedHandle file(CreateFileW(fileName.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file && SetFileTime(file.get(), nullptr, nullptr, &t));
}

TEST_F(UnsavedPaymentsAtStart, AreCountedSavedAndToldAndTheNextIdFollowsThem) {
  const String dataFile = dataFolder + L"data.txt", logFile = dataFolder + L"credits.txt";
  Write(dataFile, Settings());
  Write(logFile, LogLine(9) + LogLine(10) + LogLine(11) + LogLine(12, "50") + LogLine(13, "25"));
  WrittenAMinuteAgo(dataFile);
  Start();
  EXPECT_EQ(App.CashId, 13);
  EXPECT_EQ(App.Credits, 675);
  EXPECT_EQ(form->Label_ID->Caption(), L"13");
  EXPECT_EQ(form->LabelCredits->Caption(), L"675");
  TStrings& view = form->MemoLog->Lines();
  ASSERT_GE(view.Count(), 6);
  EXPECT_EQ(view.Get(4), L"13,11.12.2026,19:20:05,0,25");
  const String note = view.Get(view.Count() - 1);
  EXPECT_NE(note.find(L"IDs 11 to 13, credits +175"), String::npos) << StringToAnsi(note);
  const std::string data = Read(dataFile);
  EXPECT_NE(data.find("cashid=13\r\n"), std::string::npos);
  EXPECT_NE(data.find("credits=675\r\n"), std::string::npos);

  form->KelvraAdapterCTSChange(nullptr, true);
  const std::string log = Read(logFile);
  EXPECT_EQ(log.substr(log.rfind("\r\n", log.size() - 3) + 2, 3), "14,");
  EXPECT_EQ(App.Credits, 775);

  // Taken once: the next start finds nothing past the saved id.
  delete form;
  form = nullptr;
  Start();
  EXPECT_EQ(App.CashId, 14);
  EXPECT_EQ(App.Credits, 775);
}

struct LeftAloneCase {
  const char* name;
  std::string settings, log;
  bool logIsNewer = true;
};

const LeftAloneCase kLeftAlone[] = {
    {"the tenths-total log keeps no ids", Replaced(Settings(), "logtotal=0", "logtotal=1"), LogLine(11) + LogLine(12)},
    {"nor the whole-total log", Replaced(Settings(), "logtotalpure=0", "logtotalpure=1"), LogLine(11) + LogLine(12)},
    {"a gap", Settings(), LogLine(10) + LogLine(12) + LogLine(13)},
    {"a line that is no payment at the end", Settings(), LogLine(10) + LogLine(11) + "paid\r\n"},
    {"data.txt is the newer file", Settings(), LogLine(10) + LogLine(11), false},
    // The backup's id stands in: it is older than the credits read.
    {"an unreadable id", Replaced(Settings(), "cashid=10", "cashid=x"), LogLine(11) + LogLine(12)},
    {"pulse text that is no number", Settings(), LogLine(10) + LogLine(11, "1 x")},
};

TEST_F(UnsavedPaymentsAtStart, AreLeftAloneUnlessTheLogEndsInACleanRunOfIds) {
  for (const LeftAloneCase& c : kLeftAlone) {
    SCOPED_TRACE(c.name);
    const String dataFile = dataFolder + L"data.txt";
    Write(dataFile, c.settings);
    Write(dataFolder + L"data_last.txt", Settings());
    Write(dataFolder + L"credits.txt", c.log);
    WrittenAMinuteAgo(c.logIsNewer ? dataFile : dataFolder + L"credits.txt");
    Start();
    EXPECT_EQ(App.CashId, 10);
    EXPECT_EQ(App.Credits, 500);
    EXPECT_EQ(Read(dataFile), c.settings);
    delete form;
    form = nullptr;
  }
}

TEST_F(UnsavedPaymentsAtStart, AStartAfterClearIdDoesNotCountTheLogAgain) {
  const String dataFile = dataFolder + L"data.txt", logFile = dataFolder + L"credits.txt";
  Write(dataFile, Replaced(Settings(), "cashid=10", "cashid=0"));
  Start();
  for (int i = 0; i < 3; ++i) {
    form->KelvraAdapterCTSChange(nullptr, true);
    form->KelvraAdapterCTSChange(nullptr, false);
  }
  // The operator clicks some time after the last payment: data.txt is then
  // the newer file by at least one step of the file clock.
  ASSERT_TRUE(WaitUntil([&] {
    form->Btn_ClearID->Click();
    const FILETIME log = *LastWriteTime(logFile), data = *LastWriteTime(dataFile);
    return CompareFileTime(&data, &log) > 0;
  }));
  delete form;
  form = nullptr;  // killed or closed: the counters are saved either way

  Start();
  EXPECT_EQ(App.CashId, 0);
  EXPECT_EQ(App.Credits, 800);
  form->KelvraAdapterCTSChange(nullptr, true);
  EXPECT_EQ(App.CashId, 1);
}

}  // namespace
