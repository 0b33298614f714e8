// The skinned speed button: its layouts, its drop-down menu and its face in
// each state and the click circle it shows while held, on a small skin of
// plain colours.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/controls/SkinnedSpeedButton.h"
#include "skin/effects/ClickCircle.h"
#include "skin/effects/InstallEffects.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/ThreadedTimer.h"
#include "tests/skin/support/PixelHelpers.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[SPEEDBUTTON]\r\nCOLOR=$00203040\r\nHOTCOLOR=$00506070\r\nCOLOR2=$00708090\r\n"
    "FONTCOLOR=$00FFFFFF\r\nHOTFONTCOLOR=$00FFFFFF\r\nFONTCOLOR2=$00FFFFFF\r\nTRANSPARENCY=0\r\n"
    "HOTTRANSPARENCY=0\r\nTRANSPARENCY2=0\r\nUSESTATE2=1\r\n"
    "[TOOLBUTTON]\r\nCOLOR=$00102010\r\nTRANSPARENCY=0\r\n";

// A menu that does not run modally: it notes what the button looked like
// while it was open and closes at once.
class TNotingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override {
    ++Shown;
    At = POINT{x, y};
    if (WhileOpen) WhileOpen();
  }
  int Shown = 0;
  POINT At{};
  std::function<void()> WhileOpen;
};

class SkinnedSpeedButton : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    CreateDirectoryW((skins.Path() + L"Small").c_str(), nullptr);
    ScratchFolder::WriteBytes(skins.Path() + L"Small\\Options.dat", kSkin);
    form = std::make_unique<TForm>(Application, CreateNew);
    form->SetClientSize(300, 120);
    form->SetColor(TColor(0x00010203));
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  void LoadSkin() {
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->OnShowError = [](const String&) { ADD_FAILURE() << "error shown"; };
    manager->Effects().SetAllowAnimation(false);
    manager->SetSkinDirectory(skins.Path());
    manager->SetSkinName(L"Small");
    ASSERT_TRUE(manager->IsSkinLoaded());
  }
  TsSpeedButton* Add(int left = 10, int width = 80, int height = 30) {
    auto* b = new TsSpeedButton(form.get());
    b->SetBounds(left, 10, width, height);
    b->SetParent(form.get());
    b->SkinData()->Loaded(true);
    return b;
  }
  // What the button paints into a bitmap of its size.
  std::unique_ptr<TBitmap> Painted(TsSpeedButton* b) {
    std::unique_ptr<TBitmap> bmp(FilledBitmap32(b->Width(), b->Height(), 0xFF00FF00));
    b->SkinData()->BGChanged = true;
    b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp->DC()), 0);
    return bmp;
  }
  void Press(TsSpeedButton* b, int x, int y) {
    const HWND wnd = form->Handle();
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b->Left() + x, b->Top() + y));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(b->Left() + x, b->Top() + y));
  }
  // The button's pixel as 0xRRGGBB.
  static uint32_t Rgb(TBitmap& bmp, int x, int y) { return PixelAt(bmp, x, y) & 0xFFFFFF; }

  ScratchFolder skins;
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
};

TEST_F(SkinnedSpeedButton, AnswersItsSectionsAndStoresLimitedValues) {
  LoadSkin();
  auto* b = Add();
  EXPECT_EQ(b->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFSECTION), 0), ssSpeedButton);
  EXPECT_EQ(b->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFINDEX), 0),
            manager->GetSectionIndex(L"SPEEDBUTTON") + 1);
  b->SetFlat(true);
  EXPECT_EQ(b->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFINDEX), 0),
            manager->GetSectionIndex(L"TOOLBUTTON") + 1);
  EXPECT_EQ(b->SkinData()->CtrlKind, 92);
  EXPECT_EQ(b->Margin(), -1);
  for (auto [value, kept] : {std::pair{-5, 0}, {40, 40}, {250, 100}}) {
    b->SetBlend(value);
    EXPECT_EQ(b->Blend(), kept) << value;
  }
}

TEST_F(SkinnedSpeedButton, FaceFollowsTheStateOfTheSection) {
  LoadSkin();
  auto* b = Add();
  b->SetCaption(L"");
  form->Show();
  ASSERT_TRUE(b->SkinData()->IsSkinned());
  EXPECT_EQ(Rgb(*Painted(b), 40, 15), 0x403020u);  // COLOR, in BGR as the skin writes it

  b->SkinData()->MouseAbove = true;  // as the hot speed button of the manager
  EXPECT_EQ(b->CurrentState(), 1);
  EXPECT_EQ(Rgb(*Painted(b), 40, 15), 0x706050u);
  b->SkinData()->MouseAbove = false;

  b->SetGroupIndex(1);
  b->SetDown(true);
  EXPECT_EQ(b->CurrentState(), 2);
  EXPECT_EQ(Rgb(*Painted(b), 40, 15), 0x908070u);
}

TEST_F(SkinnedSpeedButton, GlyphSitsInItsRectangleOverTheFace) {
  LoadSkin();
  auto* b = Add(10, 60, 40);
  b->SetCaption(L"");
  std::unique_ptr<TBitmap> red(FilledBitmap32(8, 8, 0xFFFF0000));
  b->Glyph().Assign(*red);
  b->GlyphChanged();
  form->Show();
  auto bmp = Painted(b);
  const RECT r = SpeedButtonGlyphRect(b, true);
  EXPECT_EQ(r.right - r.left, 8);
  EXPECT_EQ(r.bottom - r.top, 8);
  // Red, give or take the alpha blend's rounding.
  EXPECT_EQ(Rgb(*bmp, (r.left + r.right) / 2, (r.top + r.bottom) / 2) & 0xF0F0F0, 0xF00000u);
  EXPECT_EQ(Rgb(*bmp, r.left - 3, r.top), 0x403020u);  // the face beside it
}

TEST_F(SkinnedSpeedButton, DividerWithoutItsSectionShowsOnlyTheParent) {
  LoadSkin();
  auto* b = Add(10, 20);
  b->SetButtonStyle(TToolButtonStyle::tbsDivider);
  form->Show();
  auto bmp = Painted(b);
  for (int x : {0, 9, 10, 19}) EXPECT_EQ(Rgb(*bmp, x, 15), 0x030201u) << x;  // the form's colour
}

// Caption and glyph places against the metrics the button measured.
TEST_F(SkinnedSpeedButton, LayoutsPlaceCaptionAndGlyph) {
  LoadSkin();
  auto* b = Add(10, 120, 60);
  b->SetCaption(L"Go");
  b->Glyph().SetPixelFormat(pf32bit);
  b->Glyph().SetSize(16, 16);
  b->SetSpacing(4);
  form->Show();

  struct Case {
    const char* name;
    TButtonLayout layout;
    TAlignment alignment, textAlignment;
    int margin;
    std::function<void(const TacSpeedButtonMetrics&, const RECT& text, const RECT& glyph)> check;
  };
  const int W = 120, H = 60;
  const Case cases[] = {
      {"left, content at the left, text at the right edge", TButtonLayout::blGlyphLeft, TAlignment::taLeftJustify,
       TAlignment::taRightJustify, 0,
       [&](const TacSpeedButtonMetrics& k, const RECT& text, const RECT& glyph) {
         EXPECT_EQ(text.right, W - k.M);
         EXPECT_EQ(glyph.left, k.M);
       }},
      {"left, centred", TButtonLayout::blGlyphLeft, TAlignment::taCenter, TAlignment::taCenter, -1,
       [&](const TacSpeedButtonMetrics& k, const RECT& text, const RECT& glyph) {
         EXPECT_EQ(glyph.right + k.Sp, text.left);
         EXPECT_NEAR(glyph.left, W - text.right, 2);
         EXPECT_EQ(glyph.top, (H - 16) / 2);
       }},
      {"top, margin -1 centres glyph and caption together", TButtonLayout::blGlyphTop, TAlignment::taCenter,
       TAlignment::taCenter, -1,
       [&](const TacSpeedButtonMetrics& k, const RECT& text, const RECT& glyph) {
         EXPECT_EQ(glyph.top, (H - 16 - k.Sp - k.TH) / 2);
         EXPECT_NEAR(glyph.top, H - text.bottom, 2);
         EXPECT_GE(text.top, glyph.bottom);
       }},
      {"right, content at the right", TButtonLayout::blGlyphRight, TAlignment::taRightJustify,
       TAlignment::taRightJustify, 2,
       [&](const TacSpeedButtonMetrics& k, const RECT& text, const RECT& glyph) {
         EXPECT_EQ(glyph.right, W - k.M);
         EXPECT_EQ(text.right + k.Sp, glyph.left);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    b->SetLayout(c.layout);
    b->SetAlignment(c.alignment);
    b->SetTextAlignment(c.textAlignment);
    b->SetMargin(c.margin);
    b->UpdateMetrics();
    const TacSpeedButtonMetrics& k = b->Metrics();
    ASSERT_GT(k.TW, 0);
    EXPECT_EQ(k.GW, 16);
    c.check(k, b->CaptionRect(false), SpeedButtonGlyphRect(b, false));
  }
}

TEST_F(SkinnedSpeedButton, TextAtTheRightEdgeOnlyWithAGlyph) {
  LoadSkin();
  auto* b = Add(10, 120, 30);
  b->SetCaption(L"Go");
  b->SetMargin(0);
  b->SetAlignment(TAlignment::taLeftJustify);
  b->SetTextAlignment(TAlignment::taRightJustify);
  b->UpdateMetrics();
  EXPECT_EQ(b->CaptionRect(false).left, b->Metrics().M);  // no glyph: stays left
}

TEST_F(SkinnedSpeedButton, LoadedWithAnImageDropsItsGlyph) {
  TImageList images(form.get());
  images.SetWidth(16);
  images.SetHeight(16);
  TBitmap picture;
  picture.SetPixelFormat(pf32bit);
  picture.SetSize(16, 16);
  images.Add(&picture, nullptr);
  const struct {
    int index;
    bool glyphKept;
  } cases[] = {{0, false}, {5, true}, {-1, true}};
  for (const auto& c : cases) {
    auto* b = new TsSpeedButton(form.get());
    b->SetParent(form.get());
    b->Glyph().SetSize(8, 8);
    b->SetImages(&images);
    b->SetImageIndex(c.index);
    b->Loaded();
    EXPECT_EQ(!b->Glyph().Empty(), c.glyphKept) << c.index;
  }
}

TEST_F(SkinnedSpeedButton, SplitButtonClicksOnTheMainPartAndOpensTheMenuOnTheRight) {
  LoadSkin();
  auto* b = Add(10, 80, 30);
  TNotingMenu menu(form.get());
  b->SetButtonStyle(TToolButtonStyle::tbsDropDown);
  b->SetDropdownMenu(&menu);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  b->UpdateMetrics();
  ASSERT_EQ(b->Metrics().SW, 16);

  Press(b, 20, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(menu.Shown, 0);

  TButtonState stateInMenu{};
  bool shownInMenu = false;
  menu.WhileOpen = [&] {
    stateInMenu = b->State();
    shownInMenu = b->DropDownShown();
    EXPECT_EQ(DropDownSpeedButton, b);
    EXPECT_EQ(menu.PopupComponent(), b);
  };
  SetCursorPos(0, 0);  // the menu closes with the cursor away
  Press(b, 75, 10);
  EXPECT_EQ(menu.Shown, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(shownInMenu);
  EXPECT_EQ(stateInMenu, TButtonState::bsUp);  // the main part is not pressed
  const POINT corner = b->ClientToScreen(POINT{0, b->Height()});
  EXPECT_EQ(menu.At.x, corner.x);
  EXPECT_EQ(menu.At.y, corner.y);
  EXPECT_FALSE(b->DropDownShown());
  EXPECT_EQ(DropDownSpeedButton, nullptr);
}

TEST_F(SkinnedSpeedButton, WholeButtonOpensTheMenuWithoutOnClick) {
  LoadSkin();
  auto* b = Add(10, 80, 30);
  TNotingMenu menu(form.get());
  b->SetButtonStyle(TToolButtonStyle::tbsDropDown);
  b->SetDropdownMenu(&menu);
  form->Show();
  int stateInMenu = -1;
  menu.WhileOpen = [&] { stateInMenu = b->CurrentState(); };
  SetCursorPos(0, 0);
  b->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(b));
  EXPECT_TRUE(b->SkinData()->MouseAbove);
  EXPECT_EQ(manager->HotSpeedButton(), b);
  Press(b, 10, 10);
  EXPECT_EQ(menu.Shown, 1);
  EXPECT_EQ(stateInMenu, 2);
  EXPECT_EQ(b->State(), TButtonState::bsUp);
  EXPECT_FALSE(b->SkinData()->MouseAbove);  // left the hot state with the cursor away
  EXPECT_EQ(manager->HotSpeedButton(), nullptr);

  // Closed with the cursor over the button: the next press only closes the
  // menu (that press was the one closing it), the one after opens it again.
  const POINT over = b->ClientToScreen(POINT{10, 10});
  SetCursorPos(over.x, over.y);
  Press(b, 10, 10);
  EXPECT_EQ(menu.Shown, 2);
  Press(b, 10, 10);
  EXPECT_EQ(menu.Shown, 2);
  Press(b, 10, 10);
  EXPECT_EQ(menu.Shown, 3);
  SetCursorPos(0, 0);
}

TEST_F(SkinnedSpeedButton, MenuFreedIsForgotten) {
  auto* b = Add();
  auto* menu = new TNotingMenu(form.get());
  b->SetDropdownMenu(menu);
  delete menu;
  EXPECT_EQ(b->DropdownMenu(), nullptr);
}

// Last here: the effects stay installed for the process.
TEST_F(SkinnedSpeedButton, HeldPressGrowsTheClickCircleUntilReleased) {
  InstallEffects();
  LoadSkin();
  manager->Effects().SetAllowAnimation(true);
  manager->AnimEffects().Buttons.SetEvents(manager->AnimEffects().Buttons.Events() | beClick);
  auto* b = Add(10, 80, 30);
  form->Show();
  UpdateWindow(form->Handle());
  const POINT over = b->ClientToScreen(POINT{40, 15});
  ASSERT_TRUE(SetCursorPos(over.x, over.y));
  const HWND wnd = form->Handle();
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b->Left() + 40, b->Top() + 15));
  TacThreadedTimer* t = b->SkinData()->FadeTimer;
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->StepProc, &ClickCircleStep);
  const double first = t->Radius;
  EXPECT_GT(first, 0);
  ASSERT_TRUE(WaitUntil([&] { return t->Radius >= first + 3; }));
  EXPECT_TRUE(t->Enabled());
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(b->Left() + 40, b->Top() + 15));
  SetCursorPos(0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !t->Enabled(); }));
}

}  // namespace
