// The option objects of the skin state: scroll-bar sizes repaint or
// re-measure the window only on a real change, the outer-shadow visibility
// asks for a repaint only when the owner is not loading, and the mouse
// light's bitmaps go when the light is not in use.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/OuterEffects.h"
#include "skin/state/ScrollWndData.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A windowed control that counts the messages the options send it.
class TCountingBox : public TCustomControl {
 public:
  explicit TCountingBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 40, 20);
    Scroll = std::make_unique<TsScrollWndData>(this, false);
  }
  ~TCountingBox() override { Scroll.reset(); }
  std::unique_ptr<TsScrollWndData> Scroll;
  std::vector<UINT> Seen;
  int Count(UINT msg) const { return int(std::count(Seen.begin(), Seen.end(), msg)); }

 protected:
  void WndProc(TMessage& m) override {
    Seen.push_back(m.Msg == WM_SKINCOMMAND ? WM_SKINCOMMAND + SkinCommandCode(m.WParam) : m.Msg);
    TCustomControl::WndProc(m);
  }
};

class DataClassesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = std::make_unique<TForm>(Application, CreateNew);
    form->HandleNeeded();
    box = new TCountingBox(form.get());
    box->SetParent(form.get());
    box->HandleNeeded();
    box->Scroll->AttachWindow();
  }
  std::unique_ptr<TForm> form;
  TCountingBox* box = nullptr;
};

TEST_F(DataClassesTest, ScrollSizesActOnlyOnChange) {
  TacScrollData& vert = *box->Scroll->VertScrollData;
  box->Seen.clear();
  vert.SetButtonsSize(-1);
  vert.SetScrollWidth(-1);
  EXPECT_TRUE(box->Seen.empty());

  vert.SetButtonsSize(12);
  EXPECT_EQ(box->Count(WM_NCPAINT), 1);
  vert.SetButtonsSize(12);
  EXPECT_EQ(box->Count(WM_NCPAINT), 1);

  // A new width makes the window measure its frame again.
  box->Seen.clear();
  vert.SetScrollWidth(20);
  EXPECT_EQ(box->Count(WM_NCCALCSIZE), 1);
  box->Seen.clear();
  vert.SetScrollWidth(20);
  EXPECT_EQ(box->Count(WM_NCCALCSIZE), 0);

  // A loading owner stores without touching its window.
  box->BeginLoading();
  box->Seen.clear();
  vert.SetButtonsSize(14);
  EXPECT_EQ(vert.ButtonsSize(), 14);
  EXPECT_TRUE(box->Seen.empty());
  box->EndLoading();
}

TEST_F(DataClassesTest, OuterVisibilityRefreshesUnlessLoading) {
  std::vector<uint16_t> parentSeen;
  TWndMethod old = form->WindowProc;
  form->WindowProc = [old, &parentSeen](TMessage& m) {
    if (m.Msg == WM_SKINCOMMAND) parentSeen.push_back(SkinCommandCode(m.WParam));
    old(m);
  };
  TacOuterEffects& outer = box->Scroll->OuterEffects();
  outer.SetVisibility(TacOuterVisibility::ovAlways);
  EXPECT_EQ(std::count(parentSeen.begin(), parentSeen.end(), AC_REDRAW), 1);
  EXPECT_TRUE(outer.IsShown());

  box->BeginLoading();
  outer.SetVisibility(TacOuterVisibility::ovFocused);
  EXPECT_EQ(std::count(parentSeen.begin(), parentSeen.end(), AC_REDRAW), 1);
  EXPECT_EQ(outer.Visibility(), TacOuterVisibility::ovFocused);
  box->EndLoading();

  // Focused: shown while the state says so; hovered never (the glow does that).
  EXPECT_FALSE(outer.IsShown());
  box->Scroll->Focused = true;
  EXPECT_TRUE(outer.IsShown());
  outer.SetVisibility(TacOuterVisibility::ovMouseHovered);
  EXPECT_FALSE(outer.IsShown());
  form->WindowProc = old;
}

TEST_F(DataClassesTest, LightBitmapsGoWhenTheLightIsNotInUse) {
  TsCtrlSkinData data(nullptr, false);
  data.LightData = std::make_unique<TBitmap>();
  data.LightBmp = std::make_unique<TBitmap>();
  data.LightActive = true;
  data.BGChanged = false;
  data.FreeLightBitmaps(true);  // in use: kept
  EXPECT_NE(data.LightData, nullptr);
  data.LightActive = false;
  data.FreeLightBitmaps(true);
  EXPECT_EQ(data.LightData, nullptr);
  EXPECT_EQ(data.LightBmp, nullptr);
  EXPECT_TRUE(data.BGChanged);

  data.LightBmp = std::make_unique<TBitmap>();
  data.LightActive = true;
  data.FreeLightBitmaps(false);  // all of it, and the light is off
  EXPECT_EQ(data.LightBmp, nullptr);
  EXPECT_FALSE(data.LightActive);
  // Without the mouse above and without a manager no light is used.
  EXPECT_FALSE(data.UsesMouseLight(false));
}

}  // namespace
