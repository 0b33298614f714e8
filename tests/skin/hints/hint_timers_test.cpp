// Show and hide timing of the alpha hints, driven tick by tick: the show
// animation's steps, the hide timers, the cleanup after a hint went, and
// every timer stopping when its window is gone.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/Form.h"
#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintTimers.h"
#include "skin/hints/HintWindows.h"
#include "support/hint_fixture.h"
#include "tests/support/wait_until.h"

namespace {

TControl* gMouseControl = nullptr;
TControl* FakeMouseControl() { return gMouseControl; }

bool OneBigMonitor(POINT, RECT& Area) {
  Area = RECT{0, 0, 4000, 3000};
  return true;
}

RECT WindowBounds(TForm& Form) {
  RECT r{};
  GetWindowRect(Form.Handle(), &r);
  return r;
}

class HintTimersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = &TestApplication();
    app->OnShowHint = nullptr;
    savedLookup = HintWorkAreaLookup();
    HintWorkAreaLookup() = OneBigMonitor;
    savedMouse = HintMouseControl;
    HintMouseControl = FakeMouseControl;
    gMouseControl = nullptr;
    hints = LoadedHints([](TsAlphaHints& h) {
      TacHintTemplate& t = *h.Templates().Add();
      t.SetName(L"Solid");
      auto picture = SolidPicture(21, 21, 0x336699, 220);
      t.ImageDefault().SetImage(*picture);
      h.SetTemplateName(L"Solid");
      h.SetAnimated(false);
    });
  }
  void TearDown() override {
    hints.reset();
    HintWorkAreaLookup() = savedLookup;
    HintMouseControl = savedMouse;
  }
  TApplication* app = nullptr;
  TacWorkAreaLookup savedLookup;
  TControl* (*savedMouse)() = nullptr;
  std::unique_ptr<TsAlphaHints> hints;
};

TEST_F(HintTimersTest, HidePauseReleasesTheWindow) {
  hints->ShowHintAt(POINT{300, 200}, L"Goes by itself", 30);
  ASSERT_NE(hints->OwnWindow, nullptr);
  ASSERT_NE(hints->Carrier, nullptr);
  const RECT target = hints->TargetBounds;
  EXPECT_EQ(target.left, 300 - 0);  // the template has no shadow bands
  EXPECT_TRUE(WaitUntil([&] { return hints->OwnWindow == nullptr; }));
  EXPECT_FALSE(hints->CloseTimer->Enabled());
}

TEST_F(HintTimersTest, CheckTimerHidesOnceTheMouseLeavesTheHintedControl) {
  TForm form(nullptr, CreateNew);
  gMouseControl = &form;
  hints->ShowHintAt(POINT{300, 200}, L"Stays while hovered", 60000);
  StartHintHideTimer(hints.get(), 0);
  ASSERT_EQ(hints->HintedControl, &form);
  TacThreadedTimer& timer = *hints->CloseTimer;
  EXPECT_EQ(timer.Interval(), 300u);
  timer.OnTimer()(&timer);
  EXPECT_NE(hints->OwnWindow, nullptr) << "still over the hinted control";
  EXPECT_TRUE(timer.Enabled());

  gMouseControl = nullptr;
  timer.OnTimer()(&timer);
  EXPECT_EQ(hints->OwnWindow, nullptr);
  EXPECT_EQ(hints->Carrier, nullptr);
  EXPECT_EQ(hints->HintedControl, nullptr);
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(HintTimersTest, ShowAnimationFadesInTwentyStepsAndGlidesToTheTarget) {
  app->SetHintPause(500);
  hints->ShowHintAt(POINT{300, 200}, L"First", 60000);
  ASSERT_NE(hints->PrevPicture, nullptr) << "an unanimated show keeps its picture for the next";
  hints->SetAnimated(true);
  hints->ShowHintAt(POINT{700, 500}, L"Second", 60000);
  ASSERT_NE(hints->FadeTimer, nullptr);
  TsShowTimer& timer = *hints->FadeTimer;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 12u);
  EXPECT_EQ(app->HintPause(), 100u) << "hints follow each other quickly while one glides in";
  const RECT target = hints->TargetBounds;

  double lastDistance = 1e9;
  for (int step = 1; step <= kHintShowSteps; ++step) {
    HintShowAnimationStep(timer);
    ASSERT_TRUE(timer.Enabled()) << "step " << step;
    EXPECT_DOUBLE_EQ(hints->FadeAlpha, 12.75 * step);
    ASSERT_NE(hints->NextCarrier, nullptr);
    const RECT at = WindowBounds(*hints->NextCarrier);
    const double distance = std::hypot(double(target.left - at.left), double(target.top - at.top));
    EXPECT_LE(distance, lastDistance) << "step " << step;
    lastDistance = distance;
  }
  HintShowAnimationStep(timer);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(hints->FadeAlpha, 0.0);
  EXPECT_EQ(hints->NextCarrier, nullptr);
  ASSERT_NE(hints->Carrier, nullptr);
  const RECT final = WindowBounds(*hints->Carrier);
  EXPECT_EQ(final.left, target.left);
  EXPECT_EQ(final.top, target.top);
  EXPECT_NE(hints->PrevPicture, nullptr);

  // Once no hint shows, the cleanup gives the pause back and lets the
  // carriers go.
  hints->ReleaseHintWindow();
  ASSERT_NE(hints->CleanupTimer, nullptr);
  EXPECT_EQ(hints->CleanupTimer->Interval(), app->HintShortPause() + 300);
  HintCleanupTimerTick(hints.get());
  EXPECT_EQ(app->HintPause(), 500u);
  EXPECT_EQ(hints->Carrier, nullptr);
  EXPECT_EQ(hints->PrevPicture, nullptr);
  EXPECT_FALSE(hints->CleanupTimer->Enabled());
}

TEST_F(HintTimersTest, ZeroStepsShowTheFinalStateAtTheFirstTick) {
  hints->ShowHintAt(POINT{300, 200}, L"At once", 60000);
  TacPngHintWindow* window = hints->OwnWindow;
  ASSERT_NE(window, nullptr);
  hints->TargetBounds = RECT{900, 700, 960, 740};
  TsShowTimer timer;
  InitHintShowAnimation(timer, window, 60, 40, 0);
  HintShowAnimationStep(timer);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(hints->FadeAlpha, 0.0);
  const RECT at = WindowBounds(*hints->Carrier);
  EXPECT_EQ(at.left, 900);
  EXPECT_EQ(at.top, 700);
}

TEST_F(HintTimersTest, ShowTimerStopsWhenItsWindowIsGone) {
  hints->ShowHintAt(POINT{300, 200}, L"Short-lived", 60000);
  TsShowTimer timer;
  InitHintShowAnimation(timer, hints->OwnWindow, 60, 40);
  ASSERT_TRUE(timer.Enabled());
  hints->ReleaseHintWindow();
  EXPECT_EQ(timer.Window, nullptr);
  EXPECT_FALSE(timer.Enabled());
  HintShowAnimationStep(timer);  // a tick already queued does nothing
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(HintTimersTest, DestroyingTheComponentEndsItsTimers) {
  hints->SetAnimated(true);
  hints->ShowHintAt(POINT{300, 200}, L"Left behind", 60000);
  ASSERT_NE(hints->FadeTimer, nullptr);
  hints.reset();
  EXPECT_EQ(ActiveHints, nullptr);
  PumpFor(50);  // ticks of freed timers would crash here
}

}  // namespace
