// The bound label flying out of an edit's text hint: the flight's frames
// and fade levels, painting text through its mask in premultiplied colour,
// the label landing, and a flight whose edit goes midway.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "skin/effects/InstallEffects.h"
#include "skin/effects/LabelFlight.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/state/BoundLabel.h"
#include "skin/state/CtrlSkinData.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(LabelFlightFrames, EaseOutWithFadingLevels) {
  EXPECT_TRUE(FlightFrames(40, 30, 40, 30).empty());  // no distance: no frame
  const auto frames = FlightFrames(0, 0, 60, 0);
  // A sixth of what remains each frame: 26 frames until under half a pixel.
  ASSERT_EQ(frames.size(), 26u);
  EXPECT_EQ(frames[0].Pos.x, 10);
  EXPECT_EQ(frames[0].Level, 213);  // 50 of 60 pixels left
  EXPECT_EQ(frames[1].Pos.x, 18);
  EXPECT_EQ(frames[1].Level, 177);
  for (size_t i = 1; i < frames.size(); ++i) {
    EXPECT_GE(frames[i].Pos.x, frames[i - 1].Pos.x);
    EXPECT_LE(frames[i].Level, frames[i - 1].Level);
    EXPECT_EQ(frames[i].Pos.y, 0);
  }
  EXPECT_EQ(frames.back().Pos.x, 59);
  EXPECT_LE(frames.back().Level, 3);
  const auto up = FlightFrames(100, 200, 100, 80);
  EXPECT_EQ(up[0].Pos.y, 180);
}

TEST(LabelFlightPaint, PremultipliedColourThroughTheMask) {
  EXPECT_EQ(PremultipliedColor(0x000080FF, 128), 0x807F4000u);
  EXPECT_EQ(PremultipliedColor(0x00FFFFFF, 0), 0u);
  InitApplication();
  auto frame = NewBitmap32(4, 1);
  FillRect32(*frame, RECT{0, 0, 4, 1}, 0, 0);
  SetPixel32(*frame, 3, 0, 0x80404040);
  const uint32_t red = PremultipliedColor(0x0000FF, 255);  // 0xFFFE0000
  PaintThroughMask(*frame, {255, 0, 128, 0}, red);
  struct Case {
    int X;
    uint32_t Pixel;
  } cases[] = {
      {0, 0x00000000},  // no text here
      {1, 0xFEFD0000},  // full text
      {2, 0x7E7E0000},  // half coverage: half the colour
      {3, 0xFEFD0000},  // text over a pixel: the colour wins where covered
  };
  for (const Case& c : cases) EXPECT_EQ(GetPixel32(*frame, c.X, 0), c.Pixel) << c.X;
  // A mask of another size paints nothing.
  PaintThroughMask(*frame, {0}, 0xFFFFFFFF);
  EXPECT_EQ(GetPixel32(*frame, 0, 0), 0u);
}

class LabelFlight : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InitGraphUtils();
    InstallEffects();
  }
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr, CreateNew);
    form->SetBounds(50, 50, 400, 200);
    edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(120, 60, 160, 24);
    data = std::make_unique<TsCtrlSkinData>(edit, false);
    bound = std::make_unique<TsBoundLabel>(edit, data.get());
    bound->SetCaption(L"Name");
    form->Show();
  }
  void TearDown() override {
    bound.reset();
    data.reset();
    form.reset();
  }
  std::unique_ptr<TForm> form;
  TEdit* edit = nullptr;
  std::unique_ptr<TsCtrlSkinData> data;
  std::unique_ptr<TsBoundLabel> bound;
};

TEST_F(LabelFlight, EmptyHintChangesNothingHiddenEditShowsTheLabelAtOnce) {
  AnimateLabelFromHint(data.get(), bound.get(), L"");
  EXPECT_FALSE(bound->Active());
  edit->SetVisible(false);
  AnimateLabelFromHint(data.get(), bound.get(), L"Your name");
  EXPECT_TRUE(bound->Active());
  EXPECT_FALSE(bound->KeepHidden);
}

TEST_F(LabelFlight, TheHintFliesAndTheLabelLands) {
  AnimateLabelFromHint(data.get(), bound.get(), L"Your name");
  EXPECT_TRUE(bound->Active());
  EXPECT_FALSE(bound->KeepHidden);
  EXPECT_EQ(data->StateBits & acsLabelAnimating, 0u);
  ASSERT_NE(bound->LabelControl(), nullptr);
  EXPECT_TRUE(bound->LabelControl()->Visible());
}

TEST_F(LabelFlight, FramesShowTheTextAndEndWhenTheEditGoes) {
  // The edit the text starts from; the bound label's own edit stays.
  auto* source = new TEdit(form.get());
  source->SetParent(form.get());
  source->SetBounds(120, 100, 160, 24);
  source->Handle();
  TacMoveTextData from, to;
  from.Owner = to.Owner = bound.get();
  from.Text = L"Hint";
  from.Font = &edit->Font();
  from.Color = 0x000000FF;
  from.Control = source;
  from.Rect = RECT{180, 120, 230, 136};
  to.Text = L"Label";
  to.Format = DT_EXPANDTABS;
  to.Font = &edit->Font();
  to.Color = 0x00FF0000;
  to.Rect = RECT{60, 122, 110, 138};
  bound->KeepHidden = true;
  TacTextFlight flight(from, to);
  EXPECT_EQ(flight.Width(), 50);
  EXPECT_EQ(flight.Height(), 16);
  ASSERT_FALSE(flight.Frames().empty());
  ASSERT_TRUE(flight.Step());
  // Some pixels carry text (alpha), the frame's corner none; every channel
  // is premultiplied (never above the alpha).
  TBitmap& f = *flight.Frame();
  int covered = 0;
  for (int y = 0; y < f.Height(); ++y)
    for (int x = 0; x < f.Width(); ++x) {
      const uint32_t p = GetPixel32(f, x, y), a = p >> 24;
      covered += a != 0;
      EXPECT_LE(p >> 16 & 0xFF, a);
      EXPECT_LE(p & 0xFF, a);
    }
  EXPECT_GT(covered, 0);
  EXPECT_EQ(GetPixel32(f, 0, 0) >> 24, 0u);
  RECT r{};
  ASSERT_TRUE(GetWindowRect(flight.Window(), &r));
  EXPECT_EQ(r.left, flight.Frames()[0].Pos.x);
  EXPECT_EQ(r.right - r.left, 50);
  EXPECT_TRUE(flight.Step());
  // The edit goes mid-flight: no more frames, and landing touches nothing.
  delete source;
  EXPECT_FALSE(flight.Step());
  flight.Land();
  EXPECT_TRUE(bound->KeepHidden);
  EXPECT_EQ(flight.Window(), nullptr);
}

}  // namespace
