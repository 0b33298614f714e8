// The combo edit's fade: the new picture comes in at the button's level, a
// press runs on until the button is fully pressed, and only a combo edit is
// faded by it.
#include "skin/effects/ComboEditFade.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/WinControl.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/ThreadedTimer.h"

namespace {

class TFadingEdit : public TCustomControl, public TacComboEditFadeTarget {
 public:
  explicit TFadingEdit(TComponent* Owner) : TCustomControl(Owner), Data(this, true) {}
  bool PaintsOwnFrame() const override { return false; }
  RECT FadeClientRect() const override { return RECT{2, 2, 18, 8}; }
  RECT FadeButtonRect() const override { return RECT{12, 2, 18, 8}; }
  TsCtrlSkinData Data;
};

std::unique_ptr<TBitmap> Filled(int W, int H, COLORREF Color) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(W, H);
  for (int y = 0; y < H; ++y) {
    auto* row = static_cast<uint8_t*>(b->ScanLine(y));
    for (int x = 0; x < W; ++x) {
      row[x * 4 + 0] = GetBValue(Color);
      row[x * 4 + 1] = GetGValue(Color);
      row[x * 4 + 2] = GetRValue(Color);
      row[x * 4 + 3] = 255;
    }
  }
  return b;
}

int Red(TBitmap& B) {
  GdiFlush();
  return static_cast<uint8_t*>(B.ScanLine(5))[10 * 4 + 2];
}

class ComboEditFadeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Edit = std::make_unique<TFadingEdit>(nullptr);
    Edit->SetBounds(0, 0, 20, 10);
    Edit->Data.CacheBmp = Filled(20, 10, RGB(0, 0, 0));
    Timer = new TacThreadedTimer(Edit.get(), false);
    Edit->Data.FadeTimer = Timer;
    Timer->TargetImage = Filled(20, 10, RGB(255, 0, 0));
    Timer->StepCount = 4;
  }
  void TearDown() override {
    Edit->Data.FadeTimer = nullptr;
    delete Timer;
    Edit.reset();
  }
  std::unique_ptr<TFadingEdit> Edit;
  TacThreadedTimer* Timer = nullptr;
};

TEST_F(ComboEditFadeTest, BlendsInAtTheButtonsLevel) {
  Timer->State = 1;
  Timer->ButtonLevel = 0;
  Timer->ButtonLevelStep = 64;
  EXPECT_TRUE(FadeStepComboEdit(&Edit->Data, 1));
  EXPECT_EQ(Timer->ButtonLevel, 64);
  const int first = Red(*Timer->FrameImage);
  EXPECT_GT(first, 40);
  EXPECT_LT(first, 90);
  EXPECT_TRUE(FadeStepComboEdit(&Edit->Data, 2));
  EXPECT_GT(Red(*Timer->FrameImage), first) << "each step nearer the new picture";
}

TEST_F(ComboEditFadeTest, APressRunsOnUntilTheButtonIsFullyPressed) {
  Timer->State = 2;
  Timer->Level = 255;
  Timer->GlowStep = 64;
  Timer->ButtonLevel = 100;
  Timer->ButtonLevelStep = 50;
  // The last step runs again (one more move at once) until the level is full.
  int ticks = 0;
  while (FadeStepComboEdit(&Edit->Data, 4) && ticks < 10) ++ticks;
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(Timer->ButtonLevel, 255);
  EXPECT_EQ(Red(*Timer->FrameImage), 255);
}

TEST_F(ComboEditFadeTest, OnlyAComboEditIsFaded) {
  TCustomControl plain(nullptr);
  TsCtrlSkinData data(&plain, true);
  data.CacheBmp = Filled(20, 10, RGB(0, 0, 0));
  EXPECT_FALSE(FadeStepComboEdit(&data, 1));
  EXPECT_FALSE(FadeStepComboEdit(nullptr, 1));
}

}  // namespace
