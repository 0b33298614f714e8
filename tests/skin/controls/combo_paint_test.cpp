// The skinned combo under "Night (internal)": its sections and its list rows
// painted from the skin.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/controls/CustomCombo.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/painting/SectionPainting.h"
#include "tests/skin/controls/combo_fixture.h"

namespace {

uint32_t Pixel(TBitmap& Bmp, int X, int Y) { return ComboPixel(Bmp, X, Y); }

class ComboPaintTest : public ComboFixture {
 protected:
  void SetUp() override {
    TComboSetUp S;
    S.Items = 2;
    S.ItemHeight = 0;
    S.Focused = false;
    SetUpCombo(S);
  }
};

TEST_F(ComboPaintTest, TakesTheComboSectionOrTheListFaceSection) {
  ASSERT_TRUE(Combo->SkinData()->IsSkinned());
  const int combobox = Manager->GetSectionIndex(L"COMBOBOX");
  ASSERT_GE(combobox, 0);
  EXPECT_EQ(Combo->SkinData()->SkinIndex, combobox);
  const bool hasNoEdit = Manager->GetSectionIndex(L"COMBONOEDIT") >= 0;
  struct Case {
    TComboBoxStyle Style;
    int Section;
  } cases[] = {{TComboBoxStyle::csDropDown, ssComboBox},
               {TComboBoxStyle::csDropDownList, hasNoEdit ? ssComboNoEdit : ssButton}};
  for (const Case& c : cases) {
    Combo->SetStyle(c.Style);
    EXPECT_EQ(Combo->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFSECTION), 0), c.Section) << int(c.Style);
  }
}

TEST_F(ComboPaintTest, RowsAreTheEditColourAndTheSelectionSectionWhenSelected) {
  TacSkinData* skin = Combo->SkinData()->GetScaledSkinData();
  ASSERT_NE(skin, nullptr);
  const int selection = skin->SectionIndex(L"SELECTION");
  ASSERT_GE(selection, 0);
  const int w = 120, h = 17;
  auto plain = NewBitmap32(w, h);
  Combo->PaintItem(*plain, 1, 0, RECT{0, 0, w, h});
  EXPECT_EQ(Pixel(*plain, w - 3, h / 2), Manager->Palette()[pcEditBG] & 0xFFFFFF);

  auto selected = NewBitmap32(w, h);
  auto expected = NewBitmap32(w, h);
  Combo->PaintItem(*selected, 1, acItemSelected, RECT{0, 0, w, h});
  TacBackgroundSource bg;
  bg.Bmp = expected.get();
  bg.Ready = true;
  PaintSkinSection(selection, bg, 1, RECT{0, 0, w, h}, POINT{0, 0}, expected.get(), skin);
  // Away from the text: the section as the painter draws it.
  for (POINT p : {POINT{w - 3, h / 2}, POINT{w / 2 + 30, 2}, POINT{1, h - 2}})
    EXPECT_EQ(Pixel(*selected, p.x, p.y), Pixel(*expected, p.x, p.y)) << p.x << "," << p.y;
  EXPECT_NE(Pixel(*selected, w - 3, h / 2), Pixel(*plain, w - 3, h / 2));
}

}  // namespace
