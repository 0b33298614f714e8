// The skinned bevel: its section follows shape and style, its lines are
// three-pixel strips of the section, and without a skin it is the
// framework's bevel.
#include "skin/controls/Bevel.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/graphics/Bitmap32.h"
#include "tests/skin/manager/support/night_manager.h"
#include "tests/skin/support/PixelHelpers.h"

namespace {

constexpr uint32_t kMagenta = 0xFFFF00FF;

// The bevel painted over magenta, as its parent paints it.
std::unique_ptr<TBitmap> Painted(TBevel& Bevel) {
  std::unique_ptr<TBitmap> bmp(FilledBitmap32(Bevel.Width(), Bevel.Height(), kMagenta));
  Bevel.Perform(WM_PAINT, WPARAM(bmp->DC()));
  return bmp;
}

class BevelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override { form = std::make_unique<TForm>(Application, CreateNew); }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  void LoadNight() {
    manager = LoadedNightManager();
    ASSERT_TRUE(manager->IsSkinLoaded());
  }
  template <class T>
  T* Make(TBevelShape Shape, int W, int H) {
    auto* bevel = new T(form.get());
    bevel->SetParent(form.get());
    bevel->SetBounds(5, 5, W, H);
    bevel->SetShape(Shape);
    return bevel;
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
};

TEST_F(BevelTest, WithoutASkinItLooksLikeTheFrameworksBevel) {
  for (TBevelShape shape :
       {TBevelShape::bsBox, TBevelShape::bsFrame, TBevelShape::bsTopLine, TBevelShape::bsRightLine}) {
    auto* plain = Make<TBevel>(shape, 30, 20);
    auto* skinned = Make<TsBevel>(shape, 30, 20);
    auto a = Painted(*plain), b = Painted(*skinned);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) ASSERT_EQ(PixelAt(*a, x, y), PixelAt(*b, x, y)) << x << "," << y;
  }
}

TEST_F(BevelTest, SectionFollowsShapeAndStyle) {
  LoadNight();
  auto* bevel = Make<TsBevel>(TBevelShape::bsTopLine, 40, 9);
  bevel->SetStyle(TBevelStyle::bsLowered);
  EXPECT_EQ(bevel->SkinData()->SkinSection(), L"PANEL_LOW");
  auto lowered = Painted(*bevel);
  bevel->SetStyle(TBevelStyle::bsRaised);
  EXPECT_EQ(bevel->SkinData()->SkinSection(), L"PANEL");
  EXPECT_TRUE(bevel->SkinData()->BGChanged);
  auto raised = Painted(*bevel);
  // The sections' colours (tools/skingen/palette.py): PANEL and FORM.
  EXPECT_EQ(PixelAt(*lowered, 20, 1) & 0xFFFFFF, 0x1C1F23u);
  EXPECT_EQ(PixelAt(*raised, 20, 1) & 0xFFFFFF, 0x202327u);
  bevel->SetShape(TBevelShape::bsFrame);
  EXPECT_EQ(bevel->SkinData()->SkinSection(), L"GROUPBOX");
}

TEST_F(BevelTest, TopLinePaintsOnlyItsTopThreeRowsInsideTheEnds) {
  LoadNight();
  auto* bevel = Make<TsBevel>(TBevelShape::bsTopLine, 40, 9);
  auto bmp = Painted(*bevel);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inside = y < 3 && x >= 3 && x < 40 - 3;
      EXPECT_EQ(PixelAt(*bmp, x, y) != kMagenta, inside) << x << "," << y;
    }
}

}  // namespace
