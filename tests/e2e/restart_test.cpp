// kelvra.exe killed while payments arrive, then started again: the log is the
// journal of payments, so no id is handed out twice and the credits follow it.
#include "framework/FileSearch.h"
#include "tests/e2e/support/program_fixture.h"

#include <stop_token>
#include <thread>

namespace {

class Restarts : public ProgramFixture {
 protected:
  void TearDown() override {
    ProgramFixture::TearDown();
    // A save the kill cut short leaves its temporary file behind.
    TSearchRec found;
    for (int r = FindFirst(dataFolder + L"~kv*.tmp", faAnyFile, found); r == 0; r = FindNext(found))
      DeleteFile(dataFolder + found.Name);
  }
  size_t LogLineCount() const {
    try {
      return SplitLines(Read(logFile)).size();
    } catch (const std::exception&) {
      return 0;  // not made yet
    }
  }
};

TEST_F(Restarts, AProgramKilledWhilePaymentsArriveHandsNoIdOutTwice) {
  Set("channel1", "5");
  WriteSettings();
  // The validator: 5 ms on, 5 ms off, whether or not the program listens.
  std::jthread validator([&](std::stop_token stop) {
    while (!stop.stop_requested()) Lines.Pulse(TLineFile::CTS, 5, 5);
  });
  constexpr int kKills = 12;
  for (int kill = 0; kill < kKills; ++kill) {
    Launch();
    // Killed just as the log grew: most often before data.txt got the
    // payments, the moment a kill does harm.
    const size_t before = LogLineCount();
    ASSERT_TRUE(WaitUntil([&] { return LogLineCount() > before; })) << "kill " << kill;
    program->End();
    ASSERT_TRUE(program->WaitForExit(kPatienceMs));
    window.reset();
  }
  validator.request_stop();
  validator.join();
  Launch();
  Close();

  const std::vector<std::string> lines = LogLines();
  ASSERT_GE(lines.size(), size_t(kKills));
  for (size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(lines[i].substr(0, lines[i].find(',')), std::to_string(i + 1));
  EXPECT_EQ(DataValue("cashid"), std::to_string(lines.size()));
  EXPECT_EQ(DataValue("credits"), std::to_string(5 * lines.size()));
}

}  // namespace
