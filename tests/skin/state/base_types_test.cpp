// The custom border: when it counts as custom, when it tells its owner, and
// how a corner radius is limited by the control's shorter side.
#include "framework/Application.h"
#include "framework/Control.h"
#include "skin/state/CommonData.h"
#include "skin/state/PaintBorderData.h"

#include <gtest/gtest.h>

namespace {

class BaseTypesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
};

TEST_F(BaseTypesTest, BorderTurnsCustomAndTellsOncePerChange) {
  TComponent owner(nullptr);
  int changes = 0;
  TacPaintBorderData border(
      &owner, [&](TObject*) { ++changes; }, nullptr);
  EXPECT_FALSE(border.IsCustom());
  EXPECT_EQ(border.Width(), -1);
  EXPECT_EQ(border.ColorNormal(), 0x1FFFFFFFu);
  EXPECT_EQ(border.Radius(3), -1);

  border.SetRadiusTopLeft(0);
  EXPECT_TRUE(border.IsCustom());
  EXPECT_EQ(changes, 1);
  border.SetRadiusTopLeft(0);
  EXPECT_EQ(changes, 1);
  border.SetRadiusTopLeft(-1);
  EXPECT_FALSE(border.IsCustom());

  struct Case {
    const char* what;
    void (*set)(TacPaintBorderData&);
  } cases[] = {
      {"width", [](TacPaintBorderData& b) { b.SetWidth(0); }},
      {"normal colour", [](TacPaintBorderData& b) { b.SetColorNormal(0); }},
      {"active colour", [](TacPaintBorderData& b) { b.SetColorActive(0xFF); }},
      {"pressed colour", [](TacPaintBorderData& b) { b.SetColorPressed(0xFF00); }},
      {"bottom-right radius", [](TacPaintBorderData& b) { b.SetRadiusBottomRight(4); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TacPaintBorderData b(&owner, nullptr, nullptr);
    c.set(b);
    EXPECT_TRUE(b.IsCustom());
  }

  // While the owner loads, changes are stored without telling.
  changes = 0;
  owner.BeginLoading();
  border.SetWidth(2);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(border.Width(), 2);
  owner.EndLoading();
}

TEST_F(BaseTypesTest, CornerRadiusIsLimitedByTheShorterSide) {
  struct Case {
    const char* what;
    int width, height;
    int radii[4];
    int corner, expected;
  } cases[] = {
      {"wide, all 15", 100, 20, {15, 15, 15, 15}, 0, 10},
      {"wide, the corner below unset", 100, 20, {15, 15, -1, 15}, 0, 15},
      {"wide, room enough", 100, 40, {15, 15, 15, 15}, 3, 15},
      {"tall, all 15", 20, 100, {15, 15, 15, 15}, 1, 10},
      {"tall, limit above half", 24, 100, {15, 10, 15, 15}, 0, 14},
      {"zero stays", 100, 20, {0, 15, 15, 15}, 0, 0},
      {"unset stays", 100, 20, {-1, 15, 15, 15}, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TControl control(nullptr);
    control.SetBounds(0, 0, c.width, c.height);
    TsCommonData data(&control, false);
    for (int i = 0; i < 4; ++i) data.CustomBorder().SetRadius(i, c.radii[i]);
    EXPECT_EQ(data.CustomBorder().GetCornerRadius(c.corner), c.expected);
  }
}

}  // namespace
