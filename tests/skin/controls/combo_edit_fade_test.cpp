// The combo edit's state fade: hovering and leaving fade when the skin
// manager allows animation and repaint at once when it does not; a fade ends
// on the picture of the new state, and a combo edit freed while it fades
// leaves no timer window behind.
#include "skin/controls/CustomComboEdit.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/effects/InstallEffects.h"
#include "skin/state/ThreadedTimer.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[EDIT]\r\nCOLOR=$00404040\r\nFONTCOLOR=$00F0F0F0\r\n"
    "[COMBOBTN]\r\nCOLOR=$002040C0\r\nHOTCOLOR=$0030C030\r\nFONTCOLOR=$00FFFFFF\r\n";
const COLORREF kButtonNormal = RGB(0xC0, 0x40, 0x20);
const COLORREF kButtonHot = RGB(0x30, 0xC0, 0x30);

int ThreadWindowCount() {
  int Count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND, LPARAM Counter) {
        ++*reinterpret_cast<int*>(Counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&Count));
  return Count;
}

class ComboEditFade : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InstallEffects();
  }
  void SetUp() override {
    Manager = TextSkinManager(L"Fade", kSkin);
    Manager->SetActive(true);
    ASSERT_TRUE(Manager->IsSkinLoaded());
    Form = std::make_unique<TForm>(nullptr, CreateNew);
    Form->SetBounds(100, 100, 320, 200);
    Form->Show();
    Away();
    WindowsBefore = ThreadWindowCount();
    Edit = new TsCustomComboEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 150, 21);
    // The drop-down arrow on COMBOBTN, whose hot colour shows the change.
    Edit->SetDefaultGlyphIndex(-1);
    Edit->SetTabStop(false);
    // Made in code: its section is found once its window exists.
    Edit->HandleNeeded();
    ASSERT_TRUE(Edit->SkinData()->IsSkinned());
    Edit->Repaint();
    ASSERT_TRUE(WaitUntil([&] { return Screen(ButtonCorner()) == kButtonNormal; }));
  }
  void TearDown() override {
    Form.reset();
    Manager.reset();
  }

  // The cursor off the form, where no control of the test lies.
  void Away() { SetCursorPos(20, 20); }
  void Enter() {
    RECT W;
    GetWindowRect(Edit->Handle(), &W);
    const RECT B = Edit->CalcButtonRect(false);
    SetCursorPos(W.left + (B.left + B.right) / 2, W.top + (B.top + B.bottom) / 2);
    Edit->Perform(CM_MOUSEENTER, 0, 0);
  }
  void Leave() {
    Away();
    Edit->Perform(CM_MOUSELEAVE, 0, 0);
  }
  POINT ButtonCorner() {
    const RECT B = Edit->CalcButtonRect(false);
    return POINT{B.left + 1, B.top + 1};
  }
  // A point of the border, left of the text.
  POINT Border() { return POINT{1, Edit->Height() / 2}; }
  COLORREF Screen(POINT P) {
    HDC DC = GetWindowDC(Edit->Handle());
    const COLORREF C = GetPixel(DC, P.x, P.y);
    ReleaseDC(Edit->Handle(), DC);
    return C;
  }
  COLORREF Cache(POINT P) { return GetPixel(Edit->SkinData()->CacheBmp->DC(), P.x, P.y); }
  TacThreadedTimer* Fade() { return Edit->SkinData()->FadeTimer; }
  bool Fading() { return Fade() && Fade()->Enabled(); }

  std::unique_ptr<TsSkinManager> Manager;
  std::unique_ptr<TForm> Form;
  TsCustomComboEdit* Edit = nullptr;
  int WindowsBefore = 0;
};

TEST_F(ComboEditFade, HoverAndLeaveFadeOnlyWhenAnimationIsAllowed) {
  for (bool Allowed : {true, false}) {
    SCOPED_TRACE(Allowed ? "animation allowed" : "animation off");
    Manager->Effects().SetAllowAnimation(Allowed);
    Enter();
    EXPECT_EQ(Edit->ButtonState(), 1);
    if (Allowed) {
      ASSERT_TRUE(Fading());
      EXPECT_EQ(Fade()->StepProc, &FadeStepComboEdit);
      EXPECT_EQ(Fade()->State, 3) << "the hovered button's own state";
    } else {
      EXPECT_FALSE(Fading());
      EXPECT_EQ(Screen(ButtonCorner()), kButtonHot) << "painted at once";
    }
    ASSERT_TRUE(WaitUntil([&] { return !Fading(); }));

    Leave();
    EXPECT_EQ(Edit->ButtonState(), 0);
    if (Allowed) {
      ASSERT_TRUE(Fading());
      EXPECT_EQ(Fade()->State, 0);
    } else {
      EXPECT_FALSE(Fading());
      EXPECT_EQ(Screen(ButtonCorner()), kButtonNormal) << "painted at once";
    }
    ASSERT_TRUE(WaitUntil([&] { return !Fading(); }));
  }
}

TEST_F(ComboEditFade, AFadeEndsOnThePictureOfTheNewState) {
  Manager->Effects().SetAllowAnimation(true);
  struct {
    const char* Name;
    bool Interrupted;
  } Cases[] = {{"hover, then leave", false}, {"leave before the hover has faded in", true}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Enter();
    ASSERT_TRUE(Fading());
    if (!C.Interrupted) {
      ASSERT_TRUE(WaitUntil([&] { return !Fading(); }));
      for (POINT P : {ButtonCorner(), Border()}) EXPECT_EQ(Screen(P), Cache(P)) << P.x << "," << P.y;
      EXPECT_EQ(Screen(ButtonCorner()), kButtonHot);
    }
    Leave();
    ASSERT_TRUE(Fading());
    // On the way the button shows a blend well between both pictures (the hot
    // green 0xC0, the normal 0x40).
    bool Blended = false;
    ASSERT_TRUE(WaitUntil([&] {
      if (!Fading()) return true;
      if (TBitmap* Frame = Fade()->FrameImage.get()) {
        const POINT P = ButtonCorner();
        const COLORREF C = GetPixel(Frame->DC(), P.x, P.y);
        Blended = Blended || (GetGValue(C) > 0x50 && GetGValue(C) < 0xB0);
      }
      return false;
    }));
    EXPECT_TRUE(Blended);
    for (POINT P : {ButtonCorner(), Border()}) EXPECT_EQ(Screen(P), Cache(P)) << P.x << "," << P.y;
    EXPECT_EQ(Screen(ButtonCorner()), kButtonNormal);
    // A fade back to normal lets go of its pictures.
    EXPECT_EQ(Fade()->FrameImage, nullptr);
  }
}

TEST_F(ComboEditFade, AShortRunCutIntoALeaveEndsOnTheNewPicture) {
  Manager->Effects().SetAllowAnimation(true);
  Enter();
  ASSERT_TRUE(WaitUntil([&] { return !Fading(); }));
  Leave();
  ASSERT_TRUE(Fading());
  // The leave held at its first frame, halfway down in level: the mouse
  // coming back onto the text gets a run of few steps that starts late.
  Fade()->SetEnabled(false);
  Fade()->Level = 128;
  RECT W;
  GetWindowRect(Edit->Handle(), &W);
  SetCursorPos(W.left + 8, W.top + Edit->Height() / 2);
  Edit->Perform(CM_MOUSEENTER, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Fading(); }));
  for (POINT P : {ButtonCorner(), Border()}) EXPECT_EQ(Screen(P), Cache(P)) << P.x << "," << P.y;
  EXPECT_EQ(Screen(ButtonCorner()), kButtonNormal);
  Leave();
}

TEST_F(ComboEditFade, AnEditFreedWhileFadingLeavesNoWindowBehind) {
  Manager->Effects().SetAllowAnimation(true);
  Enter();
  ASSERT_TRUE(Fading());
  const HWND Wnd = Edit->Handle();
  delete Edit;
  Edit = nullptr;
  // Ticks that were already due find nothing to paint.
  PumpFor(100);
  EXPECT_FALSE(IsWindow(Wnd));
  EXPECT_EQ(ThreadWindowCount(), WindowsBefore);
}

}  // namespace
