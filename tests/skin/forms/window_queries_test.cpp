// Window and control queries on real windows: covering by windows above,
// positions in window coordinates, ancestry, the mouse, names and texts,
// and the background colour a control shows.
#include "skin/forms/WindowQueries.h"

#include "skin/core/SkinUtils.h"
#include "support/form_fixture.h"
#include "tests/support/wait_until.h"

namespace {

// A plain top-level window of the system's STATIC class, on top of the
// z-order when made.
class TTestWindow {
 public:
  TTestWindow(RECT R, DWORD ExStyle = 0, bool Visible = true)
      : FWnd(CreateWindowExW(ExStyle | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, R.left, R.top,
                             R.right - R.left, R.bottom - R.top, nullptr, nullptr, nullptr, nullptr)) {
    if (Visible) SetWindowPos(FWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  ~TTestWindow() { DestroyWindow(FWnd); }
  TTestWindow(const TTestWindow&) = delete;
  TTestWindow& operator=(const TTestWindow&) = delete;
  HWND get() const { return FWnd; }

 private:
  HWND FWnd;
};

using WindowQueries = FormFixture;

TEST(WndCovered, OnlyAWholeOpaqueWindowAboveCovers) {
  const RECT target{100, 100, 300, 250};
  struct Case {
    const char* name;
    RECT cover;
    DWORD exStyle;
    bool visible;
    bool covered;
  } cases[] = {
      {"same rectangle, edges on the target's", target, 0, true, true},
      {"larger on every side", {90, 90, 310, 260}, 0, true, true},
      {"one pixel short on the right", {100, 100, 299, 250}, 0, true, false},
      {"one pixel short at the bottom", {100, 100, 300, 249}, 0, true, false},
      {"one pixel short at the left", {101, 100, 300, 250}, 0, true, false},
      {"partly over it", {200, 150, 400, 400}, 0, true, false},
      {"layered", target, WS_EX_LAYERED, true, false},
      {"transparent to the mouse", target, WS_EX_TRANSPARENT, true, false},
      {"hidden", target, 0, false, false},
  };
  TTestWindow below(target);
  for (const Case& c : cases) {
    TTestWindow cover(c.cover, c.exStyle, c.visible);
    EXPECT_EQ(IsWndCovered(below.get(), target), c.covered) << c.name;
  }
  // Nothing above at all.
  SetWindowPos(below.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(IsWndCovered(below.get(), target));
}

TEST_F(WindowQueries, ControlIsCoveredByAWindowHoldingItsScreenRectangle) {
  auto* Panel = Add<TPanel>(Form, L"Panel", RECT{10, 10, 110, 60});
  auto* Graphic = Add<TGraphicControl>(Panel, L"Graphic", RECT{5, 5, 25, 15});
  Form->Show();
  RECT panel, graphic;
  GetControlScreenRect(Panel, panel);
  GetControlScreenRect(Graphic, graphic);
  EXPECT_EQ(RectWidth(panel), 100);
  const POINT origin = Panel->ClientOrigin();
  EXPECT_EQ(graphic.left, origin.x + 5);
  EXPECT_EQ(graphic.top, origin.y + 5);
  EXPECT_EQ(graphic.right, origin.x + 25);
  EXPECT_EQ(graphic.bottom, origin.y + 15);

  EXPECT_TRUE(HasVisibleRegion(Panel));
  EXPECT_TRUE(HasVisibleRegion(Graphic));  // through its parent's window
  EXPECT_FALSE(HasVisibleRegion(nullptr));
  EXPECT_FALSE(IsControlCovered(Panel));
  {
    TTestWindow layered(panel, WS_EX_LAYERED);
    EXPECT_FALSE(IsControlCovered(Panel));
  }
  {
    TTestWindow overGraphicOnly(graphic);
    EXPECT_TRUE(IsControlCovered(Graphic));
    EXPECT_FALSE(IsControlCovered(Panel));
  }
  TTestWindow cover(panel);
  EXPECT_TRUE(IsControlCovered(Panel));
}

TEST_F(WindowQueries, WindowCoordinatesOfClientAreaAndPoints) {
  Form->Show();
  HWND wnd = Form->Handle();
  RECT window, client;
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT clientOnScreen{0, 0};
  ClientToScreen(wnd, &clientOnScreen);

  RECT inWnd;
  ClientRectInWnd(wnd, inWnd);
  EXPECT_EQ(inWnd.left, clientOnScreen.x - window.left);
  EXPECT_EQ(inWnd.top, clientOnScreen.y - window.top);
  EXPECT_EQ(RectWidth(inWnd), client.right);
  EXPECT_EQ(RectHeight(inWnd), client.bottom);
  POINT origin;
  ClientOriginInWnd(wnd, origin);
  EXPECT_EQ(origin.x, inWnd.left);
  EXPECT_EQ(origin.y, inWnd.top);

  POINT p;
  ScreenToWndPoint(wnd, window.left + 7, window.top + 9, p);
  EXPECT_EQ(p.x, 7);
  EXPECT_EQ(p.y, 9);
}

TEST_F(WindowQueries, AncestryFormsAndNames) {
  auto* Outer = Add<TPanel>(Form, L"Outer");
  auto* Inner = Add<TPanel>(Outer, L"Inner");
  auto* Graphic = Add<TGraphicControl>(Inner, L"Graphic");
  HWND inner = Inner->Handle();
  EXPECT_EQ(TopParentWnd(inner), Form->Handle());
  EXPECT_EQ(TopAncestorWnd(Form->Handle()), Form->Handle());
  EXPECT_TRUE(IsWndOrDescendant(inner, Outer->Handle()));
  EXPECT_TRUE(IsWndOrDescendant(inner, inner));
  EXPECT_FALSE(IsWndOrDescendant(Outer->Handle(), inner));
  EXPECT_EQ(ParentFormOf(Graphic), Form);
  EXPECT_EQ(ParentFormOf(nullptr), nullptr);
  EXPECT_EQ(OwnerFormOf(Graphic), Form);
  EXPECT_EQ(OwnerFormOf(Form), Form);
  EXPECT_EQ(OwnerFormOf(Application), nullptr);

  Form->SetCaption(L"Kelvra caption");
  EXPECT_EQ(WindowTextW(Form->Handle()), L"Kelvra caption");
  Form->SetCaption(L"");
  EXPECT_EQ(WindowTextW(Form->Handle()), L"");
}

TEST(WndClassName, LongNamesAreCutTo127Characters) {
  const String name(200, L'K');
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name.c_str();
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND wnd = CreateWindowExW(0, name.c_str(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(GetWndClassName(wnd), String(127, L'K'));
  DestroyWindow(wnd);
  UnregisterClassW(name.c_str(), wc.hInstance);
}

TEST_F(WindowQueries, MouseOverControlsFollowsTheCursor) {
  auto* Panel = Add<TPanel>(Form, L"Panel", RECT{10, 10, 110, 60});
  auto* Graphic = Add<TGraphicControl>(Form, L"Graphic", RECT{150, 10, 200, 40});
  Form->Show();
  RECT panel, graphic;
  GetControlScreenRect(Panel, panel);
  GetControlScreenRect(Graphic, graphic);
  auto moveTo = [](int x, int y) {
    SetCursorPos(x, y);
    return WaitUntil([&] {
      POINT p;
      return GetCursorPos(&p) && p.x == x && p.y == y;
    });
  };
  ASSERT_TRUE(moveTo(panel.left + 20, panel.top + 10));
  EXPECT_TRUE(IsMouseOverControl(Panel));
  EXPECT_TRUE(IsMouseOverWnd(Panel->Handle()));
  EXPECT_FALSE(IsMouseOverControl(Graphic));
  POINT p;
  GetCursorPoint(Panel, p);
  EXPECT_EQ(p.x, 20);
  EXPECT_EQ(p.y, 10);
  EXPECT_EQ(ControlUnderMouse(), Panel);

  ASSERT_TRUE(moveTo(graphic.left + 3, graphic.top + 3));
  EXPECT_TRUE(IsMouseOverControl(Graphic));
  EXPECT_FALSE(IsMouseOverControl(Panel));
  EXPECT_EQ(ControlUnderMouse(), Graphic);
  // Its right edge is outside.
  ASSERT_TRUE(moveTo(graphic.right, graphic.top + 3));
  EXPECT_FALSE(IsMouseOverControl(Graphic));
  ASSERT_TRUE(moveTo(graphic.left + 3, graphic.top + 3));
  EnableWindow(Form->Handle(), FALSE);
  EXPECT_FALSE(IsMouseOverControl(Graphic));  // a disabled form takes no mouse
  EnableWindow(Form->Handle(), TRUE);
  Graphic->SetVisible(false);
  EXPECT_FALSE(IsMouseOverControl(Graphic));
}

TEST_F(WindowQueries, ControlsCanBeUpdatedOnlyWhenWhole) {
  auto* Windowed = Add<TPanel>(Form);
  auto* Graphic = Add<TGraphicControl>(Form);
  auto* Orphan = new TGraphicControl(Form);
  EXPECT_FALSE(CanUpdateControl(nullptr));
  EXPECT_FALSE(CanUpdateControl(Orphan));
  EXPECT_FALSE(CanUpdateControl(Windowed));  // no window yet
  EXPECT_TRUE(CanUpdateControl(Graphic));
  Windowed->HandleNeeded();
  EXPECT_TRUE(CanUpdateControl(Windowed));
  Graphic->BeginLoading();
  EXPECT_FALSE(CanUpdateControl(Graphic));
  Graphic->EndLoading();
  EXPECT_TRUE(CanUpdateControl(Graphic));
}

TEST_F(WindowQueries, BackgroundColourComesFromTheSkinOnlyWhenSkinned) {
  auto* Skinned = Add<TPanel>(Form);
  auto* Black = Add<TPanel>(Form);
  auto* Plain = Add<TPanel>(Form);
  Skinned->HandleNeeded();
  Black->HandleNeeded();
  Log.Watch(Skinned, 0x123456, true);
  Log.Watch(Black, 0, true);
  Plain->SetColor(0x00AB00);
  EXPECT_EQ(ControlBgColor(Skinned), 0x123456u);
  EXPECT_EQ(WndBgColor(Skinned->Handle()), 0x123456u);
  EXPECT_EQ(Log.LastLParam[Skinned], 0xFF00FF);
  EXPECT_EQ(ControlBgColor(Black), 0u);  // black is an answer
  EXPECT_EQ(ControlBgColor(Plain), 0x00AB00u);
  Plain->SetColor(clBtnFace);
  EXPECT_EQ(ControlBgColor(Plain), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ControlBgColor(nullptr), 0xFF00FFu);
  EXPECT_EQ(WndBgColor(nullptr), 0xFF00FFu);
}

}  // namespace
