// Counting payments from CTS rises: the counters, the three log formats, the
// stored totals and the per-pulse actions.
#include "app/CreditLog.h"
#include "framework/Application.h"
#include "framework/Registry.h"
#include "tests/app/support/form_fixture.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

namespace {

using Pulses = FormFixture;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

void Pulse(TForm1* form, int count = 1) {
  for (int i = 0; i < count; ++i) {
    form->KelvraAdapterCTSChange(nullptr, true);
    form->KelvraAdapterCTSChange(nullptr, false);
  }
}

TEST_F(Pulses, EachRiseCountsLogsAndStores) {
  Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=100\r\ncredits=50\r\ncashid=7\r\n");
  Start();
  Pulse(form, 3);
  EXPECT_EQ(App.Credits, 350);
  EXPECT_EQ(App.CashId, 10);
  EXPECT_EQ(form->LabelCredits->Caption(), L"350");
  EXPECT_EQ(form->Label_ID->Caption(), L"10");

  // The log did not exist: it was made, one line per payment.
  const auto lines = SplitLines(Read(dataFolder + L"credits.txt"));
  ASSERT_EQ(lines.size(), 3u);
  const std::string today = StringToAnsi(DateToStr());
  for (int i = 0; i < 3; ++i) {
    const std::string prefix = std::to_string(8 + i) + "," + today + ",";
    EXPECT_EQ(lines[i].substr(0, prefix.size()), prefix);
    EXPECT_EQ(lines[i].substr(lines[i].size() - 6), ",0,100");
    EXPECT_EQ(StringToAnsi(form->MemoLog->Lines().Get(i)), lines[i]);
  }
  // Credits and the id are in data.txt after every pulse.
  const std::string data = Read(dataFolder + L"data.txt");
  EXPECT_NE(data.find("credits=350\r\n"), std::string::npos);
  EXPECT_NE(data.find("cashid=10\r\n"), std::string::npos);
}

TEST_F(Pulses, LineOffOnlyMovesTheLamp) {
  Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=1\r\n");
  Start();
  const std::string before = Read(dataFolder + L"data.txt");
  form->KelvraAdapterCTSChange(nullptr, false);
  EXPECT_EQ(App.Credits, 0);
  EXPECT_EQ(App.CashId, 0);
  EXPECT_FALSE(FileExists(dataFolder + L"credits.txt"));
  EXPECT_EQ(Read(dataFolder + L"data.txt"), before);
}

TEST_F(Pulses, ALogChangedByAnotherProgramIsTakenAsItIsNow) {
  Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=1\r\n");
  Start();
  Pulse(form, 2);
  // Another program adds a line without a line break, then one empties the file.
  std::string text = Read(dataFolder + L"credits.txt") + "note";
  Write(dataFolder + L"credits.txt", text);
  Pulse(form);
  auto lines = SplitLines(Read(dataFolder + L"credits.txt"));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2], "note");
  EXPECT_EQ(lines[3].substr(0, 2), "3,");
  EXPECT_EQ(form->MemoLog->Lines().Count(), 4);

  Write(dataFolder + L"credits.txt", "");
  Pulse(form);
  lines = SplitLines(Read(dataFolder + L"credits.txt"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, 2), "4,");
  EXPECT_EQ(form->MemoLog->Lines().Count(), 1);
}

TEST_F(Pulses, APaymentKeepsEveryByteTheLogHad) {
  // Logs another program wrote: odd line ends, no final break, bytes of the
  // code page that mean little. The payment's line goes after them.
  const std::string logs[] = {"a\nb", "x\r", "y\n", "lone\rcr\r\nend \x81\x98", "\x98"};
  for (const std::string& log : logs) {
    Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=1\r\n");
    Write(dataFolder + L"credits.txt", log);
    Start();
    Pulse(form);
    const std::string text = Read(dataFolder + L"credits.txt");
    const bool ended = log.back() == '\r' || log.back() == '\n';
    const std::string head = log + (ended ? "" : "\r\n");
    ASSERT_GT(text.size(), head.size());
    EXPECT_TRUE(text.substr(0, head.size()) == head) << "was: " << log;
    const std::string added = text.substr(head.size());
    EXPECT_EQ(added.find_first_of("\r\n"), added.size() - 2) << "one line was added";
    EXPECT_EQ(added.substr(added.size() - 4), ",1\r\n");
    delete form;
    form = nullptr;
  }
}

struct TotalCase {
  const char* name;
  const char* boxes;                                           // "pure", "tenths" or "both"
  std::vector<std::pair<const wchar_t*, const char*>> pulses;  // pulse text, log afterwards
};

TEST_F(Pulses, TotalLogsHoldOneLine) {
  const TotalCase cases[] = {
      {"worked example", "tenths", {{L"100", "1.0"}, {L"50", "1.5"}, {L"50", "2.0"}, {L"5", "2.0"}, {L"15", "2.1"}}},
      {"whole total", "pure", {{L"100", "100"}, {L"50", "150"}}},
      {"whole total wins", "both", {{L"30", "30"}, {L"30", "60"}}},
      {"not a number adds nothing", "tenths", {{L"100", "1.0"}, {L"abc", "1.0"}}},
  };
  for (const auto& c : cases) {
    Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\n");
    DeleteFile(dataFolder + L"credits.txt");
    Start();
    const std::string boxes = c.boxes;
    if (boxes != "tenths") form->cbLogOnlyTotalPure->SetChecked(true);
    if (boxes != "pure") form->cbLogOnlyTotal->SetChecked(true);
    for (const auto& [pulse, expected] : c.pulses) {
      form->PulseValue->SetText(pulse);
      Pulse(form);
      EXPECT_EQ(Read(dataFolder + L"credits.txt"), std::string(expected) + "\r\n") << c.name;
    }
    ASSERT_EQ(form->MemoLog->Lines().Count(), 1) << c.name;
    delete form;
    form = nullptr;
  }
}

TEST(TenthsTotal, ReadsThePreviousLineAsUnitsAndTenths) {
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
      {L"", L"100", L"1.0"},   {L"1.0", L"50", L"1.5"},   {L"2.0", L"5", L"2.0"},
      {L"2.0", L"15", L"2.1"}, {L"12.34", L"0", L"12.3"}, {L"abc", L"100", L"1.0"},
      {L"7", L"25", L"7.2"},   {L"3.x", L"0", L"3.0"},    {L"", L"abc", L"0.0"},
  };
  for (const auto& [previous, pulse, expected] : cases)
    EXPECT_EQ(NextTenthsTotal(previous, pulse), expected) << StringToUtf8(previous) << " + " << StringToUtf8(pulse);
}

TEST_F(Pulses, EmptiedLogClearsTheCreditsWhenAsked) {
  const std::pair<std::optional<std::string>, int32_t> cases[] = {
      {std::nullopt, 100}, {"0\r\n", 100}, {"  \r\n", 100}, {"", 100}, {"3\r\n", 600},
  };
  for (const auto& [log, credits] : cases) {
    Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=100\r\ncredits=500\r\nchecklogsize=1\r\n");
    DeleteFile(dataFolder + L"credits.txt");
    if (log) Write(dataFolder + L"credits.txt", *log);
    Start();
    Pulse(form);
    EXPECT_EQ(App.Credits, credits) << (log ? *log : "(no log)");
    delete form;
    form = nullptr;
  }
}

TEST_F(Pulses, ClearCommandsResetAndSave) {
  Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=5\r\n");
  Start();
  Pulse(form, 2);
  form->Btn_ClearID->Click();
  form->Btn_ClearCredits->Click();
  form->BtnClearLog->Click();
  EXPECT_EQ(App.CashId, 0);
  EXPECT_EQ(App.Credits, 0);
  EXPECT_EQ(form->Label_ID->Caption(), L"0");
  EXPECT_EQ(Read(dataFolder + L"credits.txt"), "");
  const std::string data = Read(dataFolder + L"data.txt");
  EXPECT_NE(data.find("cashid=0\r\n"), std::string::npos);
  EXPECT_NE(data.find("credits=0\r\n"), std::string::npos);
  Pulse(form);
  EXPECT_EQ(SplitLines(Read(dataFolder + L"credits.txt")).size(), 1u);
}

bool IsHeld(const String& file) {
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return true;
  CloseHandle(h);
  return false;
}

TEST_F(Pulses, AHeldLogLosesNoPayment) {
  Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=1\r\n");
  Write(dataFolder + L"credits.txt", "");
  Start();
  const String log = dataFolder + L"credits.txt";
  {
    // Held for a while: the pulse waits for the file and writes it.
    TChildProcess holder(L"\"" + exeFolder + L"hold_file.exe\" \"" + log + L"\" 2000");
    ASSERT_TRUE(WaitUntil([&] { return IsHeld(log); }));
    Pulse(form);
  }
  EXPECT_EQ(SplitLines(Read(log)).size(), 1u);
  {
    // Held longer than the wait: the write fails, the payment is counted,
    // and its line is written with the next one.
    TChildProcess holder(L"\"" + exeFolder + L"hold_file.exe\" \"" + log + L"\" 60000");
    ASSERT_TRUE(WaitUntil([&] { return IsHeld(log); }));
    EXPECT_THROW(form->KelvraAdapterCTSChange(nullptr, true), Exception);
    EXPECT_EQ(App.CashId, 2);
    holder.End();
  }
  Pulse(form);
  const auto lines = SplitLines(Read(log));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].substr(0, 2), "2,");
  EXPECT_EQ(lines[2].substr(0, 2), "3,");
}

TEST_F(Pulses, ALogAnotherProgramMadeAndHoldsLosesNoPaymentEither) {
  Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=1\r\n");
  Start();  // no log yet
  const String log = dataFolder + L"credits.txt";
  Write(log, "0\r\n");
  {
    TChildProcess holder(L"\"" + exeFolder + L"hold_file.exe\" \"" + log + L"\" 60000");
    ASSERT_TRUE(WaitUntil([&] { return IsHeld(log); }));
    EXPECT_THROW(form->KelvraAdapterCTSChange(nullptr, true), Exception);
    holder.End();
  }
  Pulse(form);
  const auto lines = SplitLines(Read(log));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "0");
  EXPECT_EQ(lines[1].substr(0, 2), "1,");
  EXPECT_EQ(lines[2].substr(0, 2), "2,");
  EXPECT_EQ(form->MemoLog->Lines().Count(), 3);
}

TEST_F(Pulses, TheChosenProgramGetsThePulseText) {
  DeleteFile(exeFolder + L"args.txt");
  Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=250\r\nexecute=1\r\nexecutefile=" +
                                      StringToAnsi(exeFolder + L"record_args.exe") + "\r\n");
  Start();
  Pulse(form);
  const String args = exeFolder + L"args.txt";
  ASSERT_TRUE(WaitUntil([&] { return FileExists(args); }));
  EXPECT_EQ(Read(args), "250");
  DeleteFile(exeFolder + L"args.txt");
}

TEST_F(Pulses, AutostartWritesTheQuotedProgramPathAndHide) {
  Start();
  form->cbAutostartOnBoot->SetChecked(true);
  TRegistry registry(KEY_READ | KEY_WOW64_64KEY);
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKeyReadOnly(L"Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
  EXPECT_EQ(registry.ReadString(L"!KelvraAdapter"), L"\"" + ParamStr(0) + L"\" /hide");
  form->cbAutostartOnBoot->SetChecked(false);
  EXPECT_FALSE(registry.ValueExists(L"!KelvraAdapter"));
}

// Only registry errors are kept quiet: a process that cannot tell whether it
// runs under WOW64 says so in the error display, and writes nothing.
TEST_F(Pulses, AFailingWow64QueryReachesTheErrorDisplayFromTheClick) {
  Start();
  TRegistry registry(KEY_READ | KEY_WOW64_64KEY);
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKeyReadOnly(L"Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
  const bool registered = registry.ValueExists(L"!KelvraAdapter");
  form->QueryWow64 = []() -> bool { throw Exception(L"Bad process handle"); };
  std::vector<String> shown;
  Application->OnException = [&](TObject*, const std::exception& e) {
    shown.push_back(dynamic_cast<const Exception&>(e).Message());
  };
  SendMessageW(form->cbAutostartOnBoot->Handle(), BM_CLICK, 0, 0);  // what a user's click does
  Application->OnException = nullptr;
  EXPECT_EQ(shown, std::vector<String>{L"Bad process handle"});
  EXPECT_EQ(registry.ValueExists(L"!KelvraAdapter"), registered);
}

}  // namespace
