// The component end to end under Wine: COM5 is a pseudo-terminal whose modem
// lines the test sets through the preload library's state file.
#include "framework/Application.h"
#include "tests/serial/lines/line_file.h"
#include "tests/serial/support/port_fixture.h"

#include <atomic>
#include <thread>

namespace {

using Strings = std::vector<std::string>;

class WineLines : public PortFixture {
 protected:
  void SetUp() override {
    PortFixture::SetUp();
    ASSERT_TRUE(Lines.Ok()) << "run through run_with_lines.sh";
    Port->SetCommApi(nullptr);  // the real system
    Port->SetPort(L"COM5");
    // The main window's design values.
    Port->SetBaudRate(br9600);
    Port->Parity().SetBits(prNone);
    Port->SetStopBits(sbOneStopBit);
    Port->SetDataBits(dbEight);
    Port->SetEvents(kAllComEvents);
    Port->FlowControl().SetControlDTR(dtrEnable);
    Port->FlowControl().SetControlRTS(rtsDisable);
    for (auto line : {TLineFile::CTS, TLineFile::DSR, TLineFile::DCD, TLineFile::RI}) Lines.Set(line, false);
    FWake = WakeMainThread;
    WakeMainThread = [this] {
      ++HandOvers;
      if (FWake) FWake();
    };
  }
  void TearDown() override {
    Port.reset();
    WakeMainThread = FWake;  // the port's thread has ended
    PortFixture::TearDown();
  }
  bool SeenCount(size_t n) {
    return WaitUntil([&] { return Seen.size() >= n; });
  }
  // False when the port did not read a level in time.
  bool Pulse() { return Lines.PulseCtsSeen(20, 20); }

  TLineFile Lines;
  std::atomic<int> HandOvers{0};

 private:
  std::function<void()> FWake;
};

TEST_F(WineLines, EachLineGivesItsEventAndState) {
  Lines.Set(TLineFile::CTS, true);
  RecordAll();
  Port->Open();
  EXPECT_EQ(Seen, (Strings{"BeforeOpen", "AfterOpen", "CTS 1", "DSR 0", "RLSD 0"}));
  Seen.clear();
  struct Step {
    TLineFile::TLine line;
    bool on;
    const char* seen;
  };
  const Step steps[] = {{TLineFile::CTS, false, "CTS 0"},  {TLineFile::DSR, true, "DSR 1"},
                        {TLineFile::DCD, true, "RLSD 1"},  {TLineFile::DSR, false, "DSR 0"},
                        {TLineFile::DCD, false, "RLSD 0"}, {TLineFile::RI, true, "Ring"}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.seen);
    const size_t before = Seen.size();
    Lines.Set(s.line, s.on);
    ASSERT_TRUE(SeenCount(before + 1));
    PumpFor(30);
    ASSERT_EQ(Seen.size(), before + 1);
    EXPECT_EQ(Seen.back(), s.seen);
  }
  Seen.clear();
  Port->Close();
  EXPECT_EQ(Seen, (Strings{"CTS 0", "DSR 0", "RLSD 0", "BeforeClose", "AfterClose"}));
}

TEST_F(WineLines, RtsAndDtrReachTheLine) {
  Port->Open();
  EXPECT_TRUE(Lines.Dtr());
  EXPECT_FALSE(Lines.Rts());
  Port->SetRTS(true);
  EXPECT_TRUE(Lines.Rts());
  Port->SetRTS(false);
  EXPECT_FALSE(Lines.Rts());
}

TEST_F(WineLines, WrittenBytesComeBackAsReceivedData) {
  std::atomic<int> count{0};
  Port->OnRxChar = [&](TObject*, int n) { count += n; };
  Port->Open();
  EXPECT_EQ(Port->WriteStr("ping"), 4);
  ASSERT_TRUE(WaitUntil([&] { return count >= 4; }));
  AnsiString got;
  Port->ReadStr(got, 16);
  EXPECT_EQ(got, "ping");
  Port.reset();
}

TEST_F(WineLines, AMissingPortFailsWithCodeOne) {
  TComPort missing(nullptr);
  missing.SetPort(L"COM8");
  try {
    missing.Open();
    ADD_FAILURE() << "opened a port that is not there";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.ErrorCode(), 1);
    EXPECT_STREQ(e.what(), "COM Port Error: Unable to open com port on COM8");
  }
  // Wine lets a device be opened twice whatever the sharing mode, so a busy
  // port is covered on the in-process port only.
}

TEST_F(WineLines, CloseDuringAHandOverDeliversIt) {
  RecordAll();
  Port->Open();
  Seen.clear();
  PumpFor(50);
  const int before = HandOvers;
  Lines.Set(TLineFile::CTS, true);
  while (HandOvers == before) Sleep(1);  // not WaitUntil, which would deliver it
  Port->Close();
  EXPECT_EQ(Seen, (Strings{"CTS 1", "CTS 0", "DSR 0", "RLSD 0", "BeforeClose", "AfterClose"}));
}

TEST_F(WineLines, AnExceptionInAHandlerLosesNoLaterPulse) {
  int rises = 0;
  Port->OnCTSChange = [&](TObject*, bool on) {
    if (on && ++rises == 1) throw Exception(L"first pulse failed");
  };
  Port->Open();
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Pulse());
    PumpFor(20);
  }
  ASSERT_TRUE(WaitUntil([&] { return rises >= 3; }));
  EXPECT_EQ(Errors, (Strings{"first pulse failed"}));
  Port.reset();
}

TEST_F(WineLines, PulsesWhileTheGuiThreadIsBusyAreAllCounted) {
  int rises = 0, falls = 0;
  std::atomic<bool> busy{false}, pulsed{false};
  Port->OnCTSChange = [&](TObject*, bool on) {
    on ? ++rises : ++falls;
    if (on && rises == 1) {
      busy = true;  // as in a file wait or a program start, until the pulses are over
      while (!pulsed) Sleep(1);
    }
  };
  Port->Open();
  rises = falls = 0;
  std::thread pulses([&] {
    Pulse();
    while (!busy) Sleep(1);
    for (int i = 0; i < 10; ++i) Pulse();
    pulsed = true;
  });
  ASSERT_TRUE(WaitUntil([&] { return rises >= 11 && falls >= 11; })) << rises << " rises";
  pulses.join();
  PumpFor(100);
  EXPECT_EQ(rises, 11);
  EXPECT_EQ(falls, 11);
  Port.reset();
}

}  // namespace
