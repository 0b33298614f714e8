// Closes at awkward moments through the real program: while the clear is
// being confirmed, by taskkill, and with a settings file that cannot be
// written. None of them may lose payment data or keep the program from ending.
#include "tests/e2e/support/process_windows.h"
#include "tests/e2e/support/program_fixture.h"

namespace {

constexpr wchar_t kTitle[] = L"KELVRA-Adapter";
const std::string kLog = "8,01.01.2026,10:00:00,0,1\r\n9,01.01.2026,10:00:01,0,1\r\n";

enum class TEnding { MainWindowClose, ApplicationWindowClose, SecondCopy };

struct EndingCase {
  const char* name;
  TEnding ending;
};

class ClearConfirmation : public ProgramFixture, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(ClearConfirmation, EndedWithoutOkClearsNothing) {
  Set("credits", "40");
  Set("cashid", "9");
  Write(logFile, kLog);
  Start();
  window->DoubleClickLogView();
  ASSERT_TRUE(WaitForDialog(program->Id(), L"Confirm", 15000)) << "no confirmation";

  std::unique_ptr<TChildProcess> second;
  switch (GetParam().ending) {
    case TEnding::MainWindowClose:
      PostMessageW(window->Form(), WM_CLOSE, 0, 0);
      break;
    case TEnding::ApplicationWindowClose:
      PostMessageW(ApplicationWindow(program->Id(), kTitle), WM_CLOSE, 0, 0);
      break;
    case TEnding::SecondCopy:
      second = std::make_unique<TChildProcess>(L"\"" + TChildProcess::ProgramPath() + L"\"");
      break;
  }
  ASSERT_TRUE(program->WaitForExit(30000)) << "the program did not close";
  window.reset();
  EXPECT_EQ(DataValue("credits"), "40");
  EXPECT_EQ(DataValue("cashid"), "9");
  EXPECT_EQ(Read(logFile), kLog);

  if (second) {
    // The second copy goes on with what the first one kept.
    HWND form = TMainWindow::WaitForForm(second->Id(), 30000);
    ASSERT_TRUE(form) << "the second copy did not start";
    PostMessageW(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(second->WaitForExit(30000));
    EXPECT_EQ(DataValue("credits"), "40");
    EXPECT_EQ(DataValue("cashid"), "9");
  }
}

INSTANTIATE_TEST_SUITE_P(Endings, ClearConfirmation,
                         ::testing::Values(EndingCase{"MainWindowClose", TEnding::MainWindowClose},
                                           EndingCase{"ApplicationWindowClose", TEnding::ApplicationWindowClose},
                                           EndingCase{"SecondCopy", TEnding::SecondCopy}),
                         [](const auto& info) { return std::string(info.param.name); });

using Taskkill = ProgramFixture;

TEST_F(Taskkill, KeepsEverySetting) {
  // COM6 leads to the same line as COM5: the port opens, and it is not the first in the list.
  Set("comport", "6");
  Set("channel1", "3");
  Set("totalblocking", "1");
  Set("playsound", "1");
  Set("credits", "12");
  Set("cashid", "4");
  Set("pass", "4321");
  Start();
  ASSERT_TRUE(Lines.Dtr()) << "the port did not open";
  CloseEveryWindow(program->Id());
  ASSERT_TRUE(program->WaitForExit(30000)) << "the program did not close";
  window.reset();
  const std::pair<const char*, const char*> kept[] = {
      {"comport", "6"},   {"channel1", "3"}, {"poll", "1"},   {"totalblocking", "1"},
      {"playsound", "1"}, {"credits", "12"}, {"cashid", "4"}, {"pass", "4321"},
  };
  for (const auto& [key, value] : kept) EXPECT_EQ(DataValue(key), value) << key;
}

// data.txt read-only: the program starts without waiting for it, tells once
// that it cannot save, and ends when asked.
class ReadOnlySettings : public ProgramFixture {
 protected:
  void StartReadOnly() {
    Set("credits", "40");
    WriteSettings();
    before = Read(dataFolder + L"data.txt");
    SetFileAttributesW((dataFolder + L"data.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    const ULONGLONG start = GetTickCount64();
    Launch();
    // Waiting for a read-only file to come free takes 5 s a time, three times
    // over; the start itself takes far less, however busy the machine.
    EXPECT_LT(GetTickCount64() - start, 10000u) << "the start waited for the read-only file";
  }
  std::string before;
};

TEST_F(ReadOnlySettings, CloseTellsOnceAndEnds) {
  StartReadOnly();
  PostMessageW(window->Form(), WM_CLOSE, 0, 0);
  HWND box = WaitForDialog(program->Id(), L"Error", 30000);
  ASSERT_TRUE(box) << "the failed save was not told";
  EXPECT_NE(DialogText(box).find(L"data.txt"), String::npos) << StringToUtf8(DialogText(box));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(program->WaitForExit(30000)) << "the program did not close";
  window.reset();
  EXPECT_EQ(Read(dataFolder + L"data.txt"), before);
}

TEST_F(ReadOnlySettings, TaskkillEndsItWithoutAnAnswer) {
  StartReadOnly();
  CloseEveryWindow(program->Id());
  ASSERT_TRUE(program->WaitForExit(30000)) << "the program did not close";
  window.reset();
}

}  // namespace
