// The event thread and the delivery of line changes, data and errors, on the
// in-process port.
#include "tests/serial/support/port_fixture.h"

#include "framework/Application.h"

#include <atomic>
#include <thread>

namespace {

using Strings = std::vector<std::string>;

class ComEvents : public PortFixture {
 protected:
  void OpenRecording() {
    RecordAll();
    Port->Open();
    Seen.clear();
    ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
  }
  bool SeenCount(size_t n) {
    return WaitUntil([&] { return Seen.size() >= n; });
  }
};

TEST_F(ComEvents, EachLineReportsItsOwnEventWithTheStateAtTheEdge) {
  OpenRecording();
  Fake.SetLines(MS_CTS_ON);
  ASSERT_TRUE(SeenCount(1));
  Fake.SetLines(MS_CTS_ON | MS_DSR_ON);
  ASSERT_TRUE(SeenCount(2));
  Fake.SetLines(MS_CTS_ON | MS_DSR_ON | MS_RLSD_ON);
  ASSERT_TRUE(SeenCount(3));
  Fake.SetLines(MS_RING_ON);  // ring on, the others fall in the same wake-up
  ASSERT_TRUE(SeenCount(7));
  EXPECT_EQ(Seen, (Strings{"CTS 1", "DSR 1", "RLSD 1", "Ring", "CTS 0", "DSR 0", "RLSD 0"}));
}

TEST_F(ComEvents, OneWakeUpDeliversInTheFixedOrder) {
  OpenRecording();
  Fake.Fire(EV_RX80FULL | EV_RLSD | EV_RXFLAG | EV_DSR | EV_CTS | EV_RING | EV_BREAK | EV_TXEMPTY | EV_ERR);
  // Unchanged lines mean a pulse came and went: its first edge comes first.
  ASSERT_TRUE(SeenCount(11));
  PumpFor(50);
  EXPECT_EQ(Seen, (Strings{"CTS 1", "DSR 1", "RLSD 1", "TxEmpty", "Break", "Ring", "CTS 0", "DSR 0", "RxFlag", "RLSD 0",
                           "Rx80Full"}));
}

TEST_F(ComEvents, ErrorComesBeforeTheLineChangeOfTheSameWakeUp) {
  OpenRecording();
  Fake.SetLineErrors(CE_FRAME, false);
  Fake.SetLinesQuietly(MS_CTS_ON);
  Fake.Fire(EV_ERR | EV_CTS);
  ASSERT_TRUE(SeenCount(2));
  EXPECT_EQ(Seen, (Strings{"Error " + std::to_string(ceFrame), "CTS 1"}));
  Fake.Fire(EV_ERR);  // no error bit left: OnError stays quiet
  PumpFor(30);
  EXPECT_EQ(Seen.size(), 2u);
}

TEST_F(ComEvents, LineErrorsAndReceivedData) {
  OpenRecording();
  Fake.SetLineErrors(CE_FRAME | CE_OVERRUN | CE_RXPARITY);
  ASSERT_TRUE(SeenCount(1));
  EXPECT_EQ(Seen.back(), "Error " + std::to_string(ceFrame | ceOverrun));  // parity only while checked
  Port->Parity().SetCheck(true);
  Fake.SetLineErrors(CE_RXPARITY | CE_BREAK);
  ASSERT_TRUE(SeenCount(2));
  EXPECT_EQ(Seen.back(), "Error " + std::to_string(ceRxParity | ceBreak));

  Fake.Receive("hello");
  ASSERT_TRUE(SeenCount(3));
  EXPECT_EQ(Seen.back(), "RxChar 5");
  AnsiString got;
  EXPECT_EQ(Port->ReadStr(got, 16), 5);  // the bytes waited for the handler
  EXPECT_EQ(got, "hello");
}

TEST_F(ComEvents, APulseThatRoseAndFellBeforeItWasReadIsStillOnePulse) {
  OpenRecording();
  Fake.Fire(EV_CTS);  // the line is low again by the time it is read
  ASSERT_TRUE(SeenCount(2));
  PumpFor(30);
  EXPECT_EQ(Seen, (Strings{"CTS 1", "CTS 0"}));
}

TEST_F(ComEvents, PulsesWhileTheGuiThreadIsBusyAreAllCountedInOrderAndNeverNested) {
  RecordAll();
  int depth = 0, maxDepth = 0, rises = 0;
  Strings order;
  Port->OnCTSChange = [&](TObject*, bool on) {
    maxDepth = std::max(maxDepth, ++depth);
    order.push_back(on ? "1" : "0");
    if (on && ++rises == 1) PumpFor(300);  // a handler that dispatches inside a wait
    --depth;
  };
  Port->Open();
  ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
  order.clear();
  // Ten pulses while the GUI thread does nothing, then served.
  std::thread driver([&] {
    for (int i = 0; i < 10; ++i) {
      Fake.SetLines(MS_CTS_ON);
      while (!Fake.WaitPending()) Sleep(1);
      Fake.SetLines(0);
      while (!Fake.WaitPending()) Sleep(1);
    }
  });
  driver.join();  // all of them happened before any handler ran
  ASSERT_TRUE(WaitUntil([&] { return order.size() >= 20; }));
  PumpFor(50);
  EXPECT_EQ(rises, 10);
  EXPECT_EQ(maxDepth, 1);
  ASSERT_EQ(order.size(), 20u);
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i % 2 ? "0" : "1") << i;
  Port.reset();  // its closing reports would reach the handler's dead locals
}

TEST_F(ComEvents, RiseWaitingTellsWhetherAHandedOverWakeUpCarriesARise) {
  std::vector<bool> waiting;  // what each handler call was told
  Port->OnCTSChange = [&](TObject*, bool) { waiting.push_back(Port->RiseWaiting(csCTS)); };
  Port->Open();
  ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
  waiting.clear();
  EXPECT_FALSE(Port->RiseWaiting(csCTS));
  // Two pulses handed over while the GUI thread does nothing.
  for (int i = 0; i < 2; ++i) {
    Fake.SetLines(MS_CTS_ON);
    while (!Fake.WaitPending()) Sleep(1);
    EXPECT_TRUE(Port->RiseWaiting(csCTS));
    EXPECT_FALSE(Port->RiseWaiting(csDSR));
    Fake.SetLines(0);
    while (!Fake.WaitPending()) Sleep(1);
  }
  ASSERT_TRUE(WaitUntil([&] { return waiting.size() >= 4; }));
  // Rise, fall, rise, fall: only the first two have a rise after them.
  EXPECT_EQ(waiting, (std::vector<bool>{true, true, false, false}));
  EXPECT_FALSE(Port->RiseWaiting(csCTS));
  Port->OnCTSChange = nullptr;  // the closing reports would ask a port going away
}

TEST_F(ComEvents, CloseDeliversWhatWasHandedOverBeforeTheClosingReports) {
  OpenRecording();
  Fake.SetLines(MS_CTS_ON);
  // Not WaitUntil, which would deliver it. Armed again, the thread has handed
  // the edge over; the GUI thread has not served it.
  while (!Fake.WaitPending()) Sleep(1);
  EXPECT_TRUE(Seen.empty());
  Port->Close();
  EXPECT_EQ(Seen, (Strings{"CTS 1", "CTS 0", "DSR 0", "RLSD 0", "BeforeClose", "AfterClose"}));
  Seen.clear();
  PumpFor(50);
  EXPECT_TRUE(Seen.empty());  // nothing after Close returned
  EXPECT_FALSE(Fake.IsOpen());
}

TEST_F(ComEvents, CloseFromInsideAHandlerEndsTheThreadAndDeliversTheRest) {
  RecordAll();
  int calls = 0;
  Port->OnCTSChange = [&](TObject*, bool on) {
    Seen.push_back(on ? "CTS 1" : "CTS 0");
    if (on && ++calls == 1) {
      Fake.SetLines(0);
      ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));  // the fall is handed over
      Port->Close();
    }
  };
  Port->Open();
  Seen.clear();
  ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
  Fake.SetLines(MS_CTS_ON);
  ASSERT_TRUE(WaitUntil([&] { return !Port->Connected(); }));
  EXPECT_EQ(Seen, (Strings{"CTS 1", "CTS 0", "CTS 0", "DSR 0", "RLSD 0", "BeforeClose", "AfterClose"}));
}

class ComEventsBySync : public ComEvents, public testing::WithParamInterface<TSyncMethod> {};

TEST_P(ComEventsBySync, AnExceptionInAHandlerIsShownAndDeliveryGoesOn) {
  Port->SetSyncMethod(GetParam());
  std::atomic<int> rises{0};
  Port->OnCTSChange = [&](TObject*, bool on) {
    if (on && ++rises == 1) throw Exception(L"handler failed");
  };
  Port->Open();
  ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
  for (int i = 0; i < 2; ++i) {
    Fake.SetLines(MS_CTS_ON);
    ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
    Fake.SetLines(0);
    ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
  }
  ASSERT_TRUE(WaitUntil([&] { return rises == 2 && !Errors.empty(); }));
  EXPECT_EQ(Errors, (Strings{"handler failed"}));
  Port.reset();
}

TEST_P(ComEventsBySync, AFailingWaitIsReportedOnceAndDoesNotSpin) {
  Port->SetSyncMethod(GetParam());
  Fake.WaitError = ERROR_DEVICE_NOT_CONNECTED;
  Port->Open();
  ASSERT_TRUE(WaitUntil([&] { return !Errors.empty(); }));
  PumpFor(100);
  EXPECT_EQ(Fake.WaitCalls(), 1);
  EXPECT_TRUE(Port->Failed());
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], "COM Port Error: WaitForEvent method failed on COM1");
  Port->Close();
  Fake.WaitError = 0;
  Port->Open();
  EXPECT_FALSE(Port->Failed());
}

std::string SyncName(const testing::TestParamInfo<TSyncMethod>& info) {
  static const char* const kNames[] = {"ThreadSync", "WindowSync", "None", "Disabled"};
  return kNames[info.param];
}
INSTANTIATE_TEST_SUITE_P(Sync, ComEventsBySync, testing::Values(smThreadSync, smWindowSync, smNone), SyncName);

TEST_F(ComEvents, WindowSyncCarriesEachEventAsItsOwnMessage) {
  Port->SetSyncMethod(smWindowSync);
  OpenRecording();
  Fake.SetLines(MS_RLSD_ON | MS_RING_ON);
  ASSERT_TRUE(SeenCount(2));
  PumpFor(30);
  EXPECT_EQ(Seen, (Strings{"Ring", "RLSD 1"}));
}

TEST_F(ComEvents, DisabledEventsAreConsumedAndNotDelivered) {
  Port->SetSyncMethod(smDisableEvents);
  OpenRecording();
  Fake.SetLines(MS_CTS_ON);
  ASSERT_TRUE(WaitUntil([&] { return Fake.WaitCalls() >= 2; }));
  PumpFor(30);
  EXPECT_TRUE(Seen.empty());
}

TEST_F(ComEvents, AnEmptyEventSetRunsNoThread) {
  Port->SetEvents(0);
  RecordAll();
  Port->Open();
  Fake.SetLines(MS_CTS_ON);
  PumpFor(30);
  EXPECT_EQ(Fake.WaitCalls(), 0);
  EXPECT_EQ(Seen, (Strings{"BeforeOpen", "AfterOpen", "CTS 0", "DSR 0", "RLSD 0"}));
}

TEST_F(ComEvents, StoppingClearsTheMaskSoAPendingWaitEnds) {
  OpenRecording();
  EXPECT_EQ(Fake.Mask(), DWORD(EV_RXCHAR | EV_TXEMPTY | EV_RXFLAG | EV_RING | EV_BREAK | EV_CTS | EV_DSR | EV_ERR |
                               EV_RLSD | EV_RX80FULL));
  Port->Close();  // would hang here if the pending wait were not ended
  EXPECT_EQ(Fake.Mask(), 0u);
  EXPECT_FALSE(Fake.WaitPending());
}

}  // namespace
