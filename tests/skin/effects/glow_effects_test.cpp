// Glow windows: where they go around a control, that they never take a
// click or the focus, that a captured mouse shows none, and that hiding,
// fading and freeing leave no window and no owner id behind, also when the
// control goes while its glow fades.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/WinControl.h"
#include "skin/effects/InstallEffects.h"
#include "skin/effects/LayeredEffects.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/ThreadedTimer.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const std::string kSkin = "[GLOBALINFO]\r\nVERSION=12.50\r\n[BUTTON]\r\nCOLOR=$00C0C0C0\r\n";

bool SameRect(const RECT& A, const RECT& B) { return EqualRect(&A, &B) != 0; }

TEST(GlowLayout, WindowAndItemFollowBordersInsetAndOuterMargins) {
  const RECT control{100, 50, 180, 80};
  const TacSides borders{8, 6, 8, 10};
  const TacSides outer{12, 2, 2, 2};
  struct Case {
    const char* Name;
    bool HasMask;
    int Inset;
    const TacSides* Outer;
    RECT Window, Item;
  } cases[] = {
      {"mask, no inset", true, 0, nullptr, {92, 44, 188, 90}, {0, 0, 96, 46}},
      {"mask, inset 3", true, 3, nullptr, {95, 47, 185, 87}, {0, 0, 90, 40}},
      // The outer effect widens the left side only: the item keeps its place.
      {"mask and outer", true, 3, &outer, {88, 47, 185, 87}, {7, 0, 97, 40}},
      {"outer alone", false, 0, &outer, {88, 48, 182, 82}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const TacGlowLayout l = GlowLayout(control, c.HasMask, borders, c.Inset, c.Outer);
    EXPECT_TRUE(SameRect(l.Window, c.Window))
        << c.Name << ": " << l.Window.left << "," << l.Window.top << "," << l.Window.right << "," << l.Window.bottom;
    if (c.HasMask) {
      EXPECT_TRUE(SameRect(l.ItemRect, c.Item)) << c.Name << ": " << l.ItemRect.left << "," << l.ItemRect.top << ","
                                                << l.ItemRect.right << "," << l.ItemRect.bottom;
    }
  }
}

// A state on the in-memory skin whose section has a glow item of our own:
// an 18 x 18 picture with its own alpha, opaque white, with 6-pixel borders.
class GlowEffects : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InitGraphUtils();
    InstallEffects();
  }
  void SetUp() override {
    manager = TextSkinManager(L"Glow", kSkin);
    ASSERT_TRUE(manager->IsSkinLoaded());
    data = std::make_unique<TsCommonData>(nullptr, true);
    data->SetSkinManager(manager.get());
    data->SkinIndex = manager->GetSectionIndex(L"BUTTON");
    ASSERT_GE(data->SkinIndex, 0);
    TacSkinData* sd = data->GetScaledSkinData();
    ASSERT_NE(sd, nullptr);
    picture = NewBitmap32(18, 18);
    FillRect32(*picture, RECT{0, 0, 18, 18}, 0xFFFFFF, 255);
    TsMaskData item;
    item.Bmp = picture.get();
    item.Manager = manager.get();
    item.PropertyName = L"GLOW0";
    item.SrcRect = RECT{0, 0, 18, 18};
    item.ImageCount = 1;
    item.FrameWidth = item.FrameHeight = 18;
    item.WL = item.WT = item.WR = item.WB = 6;
    item.DrawMode = dmStretch | dmPaintCentre | dmOwnAlpha;
    sd->MaskArray.push_back(item);
    mask = int(sd->MaskArray.size()) - 1;
    sd->GeneralDataArray[data->SkinIndex].Glow = 1;
  }
  void TearDown() override {
    FreeLayeredEffects(true, false);
    if (data) data->OwnerControl = nullptr;
    data.reset();
  }
  HWND WindowOf(int Id) {
    TacLayeredEffect* e = LayeredEffect(Id);
    return e ? e->EffectForm.HandleIfAllocated() : nullptr;
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TsCommonData> data;
  std::unique_ptr<TBitmap> picture;
  int mask = -1;
  const RECT owner{200, 150, 260, 175};
};

TEST_F(GlowEffects, ShownAroundTheOwnerAndNeverTakesTheMouseOrFocus) {
  auto form = std::make_unique<TForm>(nullptr, CreateNew);
  form->Show();
  SetForegroundWindow(form->Handle());
  const HWND active = GetActiveWindow();
  data->GlowId = ShowGlowWithMask(owner, {mask}, 2, 200, nullptr, data.get());
  ASSERT_GE(data->GlowId, 0);
  const HWND wnd = WindowOf(data->GlowId);
  ASSERT_NE(wnd, nullptr);
  RECT r{};
  GetWindowRect(wnd, &r);
  EXPECT_TRUE(SameRect(r, RECT{196, 146, 264, 179}));
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE),
            LONG_PTR(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE));
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(210, 160)), LRESULT(HTTRANSPARENT));
  EXPECT_EQ(SendMessageW(wnd, WM_MOUSEACTIVATE, WPARAM(form->Handle()), 0), LRESULT(MA_NOACTIVATE));
  EXPECT_EQ(GetActiveWindow(), active);
  // The picture shown has the window's size.
  auto* glow = dynamic_cast<TacGlowEffect*>(LayeredEffect(data->GlowId));
  ASSERT_TRUE(glow && glow->Image);
  EXPECT_EQ(glow->Image->Width(), 68);
  EXPECT_EQ(glow->Image->Height(), 33);
  // The item's opaque white fills it, rim and middle (the blend rounds 255 down a step).
  EXPECT_GE(GetPixel32(*glow->Image, 0, 0) >> 24, 254u);
  EXPECT_GE(GetPixel32(*glow->Image, 30, 15) >> 24, 254u);
  SetGlowAlpha(data->GlowId, 40);
  EXPECT_EQ(glow->Opacity, 40);
}

TEST_F(GlowEffects, NoneWithoutStateItemOrWhileTheMouseIsCaptured) {
  EXPECT_EQ(ShowGlowWithMask(owner, {mask}, 0, 255, nullptr, nullptr), -1);
  EXPECT_EQ(ShowGlowWithMask(owner, {}, 0, 255, nullptr, data.get()), -1);
  EXPECT_EQ(ShowGlowWithMask(owner, {-1}, 0, 255, nullptr, data.get()), -1);
  auto form = std::make_unique<TForm>(nullptr, CreateNew);
  form->Show();
  SetCapture(form->Handle());
  EXPECT_EQ(ShowGlowWithMask(owner, {mask}, 0, 255, nullptr, data.get()), -1);
  ReleaseCapture();
  EXPECT_GE(ShowGlowWithMask(owner, {mask}, 0, 255, nullptr, data.get()), 0);
}

TEST_F(GlowEffects, HidingAndFreeingLeaveNoWindowAndNoOwnerId) {
  data->GlowId = ShowGlowWithMask(owner, {mask}, 0, 255, nullptr, data.get());
  HWND wnd = WindowOf(data->GlowId);
  ASSERT_TRUE(wnd);
  int stale = 99;
  HideGlowOrCircle(stale, false);  // no such effect: nothing happens
  EXPECT_EQ(stale, 99);
  HideGlowOrCircle(data->GlowId, false);
  EXPECT_EQ(data->GlowId, -1);
  EXPECT_FALSE(IsWindow(wnd));

  data->GlowId = ShowGlowWithMask(owner, {mask}, 0, 255, nullptr, data.get());
  wnd = WindowOf(data->GlowId);
  FreeLayeredEffects(true, false);
  EXPECT_EQ(data->GlowId, -1);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_TRUE(LayeredEffects().empty());

  // The state going takes its glow with it.
  data->GlowId = ShowGlowWithMask(owner, {mask}, 0, 255, nullptr, data.get());
  wnd = WindowOf(data->GlowId);
  data.reset();
  EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(GlowEffects, AnimatedHideFadesOutAndEndsWithTheControl) {
  auto form = std::make_unique<TForm>(nullptr, CreateNew);
  auto* control = new TCustomControl(form.get());
  control->SetParent(form.get());
  data->OwnerControl = control;
  for (bool destroyMidway : {false, true}) {
    data->GlowId = ShowGlowWithMask(owner, {mask}, 0, 255, nullptr, data.get());
    const HWND wnd = WindowOf(data->GlowId);
    HideGlowOrCircle(data->GlowId, true);
    ASSERT_NE(data->FadeTimer, nullptr);
    EXPECT_TRUE(data->FadeTimer->Enabled());
    EXPECT_NE(data->GlowId, -1);  // still fading
    // Asked again while it fades to normal: nothing changes.
    const int step = data->FadeTimer->Step;
    HideGlowOrCircle(data->GlowId, true);
    EXPECT_EQ(data->FadeTimer->Step, step);
    if (!destroyMidway) {
      EXPECT_TRUE(WaitUntil([&] { return data->GlowId == -1; }));
      EXPECT_FALSE(IsWindow(wnd));
      continue;
    }
    // The control and its state go mid-fade: the timer goes with them and
    // the glow window is taken down.
    data->OwnerControl = nullptr;
    delete control;
    data.reset();
    EXPECT_FALSE(IsWindow(wnd));
    PumpFor(60);
  }
}

}  // namespace
