// The state fade: which events may fade, the level each step reaches, that
// a fade runs to its end and then stops ticking, that an interrupted fade
// goes on from the frame on screen, the cases that repaint at once, runs
// without steps and a control destroyed while it fades.
#include "skin/effects/AnimationAllowed.h"
#include "skin/effects/ClickWave.h"
#include "skin/effects/StateAnimation.h"
#include "skin/state/CommonData.h"
#include "tests/skin/effects/support/effects_fixture.h"

#include <vector>

namespace {

using namespace effects_test;

int gSteps = 0;
bool CountingFade(TsCommonData* data, int step) {
  ++gSteps;
  return FadeStepWindow(data, step);
}
bool Idle(TsCommonData*, int) { return true; }

class AnimationAllowedTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
};

using FadeLevelTest = AnimationAllowedTest;

TEST_F(AnimationAllowedTest, WithoutAnyManagerOnlyTheClickIsRefused) {
  ASSERT_EQ(TsSkinManager::DefaultManager(), nullptr);
  for (int e = aeMouseEnter; e <= aeGlobalDef; ++e)
    EXPECT_EQ(AnimationAllowed(TacAnimatEvent(e), 0, nullptr), e != aeClick) << e;
}

TEST_F(AnimationAllowedTest, OwnEventsOrTheManagersButtonEvents) {
  TsSkinManager manager(nullptr);
  manager.AnimEffects().Buttons.SetEvents(beMouseEnter | beMouseUp);
  struct Case {
    const char* what;
    TacAnimatEvent event;
    TacAnimatEvents events;
    bool allowed;
  } cases[] = {
      {"own set holds the event", aeMouseDown, AnimatEvent(aeMouseDown), true},
      {"own set lacks the event", aeMouseEnter, AnimatEvent(aeMouseDown), false},
      {"deferred, manager has it", aeMouseEnter, kDefaultAnimatEvents, true},
      {"deferred, manager lacks it", aeMouseDown, kDefaultAnimatEvents, false},
      {"deferred click, manager lacks it", aeClick, kDefaultAnimatEvents, false},
      {"the deferral itself means the release", aeGlobalDef, kDefaultAnimatEvents, true},
      {"deferral wins over own events", aeMouseDown, kDefaultAnimatEvents | AnimatEvent(aeMouseDown), false},
  };
  for (const Case& c : cases) EXPECT_EQ(AnimationAllowed(c.event, c.events, &manager), c.allowed) << c.what;
  manager.Effects().SetAllowAnimation(false);
  EXPECT_FALSE(AnimationAllowed(aeMouseDown, AnimatEvent(aeMouseDown), &manager));
}

TEST_F(FadeLevelTest, LevelsPerStep) {
  struct Case {
    const char* what;
    int kind;
    double startLevel;
    bool fast;
    std::vector<int> levels;  // after each move, the first being the one at the start
  } cases[] = {
      {"hot from normal", 1, 0, false, {43, 85, 128, 170, 213, 255, 255}},
      {"hot from half way", 1, 127.5, false, {170, 213, 255, 255}},
      {"pressed starts from full", 2, 40, false, {213, 170, 128, 85, 43, 0, 0}},
      {"fast press", 2, 40, true, {170, 85, 0, 0}},
      {"fast back to normal", 0, 255, true, {227, 198, 170, 142, 113, 85, 57, 28, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TacThreadedTimer t(nullptr, false);
    t.Level = c.startLevel;
    t.StartAnimation(nullptr, 0, Idle, c.kind, c.fast);
    t.SetEnabled(false);
    std::vector<int> levels;
    for (size_t step = 0; step < c.levels.size(); ++step) levels.push_back(AdvanceFadeLevel(t, int(step)));
    EXPECT_EQ(levels, c.levels);
  }
}

TEST_F(FadeLevelTest, LevelsOfOtherStatesFallLinearlyAndSurviveNoSteps) {
  TacThreadedTimer t(nullptr, false);
  t.State = 3;
  t.StepCount = 4;
  EXPECT_EQ(AdvanceFadeLevel(t, 1), 191);
  EXPECT_EQ(AdvanceFadeLevel(t, 4), 0);
  t.StepCount = 0;
  EXPECT_EQ(AdvanceFadeLevel(t, 1), 0);
}

class StateAnimationTest : public EffectsTest {
 protected:
  // Starts a fade to state and stops its timer, so the test drives it.
  TacThreadedTimer& Frozen(int state) {
    box->Look = state;
    AnimateControlState(&Data(), state, Idle, true, false);
    TacThreadedTimer* t = Data().FadeTimer;
    EXPECT_NE(t, nullptr);
    t->SetEnabled(false);
    return *t;
  }
};

TEST_F(StateAnimationTest, FadeRunsToTheNewPictureAndStopsTicking) {
  box->Look = 1;
  AnimateControlState(&Data(), 1, nullptr, true, false);
  TacThreadedTimer* t = Data().FadeTimer;
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(t->InnerTimer()->Enabled());
  ASSERT_TRUE(WaitUntil([&] { return !t->Enabled(); }));
  EXPECT_EQ(t->Level, 255.0);
  ASSERT_TRUE(t->FrameImage);
  EXPECT_EQ(PixelAt(*t->FrameImage, 5, 5), kLook[1]);
  EXPECT_FALSE(t->InnerTimer()->Enabled());

  box->Look = 0;
  AnimateControlState(&Data(), 0, nullptr, true, false);
  ASSERT_TRUE(WaitUntil([&] { return !t->Enabled(); }));
  // Back at normal the fade lets go of its pictures.
  EXPECT_EQ(t->Level, 0.0);
  EXPECT_EQ(t->State, -1);
  EXPECT_FALSE(t->SourceImage);
  EXPECT_FALSE(t->TargetImage);
  EXPECT_FALSE(t->InnerTimer()->Enabled());
  PumpFor(50);
  EXPECT_FALSE(t->InnerTimer()->Enabled());
}

TEST_F(StateAnimationTest, InterruptedFadeGoesOnFromTheFrameOnScreen) {
  TacThreadedTimer& t = Frozen(1);
  FadeStepWindow(&Data(), 1);
  FadeStepWindow(&Data(), 2);
  ASSERT_TRUE(t.FrameImage);
  const uint32_t halfway = PixelAt(*t.FrameImage, 3, 3);
  EXPECT_NE(halfway, kLook[0]);
  EXPECT_NE(halfway, kLook[1]);
  Data().BGChanged = false;
  box->Look = 0;
  AnimateControlState(&Data(), 0, Idle, true, false);
  ASSERT_TRUE(t.SourceImage);
  EXPECT_EQ(PixelAt(*t.SourceImage, 3, 3), halfway);
  EXPECT_EQ(PixelAt(*t.TargetImage, 3, 3), kLook[0]);
  t.SetEnabled(false);
}

TEST_F(StateAnimationTest, FadeToNormalEndsAtZeroEvenWhenItsLastStepIsShort) {
  TacThreadedTimer& t = Frozen(1);
  Data().BGChanged = false;
  box->Look = 0;
  AnimateControlState(&Data(), 0, Idle, true, false);
  t.SetEnabled(false);
  t.Level = 100;  // far above what the last step takes away
  t.GlowStep = 255.0 / t.StepCount;
  t.Step = t.StepCount;
  ASSERT_TRUE(FadeStepWindow(&Data(), t.StepCount));
  EXPECT_LT(t.Step, t.StepCount);
  int guard = 0;
  while (FadeStepWindow(&Data(), ++t.Step) && ++guard < 100) {
  }
  EXPECT_LT(guard, 100);
  EXPECT_EQ(t.Level, 0.0);
  EXPECT_EQ(t.State, -1);
}

TEST_F(StateAnimationTest, RunsWithoutStepsShowTheFinalStateAtOnce) {
  for (int state : {0, 1, 2}) {
    SCOPED_TRACE(state);
    TacThreadedTimer& t = Frozen(state);
    t.StepCount = 0;
    t.GlowStep = 0;
    EXPECT_FALSE(FadeStepWindow(&Data(), 1));
    EXPECT_EQ(t.Level, state == 1 ? 255.0 : 0.0);
    EXPECT_TRUE(Data().BGChanged);
    Data().GlowId = 3;
    t.State = state;
    t.StepCount = 0;
    EXPECT_FALSE(GlowFadeStep(&Data(), 1));
    Data().GlowId = -1;
    Data().StopFading();
    SendWndCommand(box->Handle(), AC_BUILDCACHE, 0);
  }
}

TEST_F(StateAnimationTest, RepaintsAtOnceInsteadOfFading) {
  struct Case {
    const char* what;
    bool allowed, bgChanged, sessionEnding, allowAnimation, hidden;
  } cases[] = {
      {"the control refused the event", false, false, false, true, false},
      {"the cache must be repainted first", true, true, false, true, false},
      {"Windows ends the session", true, false, true, true, false},
      {"the manager allows no animation", true, false, false, false, false},
      {"the control is hidden", true, false, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TSkinBox* b = MakeBox();
    const int paints = b->Paints;
    b->Data->BGChanged = c.bgChanged;
    SessionEnding = c.sessionEnding;
    manager->Effects().SetAllowAnimation(c.allowAnimation);
    if (c.hidden) b->Hide();
    AnimateControlState(b->Data.get(), 1, nullptr, c.allowed, false);
    SessionEnding = false;
    manager->Effects().SetAllowAnimation(true);
    EXPECT_TRUE(!b->Data->FadeTimer || !b->Data->FadeTimer->Enabled());
    EXPECT_TRUE(b->Data->BGChanged);
    if (!c.hidden) {
      EXPECT_GT(b->Paints, paints);
    }
    delete b;
  }
}

TEST_F(StateAnimationTest, NoEffectTimerRunsWhenNothingMoves) {
  auto running = [this] {
    int n = 0;
    for (TacThreadedTimer* t : {Data().FadeTimer, Data().ClickTimer, Data().PulseTimer, Data().EffectTimer})
      n += t && (t->Enabled() || t->InnerTimer()->Enabled());
    return n;
  };
  EXPECT_EQ(Data().FadeTimer, nullptr);
  manager->Effects().SetAllowAnimation(false);
  AnimateControlState(&Data(), 1, nullptr, true, false);
  EXPECT_EQ(Data().FadeTimer, nullptr);
  manager->Effects().SetAllowAnimation(true);

  SendWndCommand(box->Handle(), AC_BUILDCACHE, 0);
  for (int state : {1, 2, 0}) {
    box->Look = state;
    AnimateControlState(&Data(), state, nullptr, true, false);
    ASSERT_TRUE(WaitUntil([&] { return running() == 0; })) << state;
  }
  StartClickEffect(&Data(), 0);
  EXPECT_EQ(running(), 1);
  ASSERT_TRUE(WaitUntil([&] { return running() == 0; }));
  PumpFor(50);
  EXPECT_EQ(running(), 0);
}

TEST_F(StateAnimationTest, ControlDestroyedWhileFadingIsNotTouchedAgain) {
  gSteps = 0;
  box->Look = 1;
  AnimateControlState(&Data(), 1, CountingFade, true, false);
  ASSERT_TRUE(Data().FadeTimer && Data().FadeTimer->Enabled());
  ASSERT_TRUE(WaitUntil([] { return gSteps >= 2; }));
  delete box;
  box = nullptr;
  const int seen = gSteps;
  PumpFor(100);
  EXPECT_EQ(gSteps, seen);
}

}  // namespace
