// Line edges around the event thread's reads and waits, on both kinds of
// driver: Windows' keeps a history of the edges that came while no wait was
// pending and the next wait completes with it at once; Wine's takes a
// snapshot of the lines when a wait is armed and ends the wait at the poll
// that finds them different. Every rise a status read saw counts once, and
// none counts that never came: a phantom rise is a payment never made.
#include "tests/serial/support/port_fixture.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <random>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

constexpr DWORD kSame = ~DWORD(0);  // a move that leaves the lines alone

enum TWhen {
  kRead,     // on the event thread, before its Nth status read
  kArm,      // on the event thread, before it arms its Nth wait
  kWaiting,  // from the test, while the Nth wait is pending (0: the first)
};

struct TMove {
  TWhen When;
  int Nth;
  DWORD Lines = kSame;
  bool Poll = false;  // then a poll of a snapshot wait
  DWORD Fire = 0;     // then these events
};

struct TEdgeCase {
  const char* Name;
  bool Snapshot;  // Wine's waits
  std::vector<TMove> Moves;
  Strings Expected;  // before the closing "RxFlag" the test fires
};

constexpr DWORD C = MS_CTS_ON, D = MS_DSR_ON, R = MS_RLSD_ON, G = MS_RING_ON;

const TEdgeCase kEdgeCases[] = {
    // Read 1 is the wake-up's own, read 2 the look before the next arming.
    {"TheWakeUpsReadFindsAnEdgeWhoseEventComesBackAtOnce",
     false,
     {{kWaiting, 0, D}, {kRead, 2, D | R}, {kRead, 3, G}},
     {"DSR 1", "RLSD 1", "Ring", "DSR 0", "RLSD 0"}},
    {"TheSecondEdgeOfAPulseWaitsInTheHistory", false, {{kWaiting, 0, C}, {kRead, 1, 0}}, {"CTS 1", "CTS 0"}},
    {"AnEdgeInTheHistorySeenByTheLook",
     false,
     {{kWaiting, 0, kSame, false, EV_BREAK}, {kRead, 2, C}},
     {"Break", "CTS 1"}},
    {"AnEdgeInTheHistoryAfterTheLook",
     false,
     {{kWaiting, 0, kSame, false, EV_BREAK}, {kArm, 1, C}},
     {"Break", "CTS 1"}},
    {"AWholePulseInTheHistoryNoReadSaw",
     false,
     {{kWaiting, 0, kSame, false, EV_BREAK}, {kArm, 1, C}, {kArm, 1, 0}},
     {"Break", "CTS 1", "CTS 0"}},
    // The history cannot tell the look's rise from a whole pulse after it
    // that no read saw: the pulse is not counted rather than the rise twice.
    {"ARiseSeenByTheLookAndAPulseNoReadSaw",
     false,
     {{kWaiting, 0, kSame, false, EV_BREAK}, {kRead, 2, C}, {kArm, 1, 0}, {kArm, 1, C}},
     {"Break", "CTS 1"}},
    // The rise ends the wait just armed; the line falls, with a ring, before
    // the thread reads: both events come back from the history.
    {"AnEdgeReportedBetweenWaitsIsNotReportedAgainWhenItsEventComesLate",
     false,
     {{kWaiting, 0, kSame, false, EV_TXEMPTY}, {kWaiting, 1, R}, {kRead, 4, G}},
     {"TxEmpty", "RLSD 1", "Ring", "RLSD 0"}},
    // Read 3 is the check after arming a wait left pending. The edge it finds
    // ends the wait on Windows' driver; that event is the same edge.
    {"AnEdgeBetweenArmingAndTheCheck",
     false,
     {{kWaiting, 0, kSame, false, EV_BREAK}, {kRead, 3, C}},
     {"Break", "CTS 1"}},
    // The snapshot takes a rise the look did not see: the check finds it, and
    // the wait is armed afresh, so that the fall is one edge of its own.
    {"SnapshotTakesAnEdgeAfterTheLook",
     true,
     {{kWaiting, 0, kSame, false, EV_BREAK}, {kArm, 1, C}, {kWaiting, 2, kSame, true}, {kWaiting, 2, 0, true}},
     {"Break", "CTS 1", "CTS 0"}},
    {"SnapshotTakesARiseAndAPulseFollows",
     true,
     {{kWaiting, 0, kSame, false, EV_BREAK}, {kArm, 1, C}, {kWaiting, 2, 0, true}, {kRead, 6, C}},
     {"Break", "CTS 1", "CTS 0", "CTS 1"}},
    {"SnapshotRiseSeenByTheLookThenAPulseInTheWait",
     true,
     {{kWaiting, 0, kSame, false, EV_BREAK}, {kRead, 2, C}, {kWaiting, 1, 0, true}, {kRead, 4, C}},
     {"Break", "CTS 1", "CTS 0", "CTS 1"}},
    {"SnapshotPulseWithinOneWait", true, {{kWaiting, 0, C, true}, {kRead, 1, 0}}, {"CTS 1", "CTS 0"}},
    {"SnapshotPulseNoPollSaw", true, {{kWaiting, 0, C}, {kWaiting, 0, 0, true}}, {}},
    {"SnapshotEdgesOfSeveralLinesInOneWait",
     true,
     {{kWaiting, 0, C | R, true}, {kRead, 1, R | G}, {kRead, 2, D | R}},
     {"CTS 1", "Ring", "CTS 0", "RLSD 1", "DSR 1"}},
};

bool Delivered(const Strings& seen, const char* what) {
  return std::find(seen.begin(), seen.end(), what) != seen.end();
}

void PrintTo(const TEdgeCase& c, std::ostream* os) { *os << c.Name; }

class ComEdges : public PortFixture, public testing::WithParamInterface<TEdgeCase> {
 protected:
  void Apply(const TMove& m) {
    if (m.Lines != kSame) Fake.SetLines(m.Lines);
    if (m.Poll) Fake.Poll();
    if (m.Fire) Fake.Fire(m.Fire);
  }
};

TEST_P(ComEdges, EveryRiseAReadSawCountsOnce) {
  const TEdgeCase& c = GetParam();
  Fake.SnapshotWaits = c.Snapshot;
  RecordAll();
  // The hooks are in place before the thread starts: it calls them unlocked.
  // They count from the first wait left pending, when the thread stands still.
  std::atomic<bool> go{false};
  std::atomic<int> reads{0}, arms{0}, waits{-1}, applied{0};
  const auto onThread = [&](TWhen when, int nth) {
    for (const TMove& m : c.Moves)
      if (m.When == when && m.Nth == nth) {
        Apply(m);
        ++applied;
      }
  };
  Fake.BeforeModemRead = [&] {
    if (go) onThread(kRead, ++reads);
  };
  Fake.BeforeArm = [&] {
    if (go) onThread(kArm, ++arms);
  };
  Fake.AfterArm = [&] { ++waits; };
  Port->Open();
  ASSERT_TRUE(WaitUntil([&] { return waits == 0 && Fake.WaitPending(); }));
  Seen.clear();
  go = true;
  for (const TMove& m : c.Moves) {
    if (m.When != kWaiting) continue;
    ASSERT_TRUE(WaitUntil([&] { return waits == m.Nth && Fake.WaitPending(); })) << "wait " << m.Nth;
    Apply(m);
    ++applied;
  }
  ASSERT_TRUE(WaitUntil([&] { return Fake.Settled(); }));
  EXPECT_EQ(applied, int(c.Moves.size())) << "a move the thread never came to";
  // Whatever the thread still holds comes with the wake-up of this event.
  Fake.Fire(EV_RXFLAG);
  ASSERT_TRUE(WaitUntil([&] { return Delivered(Seen, "RxFlag"); }));
  Seen.erase(std::find(Seen.begin(), Seen.end(), "RxFlag"));
  EXPECT_EQ(Seen, c.Expected);
  Port.reset();  // before the hooks' locals go
}

INSTANTIATE_TEST_SUITE_P(Orders, ComEdges, testing::ValuesIn(kEdgeCases),
                         [](const testing::TestParamInfo<TEdgeCase>& info) { return info.param.Name; });

// Random edges at every point of the thread's round, on both drivers: what
// the handlers are told must add up to the lines as they moved.
class ComEdgeSequences : public PortFixture {};

struct TLineTally {
  int Rises = 0;  // made on the fake
  int Seen = 0;   // found by a status read after one that found the line off
  int Counted = 0;
  bool Alternates = true;
  bool Last = false;  // as last reported
};

TEST_F(ComEdgeSequences, NoSequenceGivesAPhantomOrADoubleCount) {
  RecordAll();
  const struct {
    DWORD Bit;
    const char* Name;
  } lines[] = {{MS_CTS_ON, "CTS"}, {MS_RLSD_ON, "RLSD"}};
  for (unsigned seed = 1; seed <= 160; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const bool snapshot = seed % 2;
    Fake.SnapshotWaits = snapshot;
    Fake.SetLinesQuietly(0);
    const size_t readsBefore = Fake.StatusReads().size();
    Port->Open();
    ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
    Seen.clear();

    std::mutex movesLock;  // the thread's moves and the test's own
    DWORD level = 0;
    int edges = 0;
    TLineTally tally[2];
    const auto toggle = [&](DWORD bits) {
      const DWORD next = level ^ bits;
      for (int i = 0; i < 2; ++i)
        if ((next & ~level) & lines[i].Bit) ++tally[i].Rises;
      level = next;
      ++edges;
      Fake.SetLines(level);
    };
    constexpr int kEdges = 14;
    // Nothing, one line, both lines, or a whole pulse on one.
    const auto move = [&](std::minstd_rand& rng) {
      std::lock_guard<std::mutex> lock(movesLock);
      if (edges >= kEdges) return;
      switch (rng() % 8) {
        case 0:
          toggle(C);
          break;
        case 1:
          toggle(R);
          break;
        case 2:
          toggle(C | R);
          break;
        case 3:
          toggle(C);
          toggle(C);
          break;
        default:
          break;
      }
    };
    std::minstd_rand threadRng(seed * 2 + 1), testRng(seed * 2);
    Fake.BeforeModemRead = [&] { move(threadRng); };
    Fake.BeforeArm = [&] { move(threadRng); };
    for (int round = 0; round < 200; ++round) {
      {
        std::lock_guard<std::mutex> lock(movesLock);
        if (edges >= kEdges) break;
      }
      ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
      move(testRng);
      if (snapshot && testRng() % 3) Fake.Poll();
    }
    // Let every change be polled, then make the thread read the lines once more.
    ASSERT_TRUE(WaitUntil([&] {
      if (Fake.Settled()) return true;
      Fake.Poll();
      return false;
    }));
    Fake.Fire(EV_RXFLAG);
    ASSERT_TRUE(WaitUntil([&] { return Delivered(Seen, "RxFlag") && Fake.Settled(); }));
    Fake.BeforeModemRead = nullptr;  // the thread stands in its wait: it calls no hook
    Fake.BeforeArm = nullptr;
    const Strings told = Seen;  // the closing reports are not the lines' doing
    Port->Close();

    const std::vector<DWORD> reads = Fake.StatusReads();
    for (int i = 0; i < 2; ++i) {
      TLineTally& t = tally[i];
      bool was = false;
      for (size_t r = readsBefore; r < reads.size(); ++r) {
        const bool on = reads[r] & lines[i].Bit;
        if (on && !was) ++t.Seen;
        was = on;
      }
      const std::string on = std::string(lines[i].Name) + " 1", off = std::string(lines[i].Name) + " 0";
      for (const std::string& s : told) {
        if (s != on && s != off) continue;
        const bool now = s == on;
        if (now == t.Last) t.Alternates = false;
        t.Last = now;
        if (now) ++t.Counted;
      }
      SCOPED_TRACE(lines[i].Name);
      EXPECT_TRUE(t.Alternates);
      EXPECT_EQ(t.Last, bool(level & lines[i].Bit)) << "the thread lost where the line stands";
      EXPECT_LE(t.Counted, t.Rises) << "a phantom or a double count";
      EXPECT_GE(t.Counted, t.Seen) << "a rise a read saw was not counted";
    }
    if (HasFailure()) break;
  }
}

// Wine ends a wait whose mask changed only at its next poll, and that poll
// first reports what it finds against the wait's snapshot. The thread ends a
// wait so when it cannot know which level the snapshot holds; a pulse that
// comes before that last poll may then end the wait, and be gone by the time
// the thread reads the lines: only reads of its own can tell it was there.
class ComWaitEndingAtPoll : public PortFixture {};

TEST_F(ComWaitEndingAtPoll, APulseBeforeTheLastPollIsCounted) {
  Fake.SnapshotWaits = true;
  Fake.MaskEndsAtPoll = true;
  RecordAll();
  std::atomic<int> arms{0};
  // The line falls between the thread's look and the second wait's snapshot.
  Fake.BeforeArm = [&] {
    if (++arms == 2) Fake.SetLines(0);
  };
  Port->Open();
  ASSERT_TRUE(WaitUntil([&] { return Fake.WaitPending(); }));
  Seen.clear();
  Fake.SetLines(C);
  Fake.Poll();
  ASSERT_TRUE(WaitUntil([&] { return Seen == Strings{"CTS 1", "CTS 0"}; }));

  // The wait ended for that fall is still pending; a pulse comes, held until
  // a status read of the thread found it, and the wait's last poll sees it.
  const size_t readsBefore = Fake.StatusReads().size();
  Fake.SetLines(C);
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<DWORD> reads = Fake.StatusReads();
    return std::find(reads.begin() + readsBefore, reads.end(), C) != reads.end();
  })) << "no read of the thread saw the pulse";
  Fake.Poll();
  Fake.SetLines(0);
  // The fall may come while the thread arms its next wait: it ends that one
  // too, and a poll then has to end it.
  ASSERT_TRUE(WaitUntil([&] {
    if (Fake.Settled()) return true;
    Fake.Poll();
    return false;
  }));
  Fake.Fire(EV_RXFLAG);
  ASSERT_TRUE(WaitUntil([&] { return Delivered(Seen, "RxFlag"); }));
  Seen.erase(std::find(Seen.begin(), Seen.end(), "RxFlag"));
  EXPECT_EQ(Seen, (Strings{"CTS 1", "CTS 0", "CTS 1", "CTS 0"}));
  Fake.MaskEndsAtPoll = false;
  Port.reset();  // before the hook's locals go
}

}  // namespace
