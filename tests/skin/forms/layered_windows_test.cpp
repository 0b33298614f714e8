// The two ways of layering a window, read back from the window's styles and
// layered attributes (Wine draws partial alpha opaque, but keeps the state).
#include "skin/forms/LayeredWindows.h"

#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"

namespace {

class LayeredWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitGraphUtils(); }
  static void TearDownTestSuite() { DoneGraphUtils(); }
  void SetUp() override {
    Wnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 120, 80,
                          nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(Wnd, nullptr);
  }
  void TearDown() override { DestroyWindow(Wnd); }

  bool Layered() const { return (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
  BYTE Alpha() const {
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(Wnd, nullptr, &alpha, &flags);
    return flags & LWA_ALPHA ? alpha : 0;
  }

  HWND Wnd = nullptr;
};

TEST_F(LayeredWindows, ConstantAlphaSaysWhetherItAddedTheStyle) {
  ASSERT_TRUE(LayeredWindowsAvailable());
  EXPECT_TRUE(SetWindowAlpha(Wnd, true, 200));
  EXPECT_TRUE(Layered());
  EXPECT_EQ(Alpha(), 200);
  // Already layered: not added again, but the new alpha holds.
  EXPECT_FALSE(SetWindowAlpha(Wnd, true, 120));
  EXPECT_EQ(Alpha(), 120);
  EXPECT_TRUE(IsWindowVisible(Wnd));
}

TEST_F(LayeredWindows, SwitchingOffHidesTheWindowWithoutARepaint) {
  SetWindowAlpha(Wnd, true, 200);
  EXPECT_FALSE(SetWindowAlpha(Wnd, false, 0));
  EXPECT_FALSE(Layered());
  EXPECT_FALSE(IsWindowVisible(Wnd));
  // Even when it never was layered.
  ShowWindow(Wnd, SW_SHOWNA);
  EXPECT_FALSE(SetWindowAlpha(Wnd, false, 255));
  EXPECT_FALSE(IsWindowVisible(Wnd));
}

TEST_F(LayeredWindows, APictureBecomesTheContentAtItsPlaceAndSize) {
  auto bmp = NewBitmap32(60, 30);
  const POINT where{70, 90};
  SetLayeredBitmap(Wnd, bmp.get(), 255, &where);
  EXPECT_TRUE(Layered());
  EXPECT_TRUE(IsWindowVisible(Wnd));
  RECT r;
  GetWindowRect(Wnd, &r);
  EXPECT_EQ(r.left, 70);
  EXPECT_EQ(r.top, 90);
  EXPECT_EQ(r.right - r.left, 60);
  EXPECT_EQ(r.bottom - r.top, 30);

  // No picture and no position: a cleared picture where the window is.
  SetLayeredBitmap(Wnd, nullptr, 128, nullptr);
  GetWindowRect(Wnd, &r);
  EXPECT_EQ(r.left, 70);
  EXPECT_EQ(r.top, 90);
  EXPECT_EQ(r.right - r.left, 60);
}

}  // namespace
