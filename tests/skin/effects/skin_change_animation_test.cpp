// The skin change shown as a cross-fade over an overlay: its frame weights,
// and that it ends, frees its windows and switches redrawing back on in
// every case, also when the form goes in the middle.
#include "skin/effects/SkinChangeAnimation.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/forms/ChildMessages.h"
#include "skin/graphics/ColorAdjust.h"
#include "tests/support/wait_until.h"

namespace {

TEST(SkinChangeFade, OneWeightPerFrameFromOpaqueDown) {
  struct Case {
    uint16_t Time;
    std::vector<uint8_t> Weights;
  } cases[] = {
      {0, {}},     {23, {}},  // less than a frame: the new look at once
      {24, {255}}, {48, {255, 128}}, {100, {255, 191, 128, 64}},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinChangeFadeWeights(c.Time), c.Weights) << c.Time;
  // The default time of the skin manager's option.
  EXPECT_EQ(SkinChangeFadeWeights(100).size(), 4u);
  EXPECT_EQ(SkinChangeFadeWeights(1000).size(), 41u);
}

int gFrames = 0;
TForm* gGoesAt2 = nullptr;

void CountFrames(const RECT&) { ++gFrames; }
void FreeFormAtSecondFrame(const RECT&) {
  if (++gFrames == 2 && gGoesAt2) {
    delete gGoesAt2;
    gGoesAt2 = nullptr;
  }
}

class SkinChange : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InitGraphUtils();
  }
  void SetUp() override {
    gFrames = 0;
    Form = new TForm(nullptr, CreateNew);
    Form->SetBounds(120, 120, 240, 160);
    Form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Form->Handle()); }));
  }
  void TearDown() override {
    delete Form;
    FreeSkinChangeCover();
    Application->ProcessMessages();
  }
  // The form skinning stops the form's redrawing before the skin changes.
  void FreezeForm() { SendMessageW(Form->Handle(), WM_SETREDRAW, FALSE, 0); }
  bool Redraws() const { return (GetWindowLongPtrW(Form->Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
  TForm* Form = nullptr;
};

TEST_F(SkinChange, FadesInFramesThenFreesTheOverlayAndRedraws) {
  struct Case {
    uint16_t Time;
    int Frames;
  } cases[] = {{100, 4}, {0, 0}, {23, 0}};
  for (const Case& c : cases) {
    gFrames = 0;
    FreezeForm();
    AnimateFormChange(Form, c.Time, 255, 0, CountFrames);
    EXPECT_EQ(gFrames, c.Frames) << c.Time;
    EXPECT_EQ(SkinChangeCoverWindow(), nullptr) << c.Time;
    EXPECT_FALSE(AnimationRunning) << c.Time;
    EXPECT_TRUE(Redraws()) << c.Time;
  }
}

TEST_F(SkinChange, AMinimisedOrHiddenFormIsSkipped) {
  ShowWindow(Form->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(Form->Handle()) != 0; }));
  AnimateFormChange(Form, 100, 255, 0, CountFrames);
  EXPECT_EQ(gFrames, 0);
  EXPECT_EQ(SkinChangeCoverWindow(), nullptr);
  ShowWindow(Form->Handle(), SW_RESTORE);
  Form->Hide();
  AnimateFormChange(Form, 100, 255, 1, CountFrames);
  EXPECT_EQ(gFrames, 0);
  EXPECT_FALSE(AnimationRunning);
}

TEST_F(SkinChange, TheFormGoingMidwayEndsTheAnimation) {
  gGoesAt2 = Form;
  Form = nullptr;
  AnimateFormChange(gGoesAt2, 1000, 255, 0, FreeFormAtSecondFrame);
  EXPECT_EQ(gFrames, 2);
  EXPECT_EQ(gGoesAt2, nullptr);
  EXPECT_EQ(SkinChangeCoverWindow(), nullptr);
  EXPECT_FALSE(AnimationRunning);
}

}  // namespace
