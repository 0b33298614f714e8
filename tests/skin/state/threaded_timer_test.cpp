// The animation timer: how a run is laid out from the level it starts at,
// that it ticks and ends, and that it goes with what owns or animates it.
#include "framework/Application.h"
#include "skin/state/CommonData.h"
#include "skin/state/ThreadedTimer.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

class ThreadedTimerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
};

int gSteps = 0;
bool CountStep(TsCommonData*, int) {
  ++gSteps;
  return true;
}

TEST_F(ThreadedTimerTest, RunIsLaidOutFromItsStartLevel) {
  struct Case {
    const char* what;
    int previousState;
    double level;
    int kind;
    bool fast;
    int stepCount, step;
  } cases[] = {
      {"fade out from idle at 0", -1, 0, 1, false, 6, 0},
      {"fade out from idle at 255", -1, 255, 1, false, 1, 6},
      {"fade out after a fade out", 1, 100, 1, false, 6, 0},
      {"fast fade out is not shorter", -1, 0, 1, true, 6, 0},
      {"fade in from idle", -1, 200, 0, false, 18, 0},
      {"fast fade in", -1, 200, 0, true, 9, 0},
      {"fade in reverses a fade out", 1, 127.5, 0, false, 18, 9},
      {"level above the range", -1, 300, 1, false, 1, 6},
      {"level below the range", -1, -5, 1, false, 6, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TacThreadedTimer t(nullptr, false);
    t.State = c.previousState;
    t.Level = c.level;
    t.StartAnimation(nullptr, 0, CountStep, c.kind, c.fast);
    EXPECT_EQ(t.StepCount, c.stepCount);
    EXPECT_EQ(t.Step, c.step);
    EXPECT_EQ(t.State, c.kind);
    EXPECT_EQ(t.OldState, c.previousState);
    EXPECT_TRUE(t.Enabled());
    EXPECT_GE(t.Level, 0.0);
    EXPECT_LE(t.Level, 255.0);
    t.SetEnabled(false);
  }
}

TEST_F(ThreadedTimerTest, IntervalAndInnerTimer) {
  TacThreadedTimer t(nullptr, false);
  EXPECT_FALSE(t.Enabled());
  // Nothing to call: the inner timer stays off however it is asked.
  t.SetEnabled(true);
  t.UpdateTimer();
  EXPECT_FALSE(t.InnerTimer()->Enabled());
  t.SetEnabled(false);
  t.SetEnabled(false);
  EXPECT_FALSE(t.Enabled());

  t.StartAnimation(nullptr, 0, CountStep, 0, false);
  EXPECT_EQ(t.Interval(), 12u);  // the default second becomes an animation's pace
  EXPECT_TRUE(t.InnerTimer()->Enabled());
  t.SetEnabled(false);

  TacThreadedTimer custom(nullptr, false);
  custom.SetInterval(40);
  custom.StartAnimation(nullptr, 0, CountStep, 0, false);
  EXPECT_EQ(custom.Interval(), 40u);
  custom.SetEnabled(false);
}

TEST_F(ThreadedTimerTest, StepsRunToTheEndOrUntilTheProcedureSaysStop) {
  TacThreadedTimer t(nullptr, false);
  gSteps = 0;
  t.StartAnimation(nullptr, 0, CountStep, 1, false);  // idle at level 0: six steps
  ASSERT_TRUE(WaitUntil([&] { return !t.Enabled(); }));
  EXPECT_EQ(gSteps, 6);

  // At 255 a fade out is over at its first tick, without a step.
  gSteps = 0;
  t.State = -1;
  t.Level = 255;
  t.StartAnimation(nullptr, 0, CountStep, 1, false);
  ASSERT_TRUE(WaitUntil([&] { return !t.Enabled(); }));
  EXPECT_EQ(gSteps, 0);

  static int calls;
  calls = 0;
  t.State = -1;
  t.Level = 0;
  t.StartAnimation(
      nullptr, 0, [](TsCommonData*, int step) { return ++calls, step < 2; }, 1, false);
  ASSERT_TRUE(WaitUntil([&] { return !t.Enabled(); }));
  EXPECT_EQ(calls, 2);

  calls = 0;
  t.State = -1;
  t.StartAnimation(
      nullptr, 0,
      [](TsCommonData*, int) -> bool {
        ++calls;
        throw 1;
      },
      1, false);
  ASSERT_TRUE(WaitUntil([&] { return !t.Enabled(); }));
  EXPECT_EQ(calls, 1);
}

TEST_F(ThreadedTimerTest, PlainTimerTicksUntilDisabled) {
  TacThreadedTimer t(nullptr);
  int ticks = 0;
  t.SetInterval(10);
  t.SetOnTimer([&](TObject* Sender) {
    EXPECT_EQ(Sender, &t);
    if (++ticks == 3) t.SetEnabled(false);
  });
  ASSERT_TRUE(WaitUntil([&] { return ticks >= 3; }));
  EXPECT_FALSE(t.InnerTimer()->Enabled());
  EXPECT_EQ(ticks, 3);
}

TEST_F(ThreadedTimerTest, PrepareAnimTimerCountsWhatIsLeft) {
  TComponent owner(nullptr);
  TacThreadedTimer* timer = nullptr;
  EXPECT_EQ(PrepareAnimTimer(timer, nullptr, false), 0);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Level, 255.0);
  timer->State = 0;
  timer->Step = 20;
  EXPECT_EQ(PrepareAnimTimer(timer, nullptr, false), 0);
  timer->Step = 4;
  EXPECT_EQ(PrepareAnimTimer(timer, nullptr, false), 14);
  timer->State = 1;
  EXPECT_EQ(PrepareAnimTimer(timer, nullptr, false), 2);
  delete timer;
}

// Tells when a component is freed.
class TFreeWatch : public TComponent {
 public:
  explicit TFreeWatch(TComponent* watched) : TComponent(nullptr) { FreeNotification(watched); }
  bool Gone = false;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == TOperation::opRemove) Gone = true;
  }
};

TEST_F(ThreadedTimerTest, GoesWithItsOwnerAndLeavesTheStateClean) {
  // The owner goes while a run ticks: the timer goes and the skin state no
  // longer points at it.
  auto owner = std::make_unique<TComponent>(nullptr);
  TsCommonData data(nullptr, false);
  auto* timer = new TacThreadedTimer(owner.get(), false);
  data.FadeTimer = timer;
  TFreeWatch watch(timer);
  gSteps = 0;
  timer->StartAnimation(&data, 0, CountStep, 0, false);
  ASSERT_TRUE(WaitUntil([&] { return gSteps > 0; }));
  owner.reset();
  EXPECT_TRUE(watch.Gone);
  EXPECT_EQ(data.FadeTimer, nullptr);
  const int stepsThen = gSteps;
  PumpFor(50);
  EXPECT_EQ(gSteps, stepsThen);

  // The state goes first: it frees the timers it holds.
  auto state = std::make_unique<TsCommonData>(nullptr, false);
  auto* fade = new TacThreadedTimer(nullptr, false);
  state->FadeTimer = fade;
  fade->StartAnimation(state.get(), 0, CountStep, 0, false);
  TFreeWatch fadeWatch(fade);
  state.reset();
  EXPECT_TRUE(fadeWatch.Gone);
}

}  // namespace
