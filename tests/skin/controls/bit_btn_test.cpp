// The skinned bit button: its default look against the control that has the
// focus, its glyph drawn where the layout puts it, children moving with the
// pressed look, and the ranges and switches of its appearance values.
#include "framework/Edit.h"
#include "framework/GdiHandles.h"
#include "skin/controls/SkinnedBitBtn.h"
#include "skin/controls/SkinnedButton.h"
#include "skin/state/StateQueries.h"
#include "tests/skin/controls/button_fixture.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[BUTTON]\r\nSTATES=3\r\nCOLOR=$000000FF\r\nHOTCOLOR=$0000FF00\r\nCOLOR2=$00FF0000\r\n";
constexpr COLORREF kNormal = 0x0000FF, kHot = 0x00FF00, kGlyph = 0x00FFFF;

// A 16 x 16 glyph: yellow, with the bottom-left pixel white, the colour a
// glyph strip without alpha keys out.
HBITMAP YellowGlyph() {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  const TMemoryDC dc = TMemoryDC::ForScreen();
  HGDIOBJ old = SelectObject(dc.get(), bmp);
  TOwnedBrush yellow(CreateSolidBrush(kGlyph));
  RECT r{0, 0, 16, 16};
  FillRect(dc.get(), &r, yellow.get());
  SetPixel(dc.get(), 0, 15, RGB(255, 255, 255));
  SelectObject(dc.get(), old);
  return bmp;
}

class SkinnedBitBtnTest : public SkinnedButtonFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(MakeForm(kSkin, RECT{140, 140, 500, 340}));
    btn = Add<TsBitBtn>(20, 20, 120, 40);
    edit = Add<TEdit>(20, 100, 90, 22);
    other = Add<TsButton>(160, 20, 90, 30);
    form->Show();
    for (TsCommonData* d : {static_cast<TsCommonData*>(btn->SkinData()), static_cast<TsCommonData*>(other->SkinData())})
      d->Loaded(true);
    ASSERT_TRUE(btn->SkinData()->IsSkinned());
  }
  COLORREF At(int x, int y) { return CachedPixel(btn, x, y); }

  TsBitBtn* btn = nullptr;
  TEdit* edit = nullptr;
  TsButton* other = nullptr;
};

TEST_F(SkinnedBitBtnTest, BlendIsClampedToAPercent) {
  btn->SetBlend(150);
  EXPECT_EQ(btn->Blend(), 100);
  btn->SetBlend(-5);
  EXPECT_EQ(btn->Blend(), 0);
}

TEST_F(SkinnedBitBtnTest, DefaultLookFollowsTheControlThatHasTheFocus) {
  btn->SetDefault(true);
  edit->SetFocus();
  ASSERT_TRUE(WaitUntil([&] { return GetFocus() == edit->Handle(); }));
  EXPECT_EQ(btn->CurrentState(), 3);
  // Three section states: the default look is the hot one.
  EXPECT_EQ(At(4, btn->Height() / 2), kHot);
  other->SetFocus();
  ASSERT_TRUE(WaitUntil([&] { return GetFocus() == other->Handle(); }));
  EXPECT_EQ(btn->CurrentState(), 0);
  EXPECT_EQ(At(4, btn->Height() / 2), kNormal);
}

TEST_F(SkinnedBitBtnTest, GlyphIsDrawnWhereTheLayoutPutsIt) {
  btn->Glyph().SetBitmap(YellowGlyph());
  btn->SetCaption(L"");
  btn->SetMargin(10);
  // Centred content ignores a margin smaller than the free space.
  btn->SetAlignment(TAlignment::taLeftJustify);
  btn->SetLayout(TButtonLayout::blGlyphLeft);
  At(0, 0);
  const RECT g = btn->BitBtnGlyphRect();
  EXPECT_EQ(g.left, 10);
  EXPECT_EQ(g.right - g.left, 16);
  EXPECT_EQ(g.top, (btn->Height() - 16) / 2);
  EXPECT_EQ(At(g.left + 8, g.top + 8), kGlyph);
  // The keyed colour lets the face through.
  EXPECT_EQ(At(g.left, g.bottom - 1), kNormal);
}

TEST_F(SkinnedBitBtnTest, ChildrenMoveWithThePressedLook) {
  btn->SetAcceptsControls(true);
  auto* child = new TEdit(form.get());
  child->SetParent(btn);
  child->SetBounds(5, 5, 30, 20);
  ASSERT_TRUE(ShiftsContentOnClick(btn->SkinData()->SkinIndex, btn->SkinData()->GetScaledSkinData()));
  btn->SetDown(true);
  At(0, 0);
  EXPECT_EQ(child->Left(), 6);
  EXPECT_EQ(child->Top(), 6);
  btn->SetDown(false);
  At(0, 0);
  EXPECT_EQ(child->Left(), 5);
  EXPECT_EQ(child->Top(), 5);
}

TEST_F(SkinnedBitBtnTest, NoCaptionMeansNoCaptionSpace) {
  btn->SetCaption(L"Keyboard");
  EXPECT_GT(btn->CaptionSize().cx, 0);
  btn->SetShowCaption(false);
  EXPECT_EQ(btn->CaptionSize().cx, 0);
  EXPECT_EQ(btn->CaptionSize().cy, 0);
}

}  // namespace
