// The click wave: its frame sizes and opacity per tick, the window it shows
// on (never takes the mouse, never activates), that it ends and stops
// ticking, and that it goes with its control.
#include "skin/effects/ClickWave.h"
#include "skin/state/CommonData.h"
#include "tests/skin/effects/support/effects_fixture.h"

#include <vector>

namespace {

using namespace effects_test;

TEST(ClickWaveSizeTest, FramesGrowCentredOnTheControl) {
  const RECT effect{100, 100, 140, 120};
  struct Case {
    uint8_t mode;
    std::vector<RECT> frames;
  } cases[] = {
      {0, {{97, 97, 144, 124}, {93, 93, 147, 127}, {90, 90, 151, 131}}},
      {1, {{99, 99, 141, 121}, {98, 98, 142, 122}, {97, 97, 143, 123}}},
  };
  for (const Case& c : cases) {
    RECT r = effect;
    for (const RECT& expected : c.frames) {
      r = NextWaveRect(r, effect, c.mode);
      EXPECT_TRUE(EqualRect(&r, &expected))
          << int(c.mode) << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
  }
}

TEST(ClickWaveSizeTest, OpacityFallsBySixths) {
  std::vector<int> seen;
  uint8_t o = 255;
  for (int i = 0; i < 6; ++i) seen.push_back(o = NextWaveOpacity(o));
  EXPECT_EQ(seen, (std::vector<int>{212, 176, 146, 121, 100, 83}));
  EXPECT_EQ(NextWaveOpacity(2), 1);
}

using ClickWaveTest = EffectsTest;

TEST_F(ClickWaveTest, WaveShowsOnAClickThroughWindowAndEnds) {
  StartClickEffect(&Data(), 0);
  auto* t = dynamic_cast<TacClickTimer*>(Data().ClickTimer);
  ASSERT_NE(t, nullptr);
  t->SetEnabled(false);
  ASSERT_TRUE(t->FrameImage);
  EXPECT_EQ(t->FrameImage->Width(), 40);
  const HWND active = GetActiveWindow();
  ASSERT_TRUE(WaveOutStep(&Data(), 1));
  ASSERT_TRUE(t->EffectWindow);
  const HWND wave = t->EffectWindow->Handle();
  const LONG_PTR ex = GetWindowLongPtrW(wave, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
  EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
  EXPECT_TRUE(IsWindowVisible(wave));
  EXPECT_EQ(SendMessageW(wave, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_EQ(t->WaveOpacity, 212);

  t->SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return !t->Enabled(); }));
  EXPECT_FALSE(t->EffectWindow);
  EXPECT_FALSE(IsWindow(wave));
  EXPECT_FALSE(t->InnerTimer()->Enabled());
}

TEST_F(ClickWaveTest, WaveGoesWithItsControl) {
  StartClickEffect(&Data(), 1);
  auto* t = dynamic_cast<TacClickTimer*>(Data().ClickTimer);
  ASSERT_NE(t, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return t->EffectWindow != nullptr; }));
  const HWND wave = t->EffectWindow->Handle();
  delete box;
  box = nullptr;
  EXPECT_FALSE(IsWindow(wave));
  PumpFor(50);
}

TEST_F(ClickWaveTest, NothingWhileTheControlLoads) {
  box->BeginLoading();
  StartClickEffect(&Data(), 0);
  EXPECT_EQ(Data().ClickTimer, nullptr);
  box->EndLoading();
}

}  // namespace
