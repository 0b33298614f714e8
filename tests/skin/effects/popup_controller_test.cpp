// The pop-up controller: where a pop-up goes, how it grows in, that it never
// takes the activation, when it closes, and that showing it again and again
// leaves no handlers, GDI or USER objects behind.
#include "skin/effects/PopupController.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "skin/core/SkinCommand.h"
#include "skin/effects/ShadowForm.h"
#include "skin/forms/ChildMessages.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/SkinManager.h"
#include "tests/support/wait_until.h"

namespace {

TEST(PopupPlacement, BelowAboveAndPushedLeftInsideTheWorkArea) {
  const RECT work{0, 0, 1000, 700};
  struct Case {
    const char* Name;
    RECT Ctrl;
    int X, Y, Width, Height;
    bool RightToLeft;
    RECT Expected;
    int Flags;
  } cases[] = {
      {"below", {100, 100, 250, 121}, -1, -1, 150, 200, false, {100, 121, 250, 321}, 0},
      {"right to left", {100, 100, 250, 121}, -1, -1, 200, 200, true, {50, 121, 250, 321}, 0},
      {"asked place", {100, 100, 250, 121}, 300, 40, 150, 200, false, {300, 40, 450, 240}, 0},
      {"above at the bottom", {100, 600, 250, 621}, -1, -1, 150, 200, false, {100, 399, 250, 599}, 1},
      {"pushed left", {900, 100, 980, 121}, -1, -1, 150, 200, false, {850, 121, 1000, 321}, 2},
      {"both", {900, 600, 980, 621}, -1, -1, 150, 200, false, {850, 399, 1000, 599}, 3},
      {"taller than above: clamped", {100, 300, 250, 321}, -1, -1, 150, 500, false, {100, 0, 250, 500}, 1},
  };
  for (const Case& c : cases) {
    const TacPopupPlace p = PlacePopup(c.Ctrl, work, c.X, c.Y, c.Width, c.Height, c.Width, c.Height, c.RightToLeft);
    EXPECT_EQ(p.Bounds.left, c.Expected.left) << c.Name;
    EXPECT_EQ(p.Bounds.top, c.Expected.top) << c.Name;
    EXPECT_EQ(p.Bounds.right, c.Expected.right) << c.Name;
    EXPECT_EQ(p.Bounds.bottom, c.Expected.bottom) << c.Name;
    EXPECT_EQ(p.Flags, c.Flags) << c.Name;
  }
}

TEST(PopupGrowth, GrowsFromTheControlsWidthToThePictureWhileTheAlphaRises) {
  TacPopupGrowth g(200, 100, 80, 8, false, 255);
  std::vector<int> alphas;
  RECT previous{0, 0, 0, -1}, r{};
  for (int i = 0; i <= 8; ++i) {
    alphas.push_back(g.NextAlpha());
    r = g.FrameRect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_GE(r.right, previous.right) << i;
    EXPECT_GT(r.bottom, previous.bottom) << i;
    if (i == 0) {
      EXPECT_EQ(r.right, 80);
      EXPECT_EQ(r.bottom, 0);
    }
    previous = r;
    g.Advance();
  }
  EXPECT_EQ(alphas, (std::vector<int>{26, 51, 77, 103, 128, 154, 179, 205, 231}));
  // The last frame falls just short of the whole picture, shown after it.
  EXPECT_NEAR(r.right, 200, 2);
  EXPECT_NEAR(r.bottom, 100, 2);
}

TEST(PopupGrowth, FromTheCentreTheOriginMovesOutToTheCorner) {
  TacPopupGrowth g(200, 100, 80, 8, true, 200);
  RECT r{};
  for (int i = 0; i <= 8; ++i) {
    EXPECT_LE(g.NextAlpha(), 200);
    r = g.FrameRect();
    if (i == 0) {
      EXPECT_EQ(r.left, 100);
      EXPECT_EQ(r.top, 50);
    }
    g.Advance();
  }
  EXPECT_LE(r.left, 1);
  EXPECT_LE(r.top, 1);
  EXPECT_GE(r.right, 199);
}

TEST(PopupGrowth, NoStepsOrNoPictureShowTheWholeAtOnce) {
  struct Case {
    int W, H, Steps;
  } cases[] = {{200, 100, 0}, {200, 100, -3}, {0, 0, 8}, {1, 1, 8}};
  for (const Case& c : cases) {
    TacPopupGrowth g(c.W, c.H, 50, c.Steps, false, 240);
    const uint8_t alpha = g.NextAlpha();
    if (c.Steps <= 0) {
      EXPECT_EQ(alpha, 240);
    }
    const RECT r = g.FrameRect();
    EXPECT_EQ(r.right, c.W) << c.W << " steps " << c.Steps;
    EXPECT_EQ(r.bottom, c.H) << c.W << " steps " << c.Steps;
    g.Advance();
    EXPECT_EQ(g.FrameRect().right, c.W);
  }
}

int gSteps = 0;
TForm* gFormToFree = nullptr;
int gFreeAtStep = -1;

void CountSteps(TacPopupStep& Step) {
  EXPECT_EQ(Step.Index, gSteps);
  ++gSteps;
  if (Step.Index == gFreeAtStep && gFormToFree) {
    delete gFormToFree;
    gFormToFree = nullptr;
  }
}

void StopAtOnce(TacPopupStep& Step) {
  ++gSteps;
  Step.Steps = 0;
}

class PopupForms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InitGraphUtils();
  }
  void SetUp() override {
    Main = new TForm(nullptr, CreateNew);
    Main->SetBounds(100, 100, 400, 300);
    Edit = new TEdit(Main);
    Edit->SetParent(Main);
    Edit->SetBounds(20, 20, 150, 24);
    Main->Show();
    SetForegroundWindow(Main->Handle());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Main->Handle(); }));
    gSteps = 0;
    gFormToFree = nullptr;
    gFreeAtStep = -1;
  }
  void TearDown() override {
    FreePopupController();
    delete Main;
    Application->ProcessMessages();
  }
  TForm* NewPopup() {
    auto* f = new TForm(nullptr, CreateNew);
    f->SetBorderStyle(TFormBorderStyle::bsNone);
    f->SetBounds(0, 0, 150, 120);
    return f;
  }
  bool Visible(TForm* F) { return F->HandleAllocated() && IsWindowVisible(F->Handle()); }

  TForm* Main = nullptr;
  TEdit* Edit = nullptr;
};

TEST_F(PopupForms, NeverTakesTheActivation) {
  TForm* popup = NewPopup();
  ShowPopupForm(popup, Edit, -1, -1, false, nullptr, false);
  EXPECT_TRUE(Visible(popup));
  EXPECT_EQ(GetForegroundWindow(), Main->Handle());
  EXPECT_EQ(GetActiveWindow(), Main->Handle());
  EXPECT_EQ(
      SendMessageW(popup->Handle(), WM_MOUSEACTIVATE, WPARAM(Main->Handle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
      MA_NOACTIVATE);
  // Under the edit, with its shadow.
  RECT edit{}, r{};
  GetWindowRect(Edit->Handle(), &edit);
  GetWindowRect(popup->Handle(), &r);
  EXPECT_EQ(r.left, edit.left);
  EXPECT_EQ(r.top, edit.bottom);
  ASSERT_EQ(PopupController()->HandlerCount(), 1);
  TacShadowForm* shadow = PopupController()->Handler(0)->Shadow;
  ASSERT_NE(shadow, nullptr);
  EXPECT_TRUE(IsWindowVisible(shadow->Handle()));
  EXPECT_EQ(PopupController()->VisiblePopupCount(nullptr), 1);
  EXPECT_EQ(PopupController()->IndexOfWindow(popup->Handle()), 0);
  delete popup;
  EXPECT_EQ(PopupController()->HandlerCount(), 0);
}

TEST_F(PopupForms, ClosesWhenTheApplicationLosesTheActivation) {
  TForm* popup = NewPopup();
  ShowPopupForm(popup, Edit, -1, -1, false, nullptr, false);
  PumpFor(40);
  EXPECT_TRUE(Visible(popup)) << "stays while the application is active";
  PopupController()->IsAppActive = [] { return false; };
  EXPECT_TRUE(WaitUntil([&] { return !Visible(popup); }));
  EXPECT_EQ(PopupController()->HandlerCount(), 0);
  delete popup;
}

TEST_F(PopupForms, APressThatCapturesTheMouseElsewhereClosesIt) {
  struct Case {
    const char* Name;
    bool OnControl;
    bool Closes;
  } cases[] = {{"on its control", true, false}, {"elsewhere", false, true}};
  for (const Case& c : cases) {
    TForm* popup = NewPopup();
    ShowPopupForm(popup, Edit, -1, -1, false, nullptr, false);
    SetCapture(c.OnControl ? Edit->Handle() : Main->Handle());
    if (c.Closes)
      EXPECT_TRUE(WaitUntil([&] { return !Visible(popup); })) << c.Name;
    else {
      PumpFor(60);
      EXPECT_TRUE(Visible(popup)) << c.Name;
    }
    ReleaseCapture();
    delete popup;
    EXPECT_EQ(PopupController()->HandlerCount(), 0) << c.Name;
  }
}

TEST_F(PopupForms, APressOnItsControlClosesItAndTellsTheControlFirst) {
  std::vector<UINT> seen;
  TWndMethod original = Edit->WindowProc;
  Edit->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_LBUTTONDOWN || (m.Msg == WM_SKINCOMMAND && HIWORD(m.WParam) == AC_CODE91)) seen.push_back(m.Msg);
    original(m);
  };
  TForm* popup = NewPopup();
  ShowPopupForm(popup, Edit, -1, -1, false, nullptr, false);
  Edit->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(3, 3));
  EXPECT_FALSE(Visible(popup));
  EXPECT_EQ(seen, (std::vector<UINT>{WM_SKINCOMMAND, WM_LBUTTONDOWN}));
  EXPECT_EQ(PopupController()->HandlerCount(), 0);
  ReleaseCapture();
  Edit->WindowProc = original;
  delete popup;
}

TEST_F(PopupForms, APopupOpenedFromInsideAnotherKeepsTheOuterOneOpen) {
  TForm* outer = NewPopup();
  auto* inner = NewPopup();
  auto* innerEdit = new TEdit(outer);
  innerEdit->SetParent(outer);
  innerEdit->SetBounds(5, 5, 100, 22);
  ShowPopupForm(outer, Edit, -1, -1, false, nullptr, false);
  ShowPopupForm(inner, innerEdit, -1, -1, false, nullptr, false);
  EXPECT_TRUE(PopupController()->HasPopupOnForm(outer));
  SetCapture(inner->Handle());
  PumpFor(60);
  EXPECT_TRUE(Visible(outer));
  EXPECT_TRUE(Visible(inner));
  ReleaseCapture();
  // Closing all but the one holding innerEdit leaves the outer form open.
  PopupController()->ClosePopups(innerEdit);
  EXPECT_TRUE(Visible(outer));
  EXPECT_FALSE(Visible(inner));
  PopupController()->ClosePopups(nullptr);
  EXPECT_FALSE(Visible(outer));
  EXPECT_EQ(PopupController()->HandlerCount(), 0);
  delete inner;
  delete outer;
}

TEST_F(PopupForms, ShownAThousandTimesLeavesNothingBehind) {
  HANDLE process = GetCurrentProcess();
  auto cycle = [&] {
    TForm* popup = NewPopup();
    ShowPopupForm(popup, Edit, -1, -1, false, nullptr, false);
    ASSERT_TRUE(Visible(popup));
    PopupController()->ClosePopups(nullptr);
    ASSERT_FALSE(Visible(popup));
    ASSERT_EQ(PopupController()->HandlerCount(), 0);
    delete popup;
    Application->ProcessMessages();
  };
  for (int i = 0; i < 20; ++i) cycle();
  const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
  for (int i = 0; i < 1000; ++i) {
    cycle();
    if (HasFatalFailure()) return;
  }
  // The last shadow is freed from the message loop.
  WaitUntil([&] { return GetGuiResources(process, GR_USEROBJECTS) <= user; }, 2000);
  EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi + 4);
  EXPECT_LE(GetGuiResources(process, GR_USEROBJECTS), user + 4);
  EXPECT_EQ(PopupController()->HandlerCount(), 0);
}

TEST_F(PopupForms, AFormShownAgainGetsOneHandler) {
  TForm* popup = NewPopup();
  for (int i = 0; i < 3; ++i) {
    ShowPopupForm(popup, Edit, -1, -1, false, nullptr, false);
    EXPECT_EQ(PopupController()->HandlerCount(), 1);
    popup->Close();
    EXPECT_FALSE(Visible(popup));
    EXPECT_EQ(PopupController()->HandlerCount(), 0);
  }
  delete popup;
}

TEST_F(PopupForms, TheShowAnimationRunsItsStepsAndEndsWhenTheFormGoes) {
  TsSkinManager manager(nullptr);
  ASSERT_EQ(TsSkinManager::DefaultManager(), &manager);
  {
    TForm* popup = NewPopup();
    ShowPopupForm(popup, Edit, -1, -1, true, CountSteps, false);
    EXPECT_EQ(gSteps, 9);
    EXPECT_TRUE(Visible(popup));
    EXPECT_EQ(GetForegroundWindow(), Main->Handle());
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(popup->Handle(), nullptr, &alpha, &flags);
    EXPECT_EQ(alpha, 255);
    delete popup;
  }
  {
    gSteps = 0;
    TForm* popup = NewPopup();
    ShowPopupForm(popup, Edit, -1, -1, true, StopAtOnce, true);
    EXPECT_EQ(gSteps, 1) << "no steps left: the final state at once";
    EXPECT_TRUE(Visible(popup));
    delete popup;
  }
  {
    gSteps = 0;
    TForm* popup = NewPopup();
    HWND wnd = popup->Handle();
    gFormToFree = popup;
    gFreeAtStep = 3;
    ShowPopupForm(popup, Edit, -1, -1, true, CountSteps, false);
    EXPECT_EQ(gSteps, 4);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(PopupController()->HandlerCount(), 0);
  }
  EXPECT_FALSE(AnimationRunning);
}

}  // namespace
