// The skinned push button: its face in each paint state against the skin's
// section, the order of its mouse and keyboard events, the press it did not
// see, its modal-result colouring and caption layout.
#include "framework/Edit.h"
#include "skin/controls/ButtonPress.h"
#include "skin/controls/SkinnedButton.h"
#include "tests/skin/controls/button_fixture.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Normal red, hot green, pressed blue: three states, so the default look
// is the hot one.
const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[BUTTON]\r\nSTATES=3\r\nUSESTATE2=1\r\nCOLOR=$000000FF\r\nHOTCOLOR=$0000FF00\r\nCOLOR2=$00FF0000\r\n"
    "FONTCOLOR=$00FFFFFF\r\nHOTFONTCOLOR=$00FFFFFF\r\nFONTCOLOR2=$00FFFFFF\r\n";
constexpr COLORREF kNormal = 0x0000FF, kHot = 0x00FF00, kPressed = 0xFF0000;

class SkinnedButtonTest : public SkinnedButtonFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(MakeForm(kSkin, RECT{120, 120, 440, 320}));
    button = Add<TsButton>(20, 20, 90, 30);
    button->SkinData()->SetSkinManager(manager.get());
    edit = Add<TEdit>(20, 80, 90, 22);
    form->Show();
    button->SkinData()->Loaded(true);
    ASSERT_TRUE(button->SkinData()->IsSkinned());
  }
  // The face colour in the middle of the button as the next paint shows it.
  COLORREF Face() { return CachedPixel(button, button->Width() / 2, button->Height() / 2); }

  TsButton* button = nullptr;
  TEdit* edit = nullptr;
};

TEST_F(SkinnedButtonTest, FacePaintsTheSectionStateOfEachPaintState) {
  struct Case {
    const char* Name;
    std::function<void(TsButton&)> Set;
    int State;
    COLORREF Face;
  } cases[] = {
      {"normal", [](TsButton&) {}, 0, kNormal},
      {"hot: mouse over", [](TsButton& b) { b.Perform(CM_MOUSEENTER, 0, 0); }, 1, kHot},
      {"pressed: Down", [](TsButton& b) { b.SetDown(true); }, 2, kPressed},
      {"pressed: the window's pushed state", [](TsButton& b) { SendMessageW(b.Handle(), BM_SETSTATE, TRUE, 0); }, 2,
       kPressed},
      // Three section states: the default look is painted as hot.
      {"default", [](TsButton& b) { b.SetDefault(true); }, 3, kHot},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    c.Set(*button);
    EXPECT_EQ(button->CurrentState(), c.State) << c.Name;
    EXPECT_EQ(Face(), c.Face) << c.Name;
  }
}

TEST_F(SkinnedButtonTest, ScreenShowsTheCachedFace) {
  button->SkinData()->Invalidate(true);
  PumpFor(0);
  HDC dc = GetDC(form->Handle());
  const COLORREF onScreen = GetPixel(dc, 20 + 45, 20 + 15);
  ReleaseDC(form->Handle(), dc);
  EXPECT_EQ(onScreen, kNormal);
}

TEST_F(SkinnedButtonTest, MouseEventsComeInOrderAndAReleaseWithoutPressRaisesNone) {
  std::vector<std::string> seen;
  button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("down"); };
  button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("up"); };
  button->OnClick = [&](TObject*) { seen.push_back("click"); };
  const LPARAM at = MAKELPARAM(10, 10);
  SendMessageW(button->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(seen.empty());
  SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_EQ(button->CurrentState(), 2);
  SendMessageW(button->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(seen, (std::vector<std::string>{"down", "up", "click"}));
  EXPECT_FALSE(HintsSuppressed);
  EXPECT_NE(button->CurrentState(), 2);
}

TEST_F(SkinnedButtonTest, SpaceShowsThePressAndClicksOnRelease) {
  std::vector<std::string> seen;
  button->OnKeyDown = [&](TObject*, WORD&, TShiftState) { seen.push_back("keydown"); };
  button->OnKeyUp = [&](TObject*, WORD&, TShiftState) { seen.push_back("keyup"); };
  button->OnClick = [&](TObject*) { seen.push_back("click"); };
  button->SetFocus();
  ASSERT_TRUE(WaitUntil([&] { return GetFocus() == button->Handle(); }));
  SendMessageW(button->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  // A keyboard press is pressed wherever the mouse is.
  EXPECT_EQ(button->CurrentState(), 2);
  EXPECT_EQ(Face(), kPressed);
  SendMessageW(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0390001);
  EXPECT_EQ(seen, (std::vector<std::string>{"keydown", "keyup", "click"}));
  EXPECT_NE(button->CurrentState(), 2);
}

TEST_F(SkinnedButtonTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  auto* cancel = new TsButton(form.get());
  cancel->SetParent(form.get());
  cancel->SetBounds(150, 20, 90, 30);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  button->SetDefault(true);
  button->SetModalResult(mrOk);
  std::vector<std::string> seen;
  button->OnClick = [&](TObject*) { seen.push_back("ok"); };
  cancel->OnClick = [&](TObject*) { seen.push_back("cancel"); };
  edit->SetFocus();
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    MSG msg{edit->Handle(), WM_KEYDOWN, key, 1};
    EXPECT_TRUE(form->DialogKey(msg));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"ok", "cancel"}));
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(SkinnedButtonTest, ModalResultEndsShowModal) {
  form->Hide();
  button->SetDefault(true);
  button->SetModalResult(mrOk);
  PostMessageW(edit->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->Visible());
}

TEST_F(SkinnedButtonTest, ModalButtonsColourTheirGlyphAndText) {
  manager->ButtonsOptions().SetModalButtonsColoring(bcGlyph | bcText);
  button->SetModalResult(mrOk);
  TacColoring c = button->GetColoring();
  EXPECT_EQ(c.ColorGlyph, 0xFF28851Au);
  EXPECT_EQ(c.ColorText, 0xFF28851Au);
  EXPECT_EQ(c.ColorBg, acColorUnset);
  button->SetModalResult(mrNo);
  button->SetDown(true);
  c = button->GetColoring();
  EXPECT_EQ(c.ColorGlyph, 0xFF0000A2u);
  button->OnGetColoring = [](TObject*, int, TacColoring& k) { k.ColorBg = 0x123456; };
  EXPECT_EQ(button->GetColoring().ColorBg, 0x123456u);
}

TEST_F(SkinnedButtonTest, EmptyCaptionCentresNothingAndCaptionFollowsTheImageSide) {
  button->SetCaption(L"");
  const RECT empty = button->CaptionRect();
  EXPECT_EQ(empty.right - empty.left, 0);
  button->SetCaption(L"Save");
  const RECT r = button->CaptionRect();
  EXPECT_GT(r.right - r.left, 0);
  EXPECT_EQ(r.left, (button->Width() - (r.right - r.left)) / 2);
}

}  // namespace
