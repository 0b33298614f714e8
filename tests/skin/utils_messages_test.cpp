// The library routines that lean on the framework: the engine's message
// boxes, waiting while messages are handled, and the small helpers for
// controls and pictures.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "framework/Application.h"
#include "framework/Control.h"
#include "skin/core/SkinUtils.h"
#include "skin/graphics/Bitmap32.h"

namespace {

// What a message box of this process showed, read and closed with OK by a
// second thread once it appears.
struct TShownBox {
  String Caption, Text;
  int Buttons = 0;
};

TShownBox ShowAndCloseBox(const std::function<void()>& Show) {
  TShownBox Seen;
  std::atomic<bool> Done{false};
  std::thread Answerer([&] {
    const DWORD Pid = GetCurrentProcessId();
    for (int Tries = 0; Tries < 500 && !Done; ++Tries, Sleep(20)) {
      HWND Box = nullptr;
      while ((Box = FindWindowExW(nullptr, Box, L"#32770", nullptr)) != nullptr) {
        DWORD Owner = 0;
        GetWindowThreadProcessId(Box, &Owner);
        if (Owner != Pid) continue;
        wchar_t Buffer[256] = {};
        GetWindowTextW(Box, Buffer, 256);
        Seen.Caption = Buffer;
        for (HWND Child = GetWindow(Box, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
          GetClassNameW(Child, Buffer, 256);
          const bool Visible = GetWindowLongW(Child, GWL_STYLE) & WS_VISIBLE;
          if (lstrcmpiW(Buffer, L"Button") == 0) {
            Seen.Buttons += Visible;
          } else if (lstrcmpiW(Buffer, L"Static") == 0 && GetWindowTextLengthW(Child) > 0) {
            GetWindowTextW(Child, Buffer, 256);
            Seen.Text = Buffer;
          }
        }
        PostMessageW(Box, WM_COMMAND, IDOK, 0);
        return;
      }
    }
  });
  Show();
  Done = true;
  Answerer.join();
  return Seen;
}

class SkinUtilsWithFramework : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
};

TEST_F(SkinUtilsWithFramework, MisuseReportsShowAModalBoxWithOnlyOk) {
  struct {
    void (*Show)(const String&);
    const wchar_t* Caption;
  } Cases[] = {{ShowWarning, L"Warning"}, {ShowAlert, L"Warning"}, {ShowError, L"Error"}};
  for (auto& c : Cases) {
    TShownBox Box = ShowAndCloseBox([&] { c.Show(L"Skin file not found"); });
    EXPECT_EQ(Box.Caption, c.Caption);
    EXPECT_EQ(Box.Text, L"Skin file not found");
    EXPECT_EQ(Box.Buttons, 1) << c.Caption;
  }
}

TEST_F(SkinUtilsWithFramework, WaitingHandlesMessagesUntilTheTimeHasPassed) {
  int Ticks = 0;
  static int* TickCounter = nullptr;
  TickCounter = &Ticks;
  UINT_PTR Timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++*TickCounter; });
  ASSERT_NE(Timer, 0u);

  const DWORD Start = GetTickCount();
  WaitProcessingMessages(250);
  const DWORD Elapsed = GetTickCount() - Start;
  KillTimer(nullptr, Timer);
  EXPECT_GE(Elapsed, 250u);
  EXPECT_LT(Elapsed, 1000u);
  EXPECT_GE(Ticks, 3);  // handled again and again, not once at the end

  const DWORD Again = GetTickCount();
  WaitProcessingMessages(0);
  EXPECT_LT(GetTickCount() - Again, 100u);
}

TEST_F(SkinUtilsWithFramework, HelpersForControlsAndPictures) {
  TControl Control(nullptr);
  Control.SetBounds(5, 7, 30, 20);
  const RECT Size = ControlSizeRect(Control);
  EXPECT_EQ(Size.left, 0);
  EXPECT_EQ(Size.top, 0);
  EXPECT_EQ(Size.right, 30);
  EXPECT_EQ(Size.bottom, 20);
  const POINT Pos = ControlPos(Control);
  EXPECT_EQ(Pos.x, 5);
  EXPECT_EQ(Pos.y, 7);
  auto Cache = NewBitmap32OfControl(Control);
  EXPECT_EQ(Cache->PixelFormat(), pf32bit);
  EXPECT_EQ(Cache->Width(), 30);
  EXPECT_EQ(Cache->Height(), 20);

  const RECT Whole = GraphicRect(*Cache);
  EXPECT_EQ(Whole.right, 30);
  EXPECT_EQ(Whole.bottom, 20);
  EXPECT_EQ(GraphicSize(*Cache).y, 20);

  const TMessage m = MakeMessage(0xA100, 2, 3, 4);
  EXPECT_EQ(m.Msg, 0xA100u);
  EXPECT_EQ(m.WParam, 2u);
  EXPECT_EQ(m.LParam, 3);
  EXPECT_EQ(m.Result, 4);
}

}  // namespace
