// The skinned scroll box: its section by border style, the offset of the
// background it gives its children, and the wheel rules of AutoMouseWheel.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "skin/controls/SkinnedScrollBox.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/support/PixelHelpers.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[PANEL_LOW]\r\nCOLOR=$00008000\r\nBORDERWIDTH=0\r\nGRADIENTPERCENT=100\r\n"
    "GRADIENTDATA=$00008000;0;0;$00008000;100;0;B\r\n"
    "[TRANSPARENT]\r\nSTATES=1\r\nTRANSPARENCY=100\r\n";

class SkinnedScrollBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = TextSkinManager(L"Boxes", kSkin);
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 250);
  }
  void TearDown() override {
    delete form;
    manager.reset();
  }
  TsScrollBox* MakeBox(TBorderStyle Style) {
    auto* box = new TsScrollBox(form);
    box->SetBorderStyle(Style);
    box->SetBounds(0, 0, 200, 100);
    box->SetParent(form);
    box->SkinData()->UpdateIndexes(true);
    return box;
  }

  std::unique_ptr<TsSkinManager> manager;
  TForm* form = nullptr;
};

TEST_F(SkinnedScrollBox, BorderStyleChoosesTheSectionAndTheChildOffset) {
  struct Case {
    TBorderStyle style;
    const wchar_t* section;
    int offset;
  } cases[] = {{TBorderStyle::bsNone, L"TRANSPARENT", 0}, {TBorderStyle::bsSingle, L"PANEL_LOW", 2}};
  form->Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.section));
    TsScrollBox* box = MakeBox(c.style);
    EXPECT_EQ(box->SkinData()->SkinIndex, manager->GetSectionIndex(c.section));
    EXPECT_EQ(box->BorderSize(), c.offset);
    if (c.style == TBorderStyle::bsSingle) {
      // Children sit in the client area; the cache covers the whole window.
      TacBackgroundInfo info;
      SendCtrlCommand(box, AC_GETBG, LPARAM(&info));
      ASSERT_EQ(info.BgKind, bgkBitmap);
      EXPECT_EQ(info.Bmp, box->SkinData()->CacheBmp.get());
      EXPECT_EQ(info.OffsetX, c.offset);
      EXPECT_EQ(info.OffsetY, c.offset);
    }
    delete box;
  }
}

TEST_F(SkinnedScrollBox, WheelGoesToTheFocusedControlFirstThenScrollsTheBox) {
  TsScrollBox* box = MakeBox(TBorderStyle::bsNone);
  auto* content = new TPanel(form);
  content->SetBounds(0, 0, 150, 600);
  content->SetParent(box);
  auto* edit = new TEdit(form);
  edit->SetBounds(0, 200, 100, 24);
  edit->SetParent(form);
  bool editTakes = false;
  edit->OnMouseWheel = [&](TObject*, TShiftState, int, POINT, bool& handled) { handled = editTakes; };
  std::vector<int> events;  // +position before, -position after (1-based to tell 0 apart)
  box->OnBeforeScroll = [&](TObject*) { events.push_back(box->VertScrollBar().Position() + 1); };
  box->OnAfterScroll = [&](TObject*) { events.push_back(-(box->VertScrollBar().Position() + 1)); };
  box->SetAutoMouseWheel(true);
  box->VertScrollBar().SetIncrement(30);
  form->Show();
  box->Realign();
  edit->SetFocus();
  ASSERT_TRUE(WaitUntil([&] { return GetFocus() == edit->Handle(); }));
  TControlScrollBar& bar = box->VertScrollBar();
  const int last = bar.MaxPosition();
  ASSERT_EQ(last, 500);

  struct Case {
    const char* name;
    bool editTakes;
    int start, wheel, wheelDelta, expected;
  } cases[] = {
      {"focused control takes it", true, 50, -120, 120, 50},
      {"one notch down", false, 50, -120, 120, 80},
      {"one notch up", false, 50, 120, 120, 20},
      {"two notches up", false, 50, 240, 120, 0},
      {"up at the top", false, 0, 120, 120, 0},
      {"WheelDelta doubles the step", false, 50, -120, 240, 110},
      {"clamped at the end", false, last - 10, -120, 120, last},
      {"down at the end", false, last, -120, 120, last},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editTakes = c.editTakes;
    box->SetWheelDelta(c.wheelDelta);
    bar.SetPosition(c.start);
    events.clear();
    const POINT mouse = box->ClientToScreen(POINT{20, 20});
    EXPECT_EQ(
        SendMessageW(box->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(c.wheel))), MAKELPARAM(mouse.x, mouse.y)),
        1);
    EXPECT_EQ(bar.Position(), c.expected);
    EXPECT_EQ(content->Top(), -c.expected);
    if (c.expected == c.start)
      EXPECT_TRUE(events.empty());
    else
      EXPECT_EQ(events, (std::vector<int>{c.start + 1, -(c.expected + 1)}));
  }
}

TEST_F(SkinnedScrollBox, OnPaintDrawsIntoTheCacheOverTheSkinBackground) {
  TsScrollBox* box = MakeBox(TBorderStyle::bsSingle);
  uint32_t under = 0;
  int calls = 0;
  box->OnPaint = [&](TBitmap* bmp) {
    ++calls;
    ASSERT_EQ(bmp, box->SkinData()->CacheBmp.get());
    GdiFlush();
    under = GetPixel32(*bmp, 50, 50);
    FillRect32(*bmp, RECT{40, 40, 60, 60}, 0x0000FF, 255);
  };
  form->Show();
  ASSERT_TRUE(box->PrepareCache());
  EXPECT_GE(calls, 1);
  EXPECT_EQ(under, 0xFF008000u);  // the section was painted first
  EXPECT_EQ(GetPixel32(*box->SkinData()->CacheBmp, 50, 50), 0xFFFF0000u);
}

TEST_F(SkinnedScrollBox, WithoutAutoMouseWheelTheBoxLeavesTheWheel) {
  TsScrollBox* box = MakeBox(TBorderStyle::bsNone);
  auto* content = new TPanel(form);
  content->SetBounds(0, 0, 150, 600);
  content->SetParent(box);
  form->Show();
  box->Realign();
  EXPECT_EQ(box->Perform(CM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-120))), 0), 0);
  EXPECT_EQ(box->VertScrollBar().Position(), 0);
}

}  // namespace

// A window-less child of an unskinned box is painted by the framework; the
// box used to paint nothing at all without a skin.
TEST_F(SkinnedScrollBox, UnskinnedBoxPaintsItsWindowlessChildren) {
  class TSwatch : public TGraphicControl {
   public:
    using TGraphicControl::TGraphicControl;
    void Paint(TCanvas& Canvas) override {
      RECT r = ClientRect();
      HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
      FillRect(Canvas.Handle(), &r, brush);
      DeleteObject(brush);
    }
  };
  TsScrollBox* box = MakeBox(TBorderStyle::bsNone);
  auto* swatch = new TSwatch(form);
  swatch->SetBounds(10, 10, 30, 30);
  swatch->SetParent(box);
  manager->SetActive(false);
  form->Show();
  ASSERT_FALSE(box->SkinData()->IsSkinned());

  std::unique_ptr<TBitmap> shot(FilledBitmap32(200, 100, 0xFF000000));
  SendMessageW(box->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot->DC()), PRF_CLIENT);
  GdiFlush();
  EXPECT_EQ(PixelAt(*shot, 20, 20) & 0xFFFFFF, 0x0000FFu);
}
