// The skinned panel: the section its outer bevel chooses, its face and side
// shadow in the cache, the background its children take from it, the paint
// put off while its parent's background is not ready, and mouse input that
// falls through.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/controls/SkinnedPanel.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/night_manager.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// PANEL: a vertical gradient blue to red; PANEL_LOW: plain green; GROUPBOX:
// plain grey; TRANSPARENT shows its parent.
const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[PANEL]\r\nCOLOR=$00000080\r\nBORDERWIDTH=0\r\nGRADIENTPERCENT=100\r\n"
    "GRADIENTDATA=$00FF0000;0;0;$000000FF;100;0;B\r\n"
    "[PANEL_LOW]\r\nCOLOR=$00008000\r\nBORDERWIDTH=0\r\nFONTCOLOR=$00FFFFFF\r\n"
    "[GROUPBOX]\r\nCOLOR=$00606060\r\nBORDERWIDTH=0\r\n"
    "[TRANSPARENT]\r\nSTATES=1\r\nTRANSPARENCY=100\r\n";
const std::string kSkinWithoutLowPanel =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n[PANEL]\r\nCOLOR=$00000080\r\n[TRANSPARENT]\r\nSTATES=1\r\nTRANSPARENCY=100\r\n";

constexpr uint32_t kGreen = 0xFF008000;
constexpr uint32_t kGrey = 0xFF606060;

uint32_t Red(uint32_t P) { return P >> 16 & 0xFF; }
uint32_t Blue(uint32_t P) { return P & 0xFF; }
int Brightness(uint32_t P) { return int(P >> 16 & 0xFF) + int(P >> 8 & 0xFF) + int(P & 0xFF); }

// A parent whose background is not ready while NotReady is set.
class TSlowParent : public TCustomControl {
 public:
  explicit TSlowParent(TComponent* Owner) : TCustomControl(Owner) {}
  bool NotReady = true;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) == AC_GETBG) {
      auto* Info = reinterpret_cast<TacBackgroundInfo*>(Message.LParam);
      Info->BgKind = NotReady ? bgkNotReady : bgkColor;
      Info->Color = 0x000000;
      return;
    }
    if (Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) == AC_ISSKINNED) {
      Message.Result = 1;
      return;
    }
    TCustomControl::WndProc(Message);
  }
};

class SkinnedPanel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = TextSkinManager(L"Panels", kSkin);
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 200);
    form->HandleNeeded();
  }
  void TearDown() override {
    delete form;
    manager.reset();
  }
  TsPanel* MakePanel(TWinControl* Parent, int L, int T, int W, int H, TBevelCut Outer) {
    auto* p = new TsPanel(form);
    p->SetBevelOuter(Outer);
    p->SetBounds(L, T, W, H);
    p->SetParent(Parent);
    p->HandleNeeded();
    return p;
  }
  // The panel's face as its paint builds it.
  static uint32_t CacheAt(TsPanel* P, int X, int Y) {
    if (P->SkinData()->BGChanged) {
      EXPECT_TRUE(P->PrepareCache());
    }
    return GetPixel32(*P->SkinData()->CacheBmp, X, Y);
  }
  int Index(const wchar_t* Name) { return manager->GetSectionIndex(Name); }

  std::unique_ptr<TsSkinManager> manager;
  TForm* form = nullptr;
};

TEST_F(SkinnedPanel, OuterBevelChoosesTheSection) {
  struct Case {
    TBevelCut outer;
    const wchar_t* section;
  } cases[] = {
      {TBevelCut::bvRaised, L"PANEL"},
      {TBevelCut::bvLowered, L"PANEL_LOW"},
      {TBevelCut::bvSpace, L"GROUPBOX"},
      {TBevelCut::bvNone, L"TRANSPARENT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.section));
    TsPanel* p = MakePanel(form, 0, 0, 100, 60, c.outer);
    EXPECT_EQ(p->SkinData()->SkinIndex, Index(c.section));
    EXPECT_EQ(QueryCtrlCommand(p, AC_GETDEFSECTION), ssPanel);  // "PANEL" is never streamed
    delete p;
  }

  // At run time the new bevel takes effect at the next invalidation.
  form->Show();
  TsPanel* p = MakePanel(form, 0, 0, 100, 60, TBevelCut::bvLowered);
  ASSERT_EQ(p->SkinData()->SkinIndex, Index(L"PANEL_LOW"));
  p->SetBevelOuter(TBevelCut::bvNone);
  EXPECT_EQ(p->SkinData()->SkinIndex, Index(L"TRANSPARENT"));
}

TEST_F(SkinnedPanel, SkinWithoutTheSectionLeavesThePanelUnskinned) {
  manager.reset();
  manager = TextSkinManager(L"No low panel", kSkinWithoutLowPanel);
  ASSERT_TRUE(manager->IsSkinLoaded());
  TsPanel* p = MakePanel(form, 0, 0, 100, 60, TBevelCut::bvLowered);
  EXPECT_EQ(QueryCtrlCommand(p, AC_GETDEFINDEX), 0);
  EXPECT_EQ(p->SkinData()->SkinIndex, -1);
  EXPECT_FALSE(p->SkinData()->IsSkinned());
  form->Show();
  p->Repaint();  // the framework's own paint, no failure
}

TEST_F(SkinnedPanel, FaceComesFromTheSectionAtChosenPoints) {
  TsPanel* low = MakePanel(form, 0, 0, 120, 80, TBevelCut::bvLowered);
  TsPanel* raised = MakePanel(form, 130, 0, 120, 80, TBevelCut::bvRaised);
  TsPanel* space = MakePanel(form, 0, 100, 120, 80, TBevelCut::bvSpace);
  form->Show();
  for (POINT pt : {POINT{0, 0}, POINT{60, 40}, POINT{119, 79}}) {
    EXPECT_EQ(CacheAt(low, pt.x, pt.y), kGreen);
    EXPECT_EQ(CacheAt(space, pt.x, pt.y), kGrey);
  }
  // The gradient runs from blue at the top to red at the bottom.
  const uint32_t top = CacheAt(raised, 60, 0), bottom = CacheAt(raised, 60, 79);
  EXPECT_GT(Blue(top), 0xE0u);
  EXPECT_LT(Red(top), 0x20u);
  EXPECT_GT(Red(bottom), 0xE0u);
  EXPECT_LT(Blue(bottom), 0x20u);

  // What reaches the screen is the cache: a print of the window shows it.
  auto shot = std::make_unique<TBitmap>();
  shot->SetPixelFormat(pf32bit);
  shot->SetSize(120, 80);
  SendMessageW(low->Handle(), WM_PRINT, WPARAM(shot->DC()), PRF_CLIENT);
  EXPECT_EQ(GetPixel32(*shot, 60, 40) & 0xFFFFFF, kGreen & 0xFFFFFF);
}

TEST_F(SkinnedPanel, ProgramSkinPaintsTheLoweredPanelInItsColour) {
  manager.reset();
  manager = LoadedNightManager();
  ASSERT_TRUE(manager->IsSkinLoaded());
  TsPanel* p = MakePanel(form, 0, 0, 160, 100, TBevelCut::bvLowered);
  form->Show();
  ASSERT_EQ(p->SkinData()->SkinIndex, Index(L"PANEL_LOW"));
  for (POINT pt : {POINT{20, 20}, POINT{80, 50}, POINT{140, 80}})
    EXPECT_EQ(CacheAt(p, pt.x, pt.y), 0xFF1C1F23u) << pt.x << "," << pt.y;  // $00231F1C
}

TEST_F(SkinnedPanel, ChildTakesTheParentsPictureAtItsOffset) {
  TsPanel* parent = MakePanel(form, 0, 0, 200, 120, TBevelCut::bvRaised);
  TsPanel* child = MakePanel(parent, 30, 20, 80, 60, TBevelCut::bvNone);  // "TRANSPARENT"
  form->Show();
  ASSERT_TRUE(parent->PrepareCache());

  TacBackgroundInfo info;
  SendCtrlCommand(parent, AC_GETBG, LPARAM(&info));
  ASSERT_EQ(info.BgKind, bgkBitmap);
  EXPECT_EQ(info.Bmp, parent->SkinData()->CacheBmp.get());

  ASSERT_TRUE(child->PrepareCache());
  for (POINT pt : {POINT{0, 0}, POINT{40, 30}, POINT{79, 59}})
    EXPECT_EQ(GetPixel32(*child->SkinData()->CacheBmp, pt.x, pt.y), CacheAt(parent, 30 + pt.x, 20 + pt.y))
        << pt.x << "," << pt.y;
}

TEST_F(SkinnedPanel, SideShadowDarkensTheEdgeAndFollowsItsBlend) {
  TsPanel* p = MakePanel(form, 0, 0, 200, 100, TBevelCut::bvLowered);
  TsPanel* child = MakePanel(p, 10, 10, 40, 40, TBevelCut::bvNone);
  form->Show();
  p->SideShadow().SetMode(TacSideShadowMode::ssmInternal);

  EXPECT_EQ(CacheAt(p, 193, 50), kGreen);
  int previous = Brightness(CacheAt(p, 193, 50));
  for (int x = 194; x < 200; ++x) {
    const int b = Brightness(CacheAt(p, x, 50));
    EXPECT_LT(b, previous) << "column " << x;
    previous = b;
  }
  const int at48 = Brightness(CacheAt(p, 199, 50));

  // A stronger blend renders the shadow again and tells the children.
  int parentBgChanged = 0;
  const TWndMethod inherited = child->WindowProc;
  child->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_PARENTBGCHANGED) ++parentBgChanged;
    inherited(m);
  };
  p->SideShadow().SetBlend(100);
  child->WindowProc = inherited;
  EXPECT_EQ(parentBgChanged, 1);
  EXPECT_LT(Brightness(CacheAt(p, 199, 50)), at48);
}

TEST_F(SkinnedPanel, PaintWaitsForTheParentsBackgroundAndIsMadeUpAtUpdateDone) {
  auto* slow = new TSlowParent(form);
  slow->SetBounds(0, 0, 200, 150);
  slow->SetParent(form);
  TsPanel* p = MakePanel(slow, 10, 10, 100, 80, TBevelCut::bvLowered);
  form->Show();
  PumpFor(50);
  EXPECT_TRUE(p->SkinData()->Updating);
  EXPECT_TRUE(p->SkinData()->BGChanged);

  slow->NotReady = false;
  SendCtrlCommand(p, AC_UPDATEDONE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !p->SkinData()->BGChanged; }));
  EXPECT_FALSE(p->SkinData()->Updating);
  EXPECT_EQ(GetPixel32(*p->SkinData()->CacheBmp, 50, 40), kGreen);
}

TEST_F(SkinnedPanel, TransparentForMouseLetsHitTestsThrough) {
  TsPanel* p = MakePanel(form, 0, 0, 100, 60, TBevelCut::bvLowered);
  form->Show();
  const POINT c = p->ClientToScreen(POINT{50, 30});
  EXPECT_EQ(SendMessageW(p->Handle(), WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTCLIENT);
  p->SetTransparentForMouse(true);
  EXPECT_EQ(SendMessageW(p->Handle(), WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTTRANSPARENT);
}

TEST_F(SkinnedPanel, CaptionLinesAreCentredAndMovedDownByTheBorderWidth) {
  TsPanel* p = MakePanel(form, 0, 0, 120, 100, TBevelCut::bvLowered);
  p->SetCaption(L"one\r\ntwo\r\nthree");
  form->Show();
  // The rows the caption's white text covers.
  auto textRows = [&](int& first, int& last) {
    first = -1, last = -1;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 120; ++x)
        if (CacheAt(p, x, y) != kGreen) {
          if (first < 0) first = y;
          last = y;
          break;
        }
  };
  int first0, last0;
  p->SkinData()->BGChanged = true;
  textRows(first0, last0);
  ASSERT_GE(first0, 0);
  EXPECT_GT(last0 - first0, 24);             // three lines
  EXPECT_NEAR((first0 + last0) / 2, 50, 8);  // the ink sits above the middle of the line boxes

  // Each pixel of BorderWidth shrinks the caption rectangle by one and then
  // moves the text down by one more.
  p->SetBorderWidth(6);
  p->SkinData()->BGChanged = true;
  int first6, last6;
  textRows(first6, last6);
  EXPECT_EQ(first6, first0 + 6);
  EXPECT_EQ(last6, last0 + 6);
}

}  // namespace
