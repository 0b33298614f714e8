// The pulse: refused modes, the blend running back and forth until stopped,
// stopping leaving no timer behind, the private state of a control without
// one going with the control, and a blend without steps.
#include "skin/effects/Pulse.h"
#include "skin/state/CommonData.h"
#include "tests/skin/effects/support/effects_fixture.h"

namespace {

using namespace effects_test;

// A control without a skin state of its own.
class TPlainBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

using PulseTest = EffectsTest;

TEST_F(PulseTest, ModesAboveWaveAreRefused) {
  StartPulse(box, TacPulseParams{0x0000FF, 0, 3});
  EXPECT_EQ(Data().PulseTimer, nullptr);
  // Only the low byte of the mode counts.
  StartPulse(box, TacPulseParams{0x0000FF, 0, 0x100});
  ASSERT_NE(Data().PulseTimer, nullptr);
  EXPECT_EQ(dynamic_cast<TacPulsTimer*>(Data().PulseTimer)->PulseMode, pmFade);
  StopPulse(&Data());
}

TEST_F(PulseTest, BlendRunsBackAndForthUntilStopped) {
  StartPulse(box, TacPulseParams{0x0000FF, 0, pmFade});
  auto* t = dynamic_cast<TacPulsTimer*>(Data().PulseTimer);
  ASSERT_NE(t, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return t->StepProc == PulseBlendStep; }));
  ASSERT_TRUE(t->SourceImage && t->TargetImage);
  // The tinted picture differs from the plain one.
  EXPECT_EQ(PixelAt(*t->SourceImage, 2, 2), kLook[0]);
  EXPECT_NE(PixelAt(*t->TargetImage, 2, 2), kLook[0]);
  const int firstDirection = t->State;
  ASSERT_TRUE(WaitUntil([&] { return t->State != firstDirection; }));
  ASSERT_TRUE(WaitUntil([&] { return t->State == firstDirection; }));
  EXPECT_TRUE(t->Enabled());
  EXPECT_TRUE(Data().IsAnimating());

  StopPulse(&Data());
  EXPECT_EQ(Data().PulseTimer, nullptr);
  EXPECT_EQ(Data().ClickTimer, nullptr);
  EXPECT_TRUE(Data().BGChanged);
  EXPECT_FALSE(Data().IsAnimating());
}

TEST_F(PulseTest, BlendWithoutStepsShowsTheTintAndStops) {
  StartPulse(box, TacPulseParams{0x0000FF, 0, pmFade});
  auto* t = dynamic_cast<TacPulsTimer*>(Data().PulseTimer);
  ASSERT_NE(t, nullptr);
  t->SetEnabled(false);
  t->PrepareImage();
  t->StepCount = 0;
  EXPECT_FALSE(PulseBlendStep(&Data(), 1));
  EXPECT_EQ(t->Level, 0.0);
  StopPulse(&Data());
}

TEST_F(PulseTest, ControlWithoutSkinStateIsPulsedPrivatelyUntilItGoes) {
  auto* plain = new TPlainBox(form.get());
  plain->SetBounds(60, 10, 30, 20);
  plain->SetParent(form.get());
  plain->HandleNeeded();
  const int before = PrivatePulseCount();
  for (uint8_t mode : {pmFade, pmShake, pmWave}) {
    StartPulse(plain, TacPulseParams{0x00FF00, 30, mode});
    // Starting again reuses the control's pulse.
    EXPECT_EQ(PrivatePulseCount(), before + 1);
  }
  PumpFor(100);
  delete plain;
  EXPECT_EQ(PrivatePulseCount(), before);
  PumpFor(50);
}

TEST_F(PulseTest, StoppingAPrivatePulseFreesItsState) {
  auto* plain = new TPlainBox(form.get());
  plain->SetBounds(60, 40, 30, 20);
  plain->SetParent(form.get());
  plain->HandleNeeded();
  const int before = PrivatePulseCount();
  StartPulse(plain, TacPulseParams{0x00FF00, 0, pmFade});
  ASSERT_EQ(PrivatePulseCount(), before + 1);
  // The pulse is stopped through the state it made for the control.
  TsCommonData* own = PrivatePulseData(plain);
  ASSERT_NE(own, nullptr);
  StopPulse(own);
  EXPECT_EQ(PrivatePulseCount(), before);
  delete plain;
}

}  // namespace
