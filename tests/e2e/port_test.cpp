// The validator's port through the real program: blocking through RTS, a
// validator that holds CTS at start, port errors and the choice of port.
#include "tests/e2e/support/program_fixture.h"

namespace {

class Port : public ProgramFixture {
 protected:
  bool PortOpen() { return Lines.Dtr(); }
  bool LogViewHas(const std::string& line) {
    for (const std::string& l : SplitLines(StringToAnsi(window->LogView())))
      if (l == line) return true;
    return false;
  }
};

TEST_F(Port, BlockingHoldsFromTheStartUntilTheBoxIsCleared) {
  Set("totalblocking", "1");
  const uint32_t risesBefore = Lines.RtsRises();
  Start();
  ASSERT_TRUE(PortOpen());
  EXPECT_FALSE(Lines.Rts());
  EXPECT_EQ(Lines.RtsRises(), risesBefore) << "the validator was released during the start";
  EXPECT_TRUE(window->Checked(L"Totalblocking "));

  window->Click(L"Totalblocking ");
  EXPECT_TRUE(Lines.Rts());
  window->Click(L"Totalblocking ");
  EXPECT_FALSE(Lines.Rts());
  Close();
}

TEST_F(Port, WithoutBlockingTheValidatorIsReleasedOnceOpen) {
  Start();
  ASSERT_TRUE(PortOpen());
  EXPECT_TRUE(Lines.Rts());
  Close();
}

TEST_F(Port, AValidatorHoldingCtsAtStartIsNoPayment) {
  Lines.Set(TLineFile::CTS, true);
  Start();
  ASSERT_TRUE(PortOpen());
  Lines.Set(TLineFile::CTS, false);
  Sleep(50);  // the validator's off time: the line shape, not a wait for the program
  Pulse();    // the one real payment
  ASSERT_TRUE(WaitForLogLines(1));
  Close();
  EXPECT_EQ(LogLines().size(), 1u);
  EXPECT_EQ(DataValue("credits"), "1");
  EXPECT_EQ(DataValue("cashid"), "1");
}

TEST_F(Port, APortThatIsNotThereShowsTheErrorAndStaysChosen) {
  Set("comport", "7");  // nothing maps COM7
  Start();
  EXPECT_TRUE(LogViewHas("COM port error!"));
  EXPECT_TRUE(window->Checked(L"Open "));
  EXPECT_FALSE(PortOpen());
  Close();
  EXPECT_EQ(DataValue("poll"), "1");
  EXPECT_FALSE(FileExists(logFile)) << "the error line is for the view only";
}

TEST_F(Port, APortNumberOutsideTheListShowsTheError) {
  for (const char* number : {"0", "999", "-1"}) {
    SCOPED_TRACE(number);
    Set("comport", number);
    Write(logFile, "1,01.01.2026,10:00:00,0,1\r\n");  // the view starts with the log
    Start();
    EXPECT_TRUE(LogViewHas("COM port error!"));
    EXPECT_TRUE(window->Checked(L"Open "));
    EXPECT_FALSE(PortOpen());
    Close();
    EXPECT_EQ(DataValue("poll"), "1");
  }
}

TEST_F(Port, APortErrorInATotalModeShowsNothing) {
  Set("comport", "7");
  Set("logtotalpure", "1");
  Start();
  EXPECT_EQ(window->LogView(), L"");
  Close();
}

TEST_F(Port, ChoosingAnotherPortReopensOnIt) {
  Start();
  ASSERT_TRUE(PortOpen());
  Pulse();
  ASSERT_TRUE(WaitForLogLines(1));

  window->ChooseComPort(7);  // not there: the old port is closed all the same
  EXPECT_TRUE(LogViewHas("COM port error!"));
  EXPECT_EQ(DataValue("comport"), "7");
  Lines.Pulse(TLineFile::CTS, 50, 50);  // nobody listens

  const uint32_t rises = Lines.RtsRises();
  window->ChooseComPort(6);  // the same line under another name
  EXPECT_EQ(Lines.RtsRises(), rises + 1) << "not opened again";
  EXPECT_TRUE(Lines.Rts());
  Pulse();
  ASSERT_TRUE(WaitUntil([&] { return DataValue("cashid") == "2"; }));
  Close();
  EXPECT_EQ(DataValue("comport"), "6");
  EXPECT_EQ(DataValue("credits"), "2");
  EXPECT_EQ(LogLines().size(), 2u);
}

}  // namespace
