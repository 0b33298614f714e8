// The hot key library's timer pool: logical timers on one window timer,
// each firing on every divisor-th tick until its repeat limit.
#include "framework/Application.h"
#include "hotkey/HkTimerPool.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TimerPool : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override { pool.SetMinInterval(5); }
  void TearDown() override { Application->OnException = nullptr; }

  THkTimerPool pool{nullptr};
  std::vector<std::string> fired;
};

}  // namespace

TEST_F(TimerPool, EachTimerFiresOnItsTicksUntilItsLimitThenThePoolStops) {
  struct Timer {
    uint16_t divisor;
    int32_t limit;
    bool plain;
  };
  // Tick 1: a; 2: a, b; 3: a (its last); 4: b (its last), and the pool stops.
  const Timer timers[] = {{1, 3, true}, {2, 2, false}};
  pool.OnTimer = [&](TObject* sender, uint16_t ident, int32_t counter) {
    EXPECT_EQ(sender, &pool);
    fired.push_back("b" + std::to_string(ident) + ":" + std::to_string(counter));
  };
  uint16_t idents[2];
  for (int i = 0; i < 2; ++i)
    idents[i] = pool.AddTimer(timers[i].divisor, timers[i].limit,
                              timers[i].plain ? std::function<void()>([&] { fired.push_back("a"); }) : nullptr);
  ASSERT_TRUE(pool.Active());
  ASSERT_TRUE(WaitUntil([&] { return !pool.Active(); }));
  const std::string b = "b" + std::to_string(idents[1]);
  EXPECT_EQ(fired, (std::vector<std::string>{"a", "a", b + ":1", "a", b + ":2"}));
  EXPECT_EQ(pool.ActiveTimerCount(), 0);
}

TEST_F(TimerPool, RunsOnlyWhileATimerIsEnabled) {
  pool.UpdateMainTimer(true);
  EXPECT_FALSE(pool.Active());  // nothing to run: no window timer
  const uint16_t id = pool.AddTimer(1, 0, [&] { fired.push_back("t"); });
  EXPECT_TRUE(pool.Active());
  pool.EnableTimer(id, false);
  EXPECT_FALSE(pool.Active());
  pool.EnableTimer(id, true);
  ASSERT_TRUE(WaitUntil([&] { return fired.size() >= 2; }));
  pool.Clear();
  EXPECT_FALSE(pool.Active());
  EXPECT_EQ(pool.ActiveTimerCount(), 0);
}

TEST_F(TimerPool, AFailingCallbackReachesTheErrorDisplayAndThePoolGoesOn) {
  std::vector<std::string> shown;
  Application->OnException = [&](TObject* sender, const std::exception& e) {
    EXPECT_EQ(sender, &pool);
    shown.push_back(e.what());
  };
  pool.AddTimer(1, 2, [&] {
    fired.push_back("t");
    if (fired.size() == 1) throw Exception(L"callback failed");
  });
  ASSERT_TRUE(WaitUntil([&] { return !pool.Active(); }));
  EXPECT_EQ(fired.size(), 2u);
  EXPECT_EQ(shown, std::vector<std::string>{"callback failed"});
}

TEST_F(TimerPool, TicksThatArriveInsideACallbackAreNotHandledThere) {
  int depth = 0, deepest = 0;
  bool tickInside = false;
  pool.AddTimer(1, 3, [&] {
    deepest = std::max(deepest, ++depth);
    if (!tickInside) {
      // Wait inside the callback until the next tick has been dispatched.
      const ULONGLONG end = GetTickCount64() + 20000;
      MSG m;
      while (!tickInside && GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_TIMER);
        while (PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
          DispatchMessageW(&m);
          tickInside = true;
        }
      }
    }
    fired.push_back("t");
    --depth;
  });
  ASSERT_TRUE(WaitUntil([&] { return !pool.Active(); }));
  EXPECT_TRUE(tickInside);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(fired.size(), 3u);
}
