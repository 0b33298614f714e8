#include <gtest/gtest.h>

#include "skin/core/SkinCommand.h"

namespace {

int QueuedCommands = 0;

LRESULT CALLBACK CountingProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_SKINCOMMAND) {
    ++QueuedCommands;
    return SkinCommandCode(WParam) == AC_ISSKINAWARE ? 1 : 0;
  }
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

class Recorder : public TacSkinMessageTarget {
 public:
  LRESULT SkinWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override {
    LastCode = SkinCommandCode(WParam);
    LastArgument = SkinCommandArgument(WParam);
    LastLParam = LParam;
    return Msg == WM_SKINCOMMAND ? 42 : 0;
  }
  uint16_t LastCode = 0, LastArgument = 0;
  LPARAM LastLParam = 0;
};

HWND MakeWindow() {
  static ATOM Class = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KelvraSkinCommandTest";
    return RegisterClassW(&wc);
  }();
  return CreateWindowW(MAKEINTATOM(Class), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                       nullptr);
}

}  // namespace

TEST(SkinCommand, MessageLayoutAndTable) {
  EXPECT_EQ(WM_SKINCOMMAND, 0xA100u);
  EXPECT_EQ(SkinCommandWParam(AC_SKINREFRESH, 12), WPARAM(0x3000C));
  EXPECT_EQ(SkinCommandCode(0x3000C), AC_SKINREFRESH);
  EXPECT_EQ(SkinCommandArgument(0x3000C), 12);
  struct {
    TacCommand Code;
    int Value;
  } Table[] = {{AC_SKINLOADED, 1},      {AC_GETPROVIDER, 4},     {AC_ISSKINNED, 7},      {AC_SETSECTION, 15},
               {AC_INVALIDATEALL, 17},  {AC_BUILDCACHE, 23},     {AC_CONTROLLOADED, 25}, {AC_GETBG, 34},
               {AC_FONTSCHANGED, 36},   {AC_CODE44, 44},         {AC_BEFORESCROLL, 51},  {AC_REGISTERFRAME, 55},
               {AC_GETAPPLICATION, 60}, {AC_GETBGSKININDEX, 66}, {AC_SETPPI, 68},        {AC_SETALTMANAGER, 92},
               {AC_SKINLISTSCAN, 97}};
  for (auto& t : Table) EXPECT_EQ(int(t.Code), t.Value);
}

TEST(SkinCommand, DeliveredThroughTheWindowOrStraightToItsSkinHandler) {
  HWND Wnd = MakeWindow();
  ASSERT_NE(Wnd, nullptr);
  QueuedCommands = 0;
  EXPECT_EQ(SendWndCommand(Wnd, AC_ISSKINAWARE, 0), 1);
  EXPECT_EQ(SendWndCommand(Wnd, AC_ISSKINNED, 0), 0);  // a receiver without skin state says 0
  EXPECT_EQ(QueuedCommands, 2);

  Recorder Handler;
  SetPropW(Wnd, acSkinDataProperty, &Handler);
  EXPECT_EQ(SendWndMessage(Wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_SKINREFRESH, 7), 1234), 42);
  EXPECT_EQ(QueuedCommands, 2);  // the window procedure never saw it
  EXPECT_EQ(Handler.LastCode, AC_SKINREFRESH);
  EXPECT_EQ(Handler.LastArgument, 7);
  EXPECT_EQ(Handler.LastLParam, 1234);
  RemovePropW(Wnd, acSkinDataProperty);
  DestroyWindow(Wnd);
}
