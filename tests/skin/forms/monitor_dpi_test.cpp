// Work areas and densities: placing a small window beside a point within
// its monitor's work area, choosing the work area that holds a point, and
// the density routines on a 96 pixels-per-inch screen.
#include "skin/forms/FormUtilsBindings.h"
#include "skin/forms/MonitorWorkArea.h"
#include "skin/forms/ScreenDensity.h"
#include "skin/manager/SkinManager.h"
#include "support/form_fixture.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string Show(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

TEST(WorkArea, PlacementBesideAPointStaysInsideTheWorkArea) {
  const RECT area{0, 0, 1000, 700};
  const SIZE size{100, 40};
  struct Case {
    const char* name;
    POINT p;
    RECT area;
    RECT expected;
  } cases[] = {
      {"room enough", {100, 100}, area, {108, 116, 208, 156}},
      {"right edge exactly on the area's", {892, 100}, area, {900, 116, 1000, 156}},
      {"one pixel past the right", {893, 100}, area, {900, 116, 1000, 156}},
      {"far past the right", {990, 100}, area, {900, 116, 1000, 156}},
      {"bottom exactly on the area's", {100, 644}, area, {108, 660, 208, 700}},
      {"past the bottom", {100, 690}, area, {108, 660, 208, 700}},
      {"past both, in the corner", {999, 699}, area, {900, 660, 1000, 700}},
      {"second monitor to the left", {-500, 100}, RECT{-1280, 0, 0, 1024}, {-492, 116, -392, 156}},
      {"second monitor, past its right", {-50, 100}, RECT{-1280, 0, 0, 1024}, {-100, 116, 0, 156}},
      {"on no monitor: left beside the point", {5000, 5000}, RECT{}, {5008, 5016, 5108, 5056}},
  };
  for (const Case& c : cases) {
    const RECT r = PlaceBesidePoint(size, c.p, c.area);
    EXPECT_TRUE(SameRect(r, c.expected)) << c.name << ": " << Show(r);
  }
}

TEST(WorkArea, ThePointChoosesTheAreaWithEdgesAsRectanglesHaveThem) {
  const RECT left{-1280, 0, 0, 984}, primary{0, 0, 1920, 1040};
  const std::vector<RECT> areas{primary, left};
  struct Case {
    POINT p;
    RECT expected;
  } cases[] = {
      {{0, 0}, primary}, {{1919, 1039}, primary}, {{1920, 500}, RECT{}}, {{500, 1040}, RECT{}},
      {{-1, 0}, left},   {{-1280, 983}, left},    {{-1281, 0}, RECT{}},  {{-5, 990}, RECT{}},
  };
  for (const Case& c : cases) {
    const RECT r = WorkAreaContaining(c.p, areas);
    EXPECT_TRUE(SameRect(r, c.expected)) << c.p.x << "," << c.p.y << " gave " << Show(r);
  }
  EXPECT_TRUE(SameRect(WorkAreaContaining(POINT{0, 0}, {}), RECT{}));
}

using MonitorForms = FormFixture;

TEST_F(MonitorForms, AFormsWorkAreaIsTheOneOfItsMonitor) {
  const std::vector<RECT> areas = MonitorWorkAreas();
  ASSERT_FALSE(areas.empty());
  Form->SetBounds(areas[0].left + 20, areas[0].top + 20, 200, 100);
  RECT beforeWindow;
  FormWorkArea(Form, beforeWindow);
  EXPECT_FALSE(Form->HandleAllocated());
  Form->HandleNeeded();
  RECT r;
  FormWorkArea(Form, r);
  RECT atPoint;
  MonitorWorkAreaAt(POINT{areas[0].left + 30, areas[0].top + 30}, atPoint);
  EXPECT_TRUE(SameRect(r, areas[0])) << Show(r);
  EXPECT_TRUE(SameRect(beforeWindow, areas[0])) << Show(beforeWindow);
  EXPECT_TRUE(SameRect(atPoint, areas[0])) << Show(atPoint);
  MonitorWorkAreaAt(POINT{-100000, -100000}, atPoint);
  EXPECT_TRUE(IsRectEmpty(&atPoint));
  EXPECT_EQ(TopmostInsertAfter(), HWND_TOPMOST);
}

HRESULT WINAPI Answers144(HMONITOR, int, UINT* x, UINT* y) { return *x = 144, *y = 144, S_OK; }
HRESULT WINAPI Fails(HMONITOR, int, UINT*, UINT*) { return E_FAIL; }

class Densities : public FormFixture {
 protected:
  void SetUp() override {
    InitFormUtils();
    FormFixture::SetUp();
  }
  void TearDown() override {
    FormFixture::TearDown();
    DoneFormUtils();
  }
};

TEST_F(Densities, EverythingIs96OnA96Screen) {
  ASSERT_EQ(DPIOfScreen(), 96) << "the test prefix runs at 96 pixels per inch";
  Form->HandleNeeded();
  EXPECT_EQ(WndDPI(Form->Handle()), 96);
  EXPECT_EQ(ComponentDPI(Form), 96);
  EXPECT_EQ(MainFormDPI(), 96);
  EXPECT_EQ(ComponentDPI(nullptr), 96);
}

TEST_F(Densities, AnswersWhenTheMonitorCannotBeAsked) {
  Form->HandleNeeded();
  HWND wnd = Form->Handle();
  // Windows 10 and later: the monitor's answer, or 96 without one.
  EXPECT_EQ(WndDPIWith(wnd, true, Answers144), 144);
  EXPECT_EQ(WndDPIWith(wnd, true, Fails), 96);
  EXPECT_EQ(WndDPIWith(wnd, true, nullptr), 96);
  // Before: the screen's.
  EXPECT_EQ(WndDPIWith(wnd, false, Answers144), DPIOfScreen());

  auto* Panel = Add<TPanel>(Form);
  auto* Graphic = Add<TGraphicControl>(Panel);
  auto* Orphan = new TGraphicControl(Form);
  auto* NoWindow = Add<TPanel>(Form);
  Panel->HandleNeeded();
  NoWindow->DestroyHandle();
  EXPECT_EQ(ComponentDPIWith(Graphic, true, Answers144), 144);  // through its parent's window
  EXPECT_EQ(ComponentDPIWith(Orphan, true, Answers144), 96);
  EXPECT_EQ(ComponentDPIWith(nullptr, true, Answers144), DPIOfScreen());
  EXPECT_EQ(ComponentDPIWith(NoWindow, true, Answers144), DPIOfScreen());
  EXPECT_FALSE(NoWindow->HandleAllocated());
  EXPECT_EQ(ComponentDPIWith(Panel, true, Fails), 96);
  EXPECT_EQ(ComponentDPIWith(Panel, false, Answers144), DPIOfScreen());
}

TEST(FormUtilsUnit, OnlyTheOutermostStartAndStopAct) {
  InitFormUtils();
  InitFormUtils();
  const auto theme = FormUtilsBindings().ThemeLibrary;
  DoneFormUtils();
  EXPECT_EQ(FormUtilsBindings().ThemeLibrary, theme);
  if (theme) EXPECT_NE(FormUtilsBindings().SetWindowTheme, nullptr);
  DoneFormUtils();
  EXPECT_EQ(FormUtilsBindings().ThemeLibrary, nullptr);
  EXPECT_EQ(FormUtilsBindings().SetWindowTheme, nullptr);
  DoneFormUtils();  // one stop too many does nothing
}

}  // namespace
