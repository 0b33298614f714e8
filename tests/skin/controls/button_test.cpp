// The skinned push button: its face in each paint state against the skin's
// section, the order of its mouse and keyboard events, the press it did not
// see, its modal-result colouring and caption layout, the split button's
// drop-down menu and the command link's hint font.
#include "framework/Edit.h"
#include "framework/PopupMenu.h"
#include "skin/controls/ButtonPress.h"
#include "skin/controls/SkinnedButton.h"
#include "tests/skin/controls/button_fixture.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <functional>
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

// Closes this thread's pop-up menu from a timer once it shows (or after a
// few seconds, so that a menu that should not have opened fails the test
// instead of hanging it), noting where it stood and running WhileOpen.
class MenuCloser {
 public:
  explicit MenuCloser(std::function<void()> WhileOpen = {}) {
    gCloser = this;
    FWhileOpen = std::move(WhileOpen);
    FTimer = SetTimer(nullptr, 0, 10, &MenuCloser::Tick);
  }
  ~MenuCloser() {
    KillTimer(nullptr, FTimer);
    gCloser = nullptr;
  }
  int Shown = 0;
  RECT At{};

 private:
  static HWND OpenMenu() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND wnd, LPARAM out) -> BOOL {
          wchar_t name[16] = {};
          GetClassNameW(wnd, name, 16);
          if (std::wstring(name) != L"#32768" || !IsWindowVisible(wnd)) return TRUE;
          *reinterpret_cast<HWND*>(out) = wnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuCloser* self = gCloser;
    if (!self) return;
    if (HWND menu = OpenMenu()) {
      ++self->Shown;
      GetWindowRect(menu, &self->At);
      if (self->FWhileOpen) self->FWhileOpen();
      EndMenu();
    } else if (++self->FTicks > 500) {
      EndMenu();
    }
  }
  static inline MenuCloser* gCloser = nullptr;
  std::function<void()> FWhileOpen;
  UINT_PTR FTimer = 0;
  int FTicks = 0;
};

TEST_F(SkinnedButtonTest, SplitButtonOpensItsMenuOnlyFromTheDropDownPart) {
  struct Case {
    const char* Name;
    int X;
    bool WithMenu;
    bool Opens;
  } cases[] = {
      {"drop-down part", 85, true, true},
      {"main part", 10, true, false},
      {"drop-down part without a menu", 85, false, false},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    auto* menu = new TPopupMenu(form.get());
    auto* item = new TMenuItem(menu);
    item->SetCaption(L"Item");
    menu->Items()->Add(item);
    button->SetStyle(TButtonStyle::bsSplitButton);
    if (c.WithMenu) button->SetDropDownMenu(menu);
    std::vector<std::string> seen;
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("down"); };
    button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("up"); };
    button->OnClick = [&](TObject*) { seen.push_back("click"); };
    bool shownWhileOpen = false;
    COLORREF faceWhileOpen = CLR_INVALID;
    MenuCloser closer([&] {
      shownWhileOpen = button->DropDownShown();
      faceWhileOpen = Face();
    });
    const COLORREF faceBefore = Face();
    const LPARAM at = MAKELPARAM(c.X, 10);
    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(closer.Shown, c.Opens ? 1 : 0) << c.Name;
    EXPECT_FALSE(button->DropDownShown()) << c.Name;
    if (c.Opens) {
      EXPECT_TRUE(shownWhileOpen) << c.Name;
      EXPECT_EQ(faceWhileOpen, kPressed) << c.Name;
      EXPECT_EQ(menu->PopupComponent(), button) << c.Name;
      const POINT corner = button->ClientToScreen(POINT{0, button->Height()});
      EXPECT_EQ(closer.At.left, corner.x) << c.Name;
      EXPECT_EQ(closer.At.top, corner.y) << c.Name;
      // The menu took the press: the button was neither pressed nor clicked.
      EXPECT_EQ(seen, std::vector<std::string>{}) << c.Name;
      EXPECT_EQ(Face(), faceBefore) << c.Name;
    } else {
      EXPECT_EQ(seen, (std::vector<std::string>{"down", "up", "click"})) << c.Name;
    }
  }
}

TEST_F(SkinnedButtonTest, FreedDropDownMenuIsForgotten) {
  auto* menu = new TPopupMenu(form.get());
  button->SetStyle(TButtonStyle::bsSplitButton);
  button->SetDropDownMenu(menu);
  delete menu;
  EXPECT_EQ(button->DropDownMenu(), nullptr);
  std::vector<std::string> seen;
  button->OnClick = [&](TObject*) { seen.push_back("click"); };
  MenuCloser closer;
  SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(85, 10));
  SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(85, 10));
  EXPECT_EQ(closer.Shown, 0);
  EXPECT_EQ(seen, std::vector<std::string>{"click"});
}

// A menu that runs its first item at once, as a user's pick would.
class TPickingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  void Popup(int, int) override { Items()->Items(0)->Click(); }
};

TEST_F(SkinnedButtonTest, MenuItemMayFreeTheButtonItDroppedFrom) {
  auto* menu = new TPickingMenu(form.get());
  auto* item = new TMenuItem(menu);
  menu->Items()->Add(item);
  item->OnClick = [&](TObject*) {
    delete button;
    button = nullptr;
  };
  button->SetStyle(TButtonStyle::bsSplitButton);
  button->SetDropDownMenu(menu);
  const HWND wnd = button->Handle();
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(85, 10));
  EXPECT_EQ(button, nullptr);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(menu->PopupComponent(), nullptr);
}

// A command link 220 x 90 with a hint in a large bold font of its own.
class CommandLinkTest : public SkinnedButtonTest {
 protected:
  void SetUp() override {
    SkinnedButtonTest::SetUp();
    button->SetBounds(20, 20, 220, 90);
    button->SetStyle(TButtonStyle::bsCommandLink);
    button->SetCaption(L"Go");
    button->SetCommandLinkHint(L"WWWW MMMM");
    button->CommandLinkFont().SetSize(14);
    button->CommandLinkFont().SetStyle(fsBold);
    button->CommandLinkFont().SetColor(kYellow);
  }
  // Pixels of Color in the hint's place of a freshly built cache.
  int HintPixels(COLORREF Color) {
    button->SkinData()->BGChanged = true;
    if (!button->BuildCache()) return -1;
    const RECT caption = button->CaptionRect();
    const int top = caption.bottom + button->ImageSpacing(), bottom = button->Height() - button->ContentMargin();
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = caption.left; x < caption.right; ++x)
        if (GetPixel(button->SkinData()->CacheBmp->DC(), x, y) == Color) ++n;
    return n;
  }
  static constexpr TColor kYellow = TColor(0x0000FFFF);
  static constexpr COLORREF kWhite = 0xFFFFFF;
};

TEST_F(CommandLinkTest, HintIsDrawnInTheCustomFontsColourOnlyWhenAskedFor) {
  struct Case {
    bool Custom;
    COLORREF Drawn, NotDrawn;
  } cases[] = {{true, COLORREF(kYellow), kWhite}, {false, kWhite, COLORREF(kYellow)}};
  for (const Case& c : cases) {
    button->SetCustomCommandLinkFont(c.Custom);
    EXPECT_GT(HintPixels(c.Drawn), 0) << "custom " << c.Custom;
    EXPECT_EQ(HintPixels(c.NotDrawn), 0) << "custom " << c.Custom;
  }
}

TEST_F(CommandLinkTest, ChangingTheFontRepaintsAndSettingItCopies) {
  button->SetCustomCommandLinkFont(true);
  ASSERT_GT(HintPixels(COLORREF(kYellow)), 0);
  ASSERT_FALSE(button->SkinData()->BGChanged);
  EXPECT_TRUE(button->CommandLinkFontStored());
  const TColor cyan = TColor(0x00FFFF00);
  button->CommandLinkFont().SetColor(cyan);
  EXPECT_TRUE(button->SkinData()->BGChanged);
  EXPECT_GT(HintPixels(COLORREF(cyan)), 0);
  EXPECT_EQ(HintPixels(COLORREF(kYellow)), 0);

  TFont other;
  other.Assign(button->CommandLinkFont());
  other.SetColor(kYellow);
  HintPixels(0);
  button->SetCommandLinkFont(other);
  EXPECT_TRUE(button->SkinData()->BGChanged);
  // A copy: the font handed in stays the caller's.
  other.SetColor(cyan);
  EXPECT_EQ(button->CommandLinkFont().Color(), kYellow);
  EXPECT_GT(HintPixels(COLORREF(kYellow)), 0);

  button->SetCommandLinkFont(TFont());
  EXPECT_FALSE(button->CommandLinkFontStored());
}

}  // namespace
