// The shadow of pop-ups: its widths, its picture (premultiplied, hollow under
// the owner) and a window that follows the owner and never takes the mouse.
#include "skin/effects/ShadowForm.h"

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/SkinData.h"
#include "tests/support/wait_until.h"

namespace {

uint32_t Pixel(TBitmap& Bmp, int X, int Y) { return static_cast<uint32_t*>(Bmp.ScanLine(Y))[X]; }

RECT WindowRect(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return r;
}

TEST(ShadowMargins, FollowTheSkinsShadowSizeAndOffset) {
  struct Case {
    int Size, Offset;
    RECT Expected;
  } cases[] = {
      {13, 2, {13, 11, 13, 15}},
      {5, 8, {5, 0, 5, 13}},  // an offset beyond the size leaves no top
      {0, 0, {0, 0, 0, 0}},
      {7, -3, {7, 10, 7, 4}},
  };
  for (const Case& c : cases) {
    TacSkinData data(96);
    data.WShadowSize = c.Size;
    data.WShadowOffset = c.Offset;
    const RECT m = ShadowMargins(&data);
    EXPECT_EQ(m.left, c.Expected.left) << c.Size << "," << c.Offset;
    EXPECT_EQ(m.top, c.Expected.top) << c.Size << "," << c.Offset;
    EXPECT_EQ(m.right, c.Expected.right) << c.Size << "," << c.Offset;
    EXPECT_EQ(m.bottom, c.Expected.bottom) << c.Size << "," << c.Offset;
  }
  const RECT none = ShadowMargins(nullptr);
  EXPECT_TRUE(none.left == 13 && none.top == 13 && none.right == 13 && none.bottom == 13);
}

class ShadowPicture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitGraphUtils(); }
  static void TearDownTestSuite() {
    FreeShadowImage();
    DoneGraphUtils();
  }
};

TEST_F(ShadowPicture, IsPremultipliedAndHollowUnderTheOwner) {
  TBitmap* image = ShadowImage(nullptr);
  ASSERT_NE(image, nullptr);
  ASSERT_FALSE(image->Empty());
  EXPECT_EQ(ShadowImage(nullptr), image) << "one shared fall-back picture";
  const RECT m{13, 13, 13, 13};
  auto bmp = MakeShadowBitmap(*image, 120, 60, m);
  ASSERT_EQ(bmp->Width(), 146);
  ASSERT_EQ(bmp->Height(), 86);
  int shaded = 0;
  for (int y = 0; y < bmp->Height(); ++y)
    for (int x = 0; x < bmp->Width(); ++x) {
      const uint32_t p = Pixel(*bmp, x, y);
      const uint32_t a = p >> 24;
      ASSERT_LE((p >> 16) & 0xFF, a) << x << "," << y;
      ASSERT_LE((p >> 8) & 0xFF, a) << x << "," << y;
      ASSERT_LE(p & 0xFF, a) << x << "," << y;
      const bool underOwner = x >= 13 && x < 133 && y >= 13 && y < 73;
      if (underOwner) {
        ASSERT_EQ(a, 0u) << "under the owner " << x << "," << y;
      }
      if (a) ++shaded;
    }
  EXPECT_GT(shaded, 0);
  // The shadow is softest at its outer rim and strongest next to the owner.
  EXPECT_LT(Pixel(*bmp, 0, 43) >> 24, Pixel(*bmp, 12, 43) >> 24);
  EXPECT_LT(Pixel(*bmp, 73, 85) >> 24, Pixel(*bmp, 73, 73) >> 24);
}

TEST_F(ShadowPicture, AnEmptyOwnerGivesOnlyTheRim) {
  TBitmap* image = ShadowImage(nullptr);
  auto bmp = MakeShadowBitmap(*image, 0, 0, RECT{13, 13, 13, 13});
  EXPECT_EQ(bmp->Width(), 26);
  EXPECT_EQ(bmp->Height(), 26);
  auto none = MakeShadowBitmap(*image, -40, -40, RECT{13, 13, 13, 13});
  EXPECT_TRUE(none->Empty());
}

class ShadowWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InitGraphUtils();
  }
  void SetUp() override {
    Owner = new TForm(nullptr, CreateNew);
    Owner->SetBorderStyle(TFormBorderStyle::bsNone);
    Owner->SetBounds(200, 150, 160, 90);
    Owner->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Owner->Handle()); }));
  }
  void TearDown() override {
    delete Owner;
    Application->ProcessMessages();
  }
  TForm* Owner = nullptr;
};

TEST_F(ShadowWindow, SurroundsTheOwnerBehindItAndLetsClicksThrough) {
  TacShadowForm* shadow = CreateFormShadowForm(Owner, true);
  ASSERT_NE(shadow, nullptr);
  HWND wnd = shadow->Handle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  const RECT r = WindowRect(wnd);
  EXPECT_EQ(r.left, 200 - 13);
  EXPECT_EQ(r.top, 150 - 13);
  EXPECT_EQ(r.right, 360 + 13);
  EXPECT_EQ(r.bottom, 240 + 13);
  EXPECT_NE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_NE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE, 0);
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), HTTRANSPARENT);
  EXPECT_EQ(SendMessageW(wnd, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
  // Right behind its owner.
  EXPECT_EQ(GetWindow(Owner->Handle(), GW_HWNDNEXT), wnd);
  ReleaseShadowForm(shadow);
}

TEST_F(ShadowWindow, FollowsTheOwnerAndHidesWithIt) {
  TacShadowForm* shadow = CreateFormShadowForm(Owner, true);
  HWND wnd = shadow->Handle();
  Owner->SetBounds(260, 180, 100, 50);
  RECT r = WindowRect(wnd);
  EXPECT_EQ(r.left, 260 - 13);
  EXPECT_EQ(r.top, 180 - 13);
  EXPECT_EQ(r.right - r.left, 100 + 26);
  EXPECT_EQ(r.bottom - r.top, 50 + 26);
  // The show animation moves it with the growing picture.
  TacMenuShadowRecord rec{300, 200, 40, 20, 128};
  SendMessageW(Owner->Handle(), WM_SKINCOMMAND, MAKEWPARAM(0, AC_MENUSHADOW), LPARAM(&rec));
  r = WindowRect(wnd);
  EXPECT_EQ(r.left, 300 - 13);
  EXPECT_EQ(r.right - r.left, 40 + 26);
  EXPECT_EQ(shadow->LastAlpha, 128);
  Owner->Hide();
  EXPECT_FALSE(IsWindowVisible(wnd));
  ReleaseShadowForm(shadow);
}

TEST_F(ShadowWindow, AReleasedShadowUnhooksAndPaintsNoMore) {
  TacShadowForm* shadow = CreateFormShadowForm(Owner, false);
  HWND wnd = shadow->Handle();
  EXPECT_FALSE(IsWindowVisible(wnd));
  ReleaseShadowForm(shadow);
  ReleaseShadowForm(shadow);  // once only
  EXPECT_TRUE(shadow->Released);
  SetShadowBounds(shadow, 10, 10, 50, 50, 255);
  EXPECT_FALSE(IsWindowVisible(wnd));
  // The owner no longer feeds it: freed from the message loop meanwhile.
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(wnd); }));
  TacMenuShadowRecord rec{300, 200, 40, 20, 128};
  SendMessageW(Owner->Handle(), WM_SKINCOMMAND, MAKEWPARAM(0, AC_MENUSHADOW), LPARAM(&rec));
  Owner->SetBounds(210, 160, 100, 50);
}

TEST_F(ShadowWindow, GoesWhenItsOwnerIsDestroyed) {
  TacShadowForm* shadow = CreateFormShadowForm(Owner, true);
  HWND wnd = shadow->Handle();
  delete Owner;
  Owner = nullptr;
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(wnd); }));
}

}  // namespace
