// A control's face painted from its skin state: the section's fill or the
// control's own colour when it asks for it, its custom border over the
// section's, colour adjustments only over what was painted, and nothing at
// all for a state without a section.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "skin/core/SkinCommand.h"
#include "framework/WinControl.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/PaintBorderData.h"
#include "tests/skin/support/text_skin.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr uint32_t kSentinel = 0x11223344;
const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n[EDIT]\r\nCOLOR=$000000C0\r\nHOTCOLOR=$0000C000\r\n"
    "BORDERCOLOR0=$00404040\r\n[PANEL]\r\nTRANSPARENCY=100\r\n";

TacBackgroundSource ColorSource(uint32_t Color) {
  TacBackgroundSource bg;
  bg.FillColor = Color;
  return bg;
}

class ControlSkinPainting : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = TextSkinManager(L"Small", kSkin);
    ASSERT_TRUE(manager->IsSkinLoaded());
    control = std::make_unique<TCustomControl>(nullptr);
    control->SetBounds(0, 0, 12, 12);
    control->SetColor(TColor(0x808000));
    data = std::make_unique<TsCommonData>(nullptr, true);
    data->SetSkinManager(manager.get());
    data->SkinIndex = manager->GetSectionIndex(L"EDIT");
    ASSERT_GE(data->SkinIndex, 0);
    bmp = NewBitmap32(12, 12);
    FillRect32(*bmp, RECT{0, 0, 12, 12}, ExchangeRedBlue(kSentinel & 0xFFFFFF), kSentinel >> 24);
  }
  void TearDown() override { data->OwnerControl = nullptr; }
  uint32_t At(int X, int Y) { return GetPixel32(*bmp, X, Y); }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TCustomControl> control;
  std::unique_ptr<TsCommonData> data;
  std::unique_ptr<TBitmap> bmp;
  RECT all{0, 0, 12, 12};
};

}  // namespace

TEST_F(ControlSkinPainting, SectionFaceInTheStateWithItsBorder) {
  PaintControlSkin(*data, ColorSource(0xFF00FF), 0, all, POINT{0, 0}, bmp.get(), false);
  EXPECT_EQ(At(5, 5), 0xFFC00000u);
  EXPECT_EQ(At(0, 5), 0xFF404040u);
  PaintControlSkin(*data, ColorSource(0xFF00FF), 1, all, POINT{0, 0}, bmp.get(), false);
  EXPECT_EQ(At(5, 5), 0xFF00C000u);
}

TEST_F(ControlSkinPainting, CustomColourTakesTheControlsColour) {
  data->OwnerControl = control.get();
  FillControlBackground(*data, ColorSource(0xFF00FF), 0, all, POINT{0, 0}, bmp.get());
  EXPECT_EQ(At(5, 5), 0xFFC00000u);  // not asked for: the section's colour
  data->SetCustomColor(true);
  FillControlBackground(*data, ColorSource(0xFF00FF), 0, all, POINT{0, 0}, bmp.get());
  EXPECT_EQ(At(5, 5), 0xFF008080u);
}

TEST_F(ControlSkinPainting, CustomBorderColoursAndWidthWin) {
  TacPaintBorderData& border = data->CustomBorder();
  border.SetWidth(2);
  border.SetColorNormal(0x0000FF);
  border.SetColorActive(0xFF0000);
  EXPECT_TRUE(DrawControlBorder(bmp.get(), all, *data, ColorSource(0xFF00FF), 0));
  EXPECT_EQ(At(1, 5), 0xFFFF0000u);
  EXPECT_EQ(At(2, 5), kSentinel);
  EXPECT_TRUE(DrawControlBorder(bmp.get(), all, *data, ColorSource(0xFF00FF), 2));
  EXPECT_EQ(At(1, 5), 0xFF0000FFu);  // no pressed colour: the active one
}

TEST_F(ControlSkinPainting, ColourAdjustmentsFollowThePaintedFace) {
  data->Saturation = -255;  // grey
  PaintControlSkin(*data, ColorSource(0xFF00FF), 0, all, POINT{0, 0}, bmp.get(), false);
  uint32_t p = At(5, 5);
  EXPECT_EQ(p >> 16 & 0xFF, p & 0xFF);
  EXPECT_EQ(p >> 8 & 0xFF, p & 0xFF);
}

TEST_F(ControlSkinPainting, WithoutSectionOrBitmapNothingIsPainted) {
  data->SkinIndex = -1;
  PaintControlSkin(*data, ColorSource(0x808080), 0, all, POINT{0, 0}, bmp.get(), false);
  EXPECT_FALSE(DrawControlBorder(bmp.get(), all, *data, ColorSource(0x808080), 0));
  EXPECT_EQ(At(5, 5), kSentinel);
  EXPECT_EQ(At(0, 0), kSentinel);
  data->SkinIndex = manager->GetSectionIndex(L"EDIT");
  PaintControlSkin(*data, ColorSource(0x808080), 0, RECT{4, 4, 13, 10}, POINT{0, 0}, bmp.get(), false);
  PaintControlSkin(*data, ColorSource(0x808080), 0, all, POINT{0, 0}, nullptr, false);
  EXPECT_EQ(At(5, 5), kSentinel);
}

// The parent is asked for its background; a parent not ready yet gets the
// control to wait, and a black answer is black, not "no answer".
TEST_F(ControlSkinPainting, OverParentAsksTheParentFirst) {
  auto* form = new TForm(Application);
  form->FinishCreate();
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  uint8_t kind = bgkNotReady;
  TWndMethod inherited = panel->WindowProc;
  panel->WindowProc = [&kind, inherited](TMessage& m) {
    if (m.Msg != WM_SKINCOMMAND || SkinCommandCode(m.WParam) != AC_GETBG) return inherited(m);
    auto& info = *reinterpret_cast<TacBackgroundInfo*>(m.LParam);
    info.BgKind = kind;
    info.Color = 0;
    m.Result = 1;
  };
  data->SkinIndex = manager->GetSectionIndex(L"PANEL");
  EXPECT_FALSE(PaintControlSkinOverParent(*data, panel, 0, all, POINT{0, 0}, bmp.get(), false));
  EXPECT_EQ(At(5, 5), kSentinel);
  kind = bgkColor;
  EXPECT_TRUE(PaintControlSkinOverParent(*data, panel, 0, all, POINT{0, 0}, bmp.get(), false));
  EXPECT_EQ(At(5, 5), 0xFF000000u);
  delete form;
}
