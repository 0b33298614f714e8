// The combo edit's button: click key, clicks by mouse, button mode, the
// pop-up's place, the sections it answers and the button painted from the skin.
#include "skin/controls/CustomComboEdit.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/HintWindow.h"
#include "skin/core/SkinCommand.h"
#include "skin/imagelists/DefaultGlyphLists.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[EDIT]\r\nCOLOR=$00404040\r\nFONTCOLOR=$00F0F0F0\r\n"
    "[COMBOBTN]\r\nCOLOR=$002040C0\r\nHOTCOLOR=$0030C030\r\nFONTCOLOR=$00FFFFFF\r\n"
    "[BUTTON]\r\nCOLOR=$00808080\r\n";

// Holds a modifier key down in the keyboard state for the time it lives.
struct TKeyHeld {
  explicit TKeyHeld(BYTE Key) : FKey(Key) { Set(0x80); }
  ~TKeyHeld() { Set(0); }
  void Set(BYTE Value) {
    BYTE Keys[256];
    GetKeyboardState(Keys);
    Keys[FKey] = Value;
    SetKeyboardState(Keys);
  }
  BYTE FKey;
};

class ComboEditTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 320, 200);
    Edit = new TsCustomComboEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 150, 21);
    Edit->OnButtonClick = [this](TObject*) { ++Clicks; };
    Form->Show();
  }
  // Sends a left press and release with the cursor at P of the edit's window.
  void PressAt(POINT P, bool Release) {
    RECT W;
    GetWindowRect(Edit->Handle(), &W);
    SetCursorPos(W.left + P.x, W.top + P.y);
    POINT C{W.left + P.x, W.top + P.y};
    ScreenToClient(Edit->Handle(), &C);
    SendMessageW(Edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(C.x, C.y));
    if (Release) SendMessageW(Edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(C.x, C.y));
  }
  POINT ButtonCentre() {
    const RECT B = Edit->CalcButtonRect(false);
    return POINT{(B.left + B.right) / 2, (B.top + B.bottom) / 2};
  }
  std::unique_ptr<TForm> Form;
  TsCustomComboEdit* Edit = nullptr;
  int Clicks = 0;
};

TEST_F(ComboEditTest, ClickKeyClicksAnEnabledShownButtonOnly) {
  struct {
    bool ShowButton, ReadOnly;
    int Clicks;
  } Cases[] = {{true, false, 1}, {false, false, 0}, {true, true, 0}};
  for (auto& c : Cases) {
    Clicks = 0;
    Edit->SetShowButton(c.ShowButton);
    Edit->SetReadOnly(c.ReadOnly);
    Edit->SetFocus();
    {
      TKeyHeld Alt(VK_MENU);
      SendMessageW(Edit->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0);
    }
    EXPECT_EQ(Clicks, c.Clicks) << c.ShowButton << c.ReadOnly;
  }
}

TEST_F(ComboEditTest, EnterAndEscapeGoFirstToAPreviewingForm) {
  std::vector<WPARAM> DialogKeys;
  TWndMethod FormProc = Form->WindowProc;
  Form->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_DIALOGKEY) DialogKeys.push_back(m.WParam);
    FormProc(m);
  };
  for (bool Preview : {false, true}) {
    DialogKeys.clear();
    Form->SetKeyPreview(Preview);
    SendMessageW(Edit->Handle(), WM_CHAR, VK_RETURN, 0);
    SendMessageW(Edit->Handle(), WM_CHAR, VK_ESCAPE, 0);
    const std::vector<WPARAM> Expected = Preview ? std::vector<WPARAM>{VK_RETURN, VK_ESCAPE} : std::vector<WPARAM>{};
    EXPECT_EQ(DialogKeys, Expected) << Preview;
  }
  Form->WindowProc = FormProc;
}

TEST_F(ComboEditTest, CtrlASelectsTheWholeEditableText) {
  struct {
    bool ButtonMode, ReadOnly;
    DWORD Selection;
  } Cases[] = {{false, false, MAKELONG(0, 5)}, {true, false, 0}, {false, true, 0}};
  for (auto& c : Cases) {
    Edit->SetButtonMode(c.ButtonMode);
    Edit->SetReadOnly(c.ReadOnly);
    Edit->SetText(L"COM-1");
    SendMessageW(Edit->Handle(), EM_SETSEL, 0, 0);
    Edit->SetFocus();
    {
      TKeyHeld Ctrl(VK_CONTROL);
      SendMessageW(Edit->Handle(), WM_KEYDOWN, 'A', 0);
    }
    EXPECT_EQ(DWORD(SendMessageW(Edit->Handle(), EM_GETSEL, 0, 0)), c.Selection) << c.ButtonMode << c.ReadOnly;
  }
}

TEST_F(ComboEditTest, ArrowClicksOnPressGlyphOnReleaseOverIt) {
  ASSERT_FALSE(Edit->ComboButtonUsesDefaultGlyph());  // glyph 3 of the default list
  // A glyph button: nothing on the press, the click on the release over it.
  PressAt(ButtonCentre(), false);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(Edit->ButtonState(), 2);
  SendMessageW(Edit->Handle(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(Clicks, 1);
  // Released elsewhere: no click.
  PressAt(ButtonCentre(), false);
  SetCursorPos(0, 0);
  SendMessageW(Edit->Handle(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Edit->ButtonState(), 0);

  // The drop-down arrow clicks at once on the press.
  Edit->SetDefaultGlyphIndex(-1);
  ASSERT_TRUE(Edit->ComboButtonUsesDefaultGlyph());
  PressAt(ButtonCentre(), false);
  EXPECT_EQ(Clicks, 2);
  SendMessageW(Edit->Handle(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(Clicks, 2);
  // A press on the text is the edit's.
  PressAt(POINT{10, 10}, true);
  EXPECT_EQ(Clicks, 2);
}

TEST_F(ComboEditTest, AHoveredButtonShowsItsHintAfterThePause) {
  Application->SetHintPause(50);
  Edit->SetShowHint(true);
  Edit->GlyphMode().SetHint(L"Choose a file");
  RECT W;
  GetWindowRect(Edit->Handle(), &W);
  const POINT B = ButtonCentre();
  SetCursorPos(W.left + B.x, W.top + B.y);
  SendMessageW(Edit->Handle(), WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(Edit->ButtonHintWindow(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Edit->ButtonHintWindow() != nullptr; }));
  EXPECT_TRUE(IsWindowVisible(Edit->ButtonHintWindow()->Handle()));
  // Off the button, onto the text: the hint goes.
  SetCursorPos(W.left + 8, W.top + B.y);
  SendMessageW(Edit->Handle(), WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(Edit->ButtonHintWindow(), nullptr);
  Application->SetHintPause(500);
}

TEST_F(ComboEditTest, TheButtonShowsTheGlyphsCursorElseTheControlsElseTheArrow) {
  struct TCase {
    const char* Name;
    bool OverButton;
    TCursor GlyphCursor, EditCursor;
    const wchar_t* Expected;
  };
  const TCase cases[] = {
      {"neither set", true, crDefault, crDefault, IDC_ARROW},
      {"the control's", true, crDefault, crHandPoint, IDC_HAND},
      {"the glyph's first", true, crHandPoint, crIBeam, IDC_HAND},
      {"text keeps the edit's", false, crHandPoint, crDefault, IDC_IBEAM},
      {"text shows the control's", false, crIBeam, crHandPoint, IDC_HAND},
  };
  RECT W;
  GetWindowRect(Edit->Handle(), &W);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->GlyphMode().SetCursor(c.GlyphCursor);
    Edit->SetCursor(c.EditCursor);
    const POINT P = c.OverButton ? ButtonCentre() : POINT{8, ButtonCentre().y};
    SetCursorPos(W.left + P.x, W.top + P.y);
    ::SetCursor(nullptr);
    SendMessageW(Edit->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Edit->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.Expected));
  }
}

TEST_F(ComboEditTest, AButtonWithoutItsOwnImageIsAsWideAsAScrollBar) {
  Edit->SetButtonWidth(0);
  EXPECT_EQ(Edit->GlyphMode().GlyphWidth(), GetSystemMetrics(SM_CXVSCROLL) - 2);
  Edit->SetButtonWidth(30);
  EXPECT_EQ(Edit->GlyphMode().GlyphWidth(), 30);
  EXPECT_EQ(Edit->ButtonAreaWidth(true), 30 + 4);
}

TEST_F(ComboEditTest, ButtonModeTakesNoInput) {
  Edit->SetText(L"COM-1");
  Edit->SetButtonMode(true);
  EXPECT_TRUE(GetWindowLongW(Edit->Handle(), GWL_STYLE) & ES_READONLY);
  Edit->SetFocus();
  SendMessageW(Edit->Handle(), WM_CHAR, L'x', 0);
  SendMessageW(Edit->Handle(), WM_PASTE, 0, 0);
  SendMessageW(Edit->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(Edit->Text(), L"COM-1");
  // The whole control is the button.
  PressAt(POINT{10, 10}, true);
  EXPECT_EQ(Clicks, 1);

  Edit->SetButtonMode(false);
  Edit->SetDirectInput(false);
  EXPECT_TRUE(GetWindowLongW(Edit->Handle(), GWL_STYLE) & ES_READONLY);
  Edit->SetDirectInput(true);
  EXPECT_FALSE(GetWindowLongW(Edit->Handle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(ComboEditTest, SectionsAnsweredByMode) {
  auto Manager = TextSkinManager(L"Combo", kSkin);
  auto WithNoEdit = TextSkinManager(L"ComboNoEdit", kSkin + "[COMBONOEDIT]\r\nCOLOR=$00102030\r\n");
  struct {
    TsSkinManager* Manager;
    bool ButtonMode;
    int Section;
    const wchar_t* Index;
  } Cases[] = {{Manager.get(), false, ssEdit, L"EDIT"},
               {Manager.get(), true, ssButton, L"BUTTON"},
               {WithNoEdit.get(), true, ssComboNoEdit, L"COMBONOEDIT"}};
  for (auto& c : Cases) {
    Edit->SkinData()->SetSkinManager(c.Manager);
    Edit->SetButtonMode(c.ButtonMode);
    TMessage Section{WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFSECTION), 0, 0};
    Edit->WindowProc(Section);
    EXPECT_EQ(Section.Result, c.Section) << c.Index;
    TMessage Index{WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFINDEX), 0, 0};
    Edit->WindowProc(Index);
    EXPECT_EQ(Index.Result, c.Manager->GetSectionIndex(c.Index) + 1) << c.Index;
  }
  Edit->SkinData()->SetSkinManager(nullptr);
}

TEST_F(ComboEditTest, ThePopupOpensBelowOrAboveInsideTheScreen) {
  const int ScreenW = GetSystemMetrics(SM_CXSCREEN), ScreenH = GetSystemMetrics(SM_CYSCREEN);
  TControl Popup(nullptr);
  struct {
    int FormX, FormY, Alignment;
    bool Above;
    const char* Name;
  } Cases[] = {{100, 100, 0, false, "below, right edges"},
               {100, ScreenH - 120, 0, true, "above"},
               {ScreenW - 200, 100, 1, false, "left edges, moved left"},
               {0, 100, 0, false, "right edges, moved right"}};
  for (auto& c : Cases) {
    Form->SetBounds(c.FormX, c.FormY, 320, 200);
    Edit->SetPopupControl(&Popup);
    Edit->SetPopupAlignment(c.Alignment);
    Edit->DropDown();
    RECT E;
    GetWindowRect(Edit->Handle(), &E);
    EXPECT_TRUE(Edit->PopupActive()) << c.Name;
    EXPECT_EQ(Popup.Width(), Edit->PopupWidth());
    EXPECT_EQ(Popup.Top(), c.Above ? E.top - Edit->PopupHeight() : E.bottom) << c.Name;
    EXPECT_GE(Popup.Left(), 0) << c.Name;
    EXPECT_LE(Popup.Left() + Popup.Width(), ScreenW) << c.Name;
    if (c.Alignment == 0 && E.right - Edit->PopupWidth() >= 0) {
      EXPECT_EQ(Popup.Left() + Popup.Width(), E.right) << c.Name;
    }
    if (c.Alignment == 1 && E.left + Edit->PopupWidth() <= ScreenW) {
      EXPECT_EQ(Popup.Left(), E.left) << c.Name;
    }
    Edit->PopupClosed();
    EXPECT_FALSE(Edit->PopupActive());
    EXPECT_EQ(Edit->PopupControl(), nullptr);
  }
}

TEST_F(ComboEditTest, RightToLeftPutsTheButtonOnTheLeft) {
  const RECT Normal = Edit->CalcButtonRect(false);
  EXPECT_EQ(Normal.right, Edit->Width() - Edit->FrameMargin());
  Edit->SetBiDiMode(TBiDiMode::bdRightToLeft);
  const RECT Mirrored = Edit->CalcButtonRect(false);
  EXPECT_EQ(Mirrored.left, Edit->FrameMargin());
  EXPECT_EQ(Mirrored.right - Mirrored.left, Normal.right - Normal.left);
}

TEST_F(ComboEditTest, TheArrowButtonIsPaintedFromTheButtonSection) {
  auto Manager = TextSkinManager(L"Combo", kSkin);
  Edit->SetDefaultGlyphIndex(-1);
  Edit->SkinData()->SetSkinManager(Manager.get());
  Edit->SkinData()->Loaded(true);
  ASSERT_TRUE(Edit->SkinData()->IsSkinned());
  ASSERT_TRUE(Edit->BuildCache());
  const RECT B = Edit->CalcButtonRect(false);
  TBitmap& Cache = *Edit->SkinData()->CacheBmp;
  // A corner of the button shows COMBOBTN's colour; the text area EDIT's.
  EXPECT_EQ(GetPixel(Cache.DC(), B.left + 1, B.top + 1), RGB(0xC0, 0x40, 0x20));
  EXPECT_EQ(GetPixel(Cache.DC(), B.left - 6, Edit->Height() / 2), RGB(0x40, 0x40, 0x40));
  Edit->SkinData()->SetSkinManager(nullptr);
}

}  // namespace
