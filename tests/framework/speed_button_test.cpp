// The speed button driven through its parent's window, as the mouse drives it.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/SpeedButton.h"

#include <gtest/gtest.h>

namespace {

class SpeedButtons : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 100);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetAlign(TAlign::alClient);
  }
  void TearDown() override { delete form; }

  TSpeedButton* Add(int left, int group = 0) {
    auto* b = new TSpeedButton(form);
    b->SetBounds(left, 10, 40, 30);
    b->SetParent(panel);
    b->SetGroupIndex(group);
    b->OnClick = [this](TObject* Sender) { clicks.push_back(static_cast<TSpeedButton*>(Sender)); };
    return b;
  }
  // A left press on the button and a release at (dx, dy) from its top-left.
  void Press(TSpeedButton* b, int dx = 5, int dy = 5) {
    const HWND wnd = panel->Handle();
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b->Left() + 5, b->Top() + 5));
    pressedState = b->State();
    SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b->Left() + dx, b->Top() + dy));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(b->Left() + dx, b->Top() + dy));
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  std::vector<TSpeedButton*> clicks;
  TButtonState pressedState = TButtonState::bsUp;
};

TEST_F(SpeedButtons, ClicksOnReleaseOverItOnly) {
  auto* b = Add(10);
  form->Show();
  Press(b);
  EXPECT_EQ(pressedState, TButtonState::bsDown);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(b->State(), TButtonState::bsUp);
  EXPECT_FALSE(b->Down());

  Press(b, 80, 5);  // dragged off before the release
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(b->State(), TButtonState::bsUp);

  b->SetEnabled(false);
  Press(b);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SpeedButtons, GroupKeepsAtMostOneDown) {
  auto* a = Add(10, 1);
  auto* b = Add(60, 1);
  auto* other = Add(110, 2);
  other->SetDown(true);
  form->Show();

  Press(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), TButtonState::bsExclusive);
  Press(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), TButtonState::bsUp);
  EXPECT_TRUE(other->Down());  // another group

  Press(b);  // going up is refused without AllowAllUp
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks.size(), 3u);

  a->SetAllowAllUp(true);  // the whole group follows
  EXPECT_TRUE(b->AllowAllUp());
  Press(b);
  EXPECT_FALSE(b->Down());
  EXPECT_FALSE(a->Down());
}

TEST_F(SpeedButtons, DownNeedsAGroup) {
  auto* b = Add(10);
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
  b->SetGroupIndex(3);
  b->SetDown(true);
  EXPECT_TRUE(b->Down());
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
}

}  // namespace
