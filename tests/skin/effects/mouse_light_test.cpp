// Mouse light: which pointer positions light a control, where the spot is
// drawn, and that the ticker sleeps while the pointer rests, wakes for a
// control's mouse move and leaves nothing lit when the light goes off.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/WinControl.h"
#include "skin/effects/InstallEffects.h"
#include "skin/effects/MouseLight.h"
#include "skin/manager/MouseLighting.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CtrlSkinData.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(MouseLightGeometry, NearWithin64PixelsOfTheWidenedZone) {
  // 100 x 40 at the origin: centre (50, 20); the zone reaches 50 past each
  // edge (half the larger side).
  const RECT r{0, 0, 100, 40};
  struct Case {
    POINT P;
    bool Near;
    POINT Offset;
  } cases[] = {
      {{50, 20}, true, {0, 0}},
      {{213, 20}, true, {-163, 0}},   // 63 past the zone
      {{214, 20}, false, {-164, 0}},  // 64 past: out
      {{-114, 20}, false, {164, 0}},
      {{50, 20 + 20 + 50 + 63}, true, {0, -133}},
      // 45 past on both axes: 63.6 away, lit; 46 on both: 65.05, not.
      {{195, 135}, true, {-145, -115}},
      {{196, 136}, false, {-146, -116}},
  };
  for (const Case& c : cases) {
    POINT off{};
    EXPECT_EQ(MouseNearRect(r, c.P, off), c.Near) << c.P.x << "," << c.P.y;
    EXPECT_EQ(off.x, c.Offset.x);
    EXPECT_EQ(off.y, c.Offset.y);
  }
}

TEST(MouseLightGeometry, SpotCentredOnThePointerAndRadiusHeld) {
  // Control 80 x 30, pointer 10 right of and 5 above its centre.
  const POINT o = LightSpotOrigin(80, 30, POINT{-10, 5}, SIZE{201, 201});
  EXPECT_EQ(o.x, 40 + 10 - 100);
  EXPECT_EQ(o.y, 15 - 5 - 100);
  EXPECT_EQ(LightSpotRadius(50, 100, 200), 100);
  EXPECT_EQ(LightSpotRadius(150, 100, 200), 150);
  EXPECT_EQ(LightSpotRadius(900, 100, 200), 200);
}

class MouseLight : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InstallEffects();
  }
  void SetUp() override {
    manager = TextSkinManager(L"Light", "[GLOBALINFO]\r\nVERSION=12.50\r\n[BUTTON]\r\nCOLOR=$00C0C0C0\r\n");
    form = std::make_unique<TForm>(nullptr, CreateNew);
    form->SetBounds(100, 100, 300, 200);
    control = new TCustomControl(form.get());
    control->SetParent(form.get());
    control->SetBounds(20, 20, 100, 40);
    form->Show();
    data = std::make_unique<TsCtrlSkinData>(control, false);
    data->OwnerControl = control;
    data->SkinIndex = manager->GetSectionIndex(L"BUTTON");
  }
  void TearDown() override {
    SetMouseLightActive(false);
    data.reset();
    form.reset();
  }
  void PointAtControl() {
    RECT r{};
    GetWindowRect(control->Handle(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TCustomControl* control = nullptr;
  std::unique_ptr<TsCtrlSkinData> data;
};

TEST_F(MouseLight, TickerSleepsWhileThePointerRests) {
  EXPECT_EQ(AddLightControl(data.get()), AddLightControl(data.get()));
  SetMouseLightActive(true);
  EXPECT_TRUE(MouseLightActive());
  PointAtControl();
  PumpFor(50);
  // Woken by the control's mouse move, it runs while the pointer moves and
  // stops by itself once it rests.
  UpdateMouseLight(data.get(), true);
  EXPECT_TRUE(data->LightActive);
  EXPECT_TRUE(WaitUntil([] { return !MouseLightTicking(); }));
  PumpFor(100);
  EXPECT_FALSE(MouseLightTicking());
  // Off: one last pass leaves nothing lit.
  SetMouseLightActive(false);
  EXPECT_FALSE(data->LightActive);
  EXPECT_FALSE(MouseLightTicking());
}

TEST_F(MouseLight, NeverLitOnAMinimisedFormOrFarAway) {
  AddLightControl(data.get());
  SetMouseLightActive(true);
  PointAtControl();
  UpdateMouseLight(data.get(), true);
  EXPECT_TRUE(data->LightActive);
  ShowWindow(form->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(form->Handle()) != 0; }));
  UpdateMouseLight(data.get(), true);
  EXPECT_FALSE(data->LightActive);
  ShowWindow(form->Handle(), SW_RESTORE);
  SetCursorPos(0, 0);
  PointAtControl();
  RECT r{};
  GetWindowRect(control->Handle(), &r);
  SetCursorPos(r.right + 50 + 80, r.top);  // far past the widened zone
  UpdateMouseLight(data.get(), true);
  EXPECT_FALSE(data->LightActive);
}

TEST_F(MouseLight, WithoutManagerItStaysOffAndAGoneStateLeavesTheList) {
  AddLightControl(data.get());
  data.reset();      // leaves the lists on its way out
  MouseLightPass();  // would touch the freed state otherwise
  manager.reset();
  SetMouseLightActive(true);
  EXPECT_FALSE(MouseLightActive());
}

}  // namespace
