// The global hot key component: registration rules and the event.
#include "hotkey/HkGlobalHotKey.h"
#include "tests/hotkey/support/x_input.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

constexpr TShortCut kCtrlAltS = 49235;
// A combination no test program or Wine itself uses.
constexpr TShortCut kCtrlAltShiftF9 = scCtrl | scAlt | scShift | VK_F9;

// Whether anyone holds the combination: try to take it ourselves.
bool Free(UINT modifiers, UINT key) {
  HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  const bool ok = RegisterHotKey(probe, 1, modifiers, key);
  if (ok) UnregisterHotKey(probe, 1);
  DestroyWindow(probe);
  return ok;
}

}  // namespace

TEST(GlobalHotKey, DecodesShortCuts) {
  WORD key;
  TShiftState shift;
  ShortCutToKey(kCtrlAltS, key, shift);
  EXPECT_EQ(key, 0x53);
  EXPECT_EQ(shift, ssCtrl | ssAlt);
  EXPECT_EQ(ShiftStateToHotKeyModifiers(shift), UINT(MOD_CONTROL | MOD_ALT));
  ShortCutToKey(scShift | 'A', key, shift);
  EXPECT_EQ(shift, ssShift);
  EXPECT_EQ(ShiftStateToHotKeyModifiers(shift), UINT(MOD_SHIFT));
}

TEST(GlobalHotKey, RegistersWhileActiveAndReleasesOnEveryWayOut) {
  const UINT mods = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
  ASSERT_TRUE(Free(mods, VK_F9));
  {
    THkGlobalHotKey hk(nullptr);
    EXPECT_TRUE(hk.Active());
    EXPECT_GE(hk.Identifier(), 0xC000);
    EXPECT_TRUE(Free(mods, VK_F9));  // HotKey 0: nothing registered yet
    hk.SetHotKey(kCtrlAltShiftF9);
    EXPECT_TRUE(hk.Registered());
    EXPECT_FALSE(Free(mods, VK_F9));
    hk.SetHotKey(kCtrlAltShiftF9);  // unchanged: nothing happens
    EXPECT_TRUE(hk.Registered());

    hk.SetActive(false);
    EXPECT_TRUE(Free(mods, VK_F9));
    hk.SetActive(true);
    EXPECT_FALSE(Free(mods, VK_F9));

    hk.SetHotKey(0);
    EXPECT_TRUE(Free(mods, VK_F9));
    hk.SetHotKey(kCtrlAltShiftF9);
    EXPECT_FALSE(Free(mods, VK_F9));
  }
  EXPECT_TRUE(Free(mods, VK_F9));  // the destructor unregistered it
}

TEST(GlobalHotKey, TwoComponentsHaveTheirOwnIdentifiers) {
  THkGlobalHotKey a(nullptr), b(nullptr);
  EXPECT_NE(a.Identifier(), b.Identifier());
}

TEST(GlobalHotKey, ReportsACombinationHeldByAnotherProgram) {
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(RegisterHotKey(other, 7, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F9));
  THkGlobalHotKey hk(nullptr);
  hk.SetHotKey(kCtrlAltShiftF9);
  EXPECT_FALSE(hk.Registered());
  UnregisterHotKey(other, 7);
  DestroyWindow(other);
}

TEST(GlobalHotKey, EventCarriesTheComponentsKeyNotTheMessages) {
  THkGlobalHotKey hk(nullptr);
  hk.SetHotKey(kCtrlAltShiftF9);
  // No handler: the message is simply taken.
  EXPECT_EQ(SendMessageW(hk.WindowHandle(), WM_HOTKEY, 12345, MAKELPARAM(MOD_ALT, 'X')), 0);
  WORD gotKey = 0;
  TShiftState gotShift = 0;
  TObject* gotSender = nullptr;
  hk.OnKeyDown = [&](TObject* s, WORD& k, TShiftState sh) {
    gotSender = s;
    gotKey = k;
    gotShift = sh;
  };
  SendMessageW(hk.WindowHandle(), WM_HOTKEY, 12345, MAKELPARAM(MOD_ALT, 'X'));
  EXPECT_EQ(gotSender, &hk);
  EXPECT_EQ(gotKey, VK_F9);
  EXPECT_EQ(gotShift, ssCtrl | ssAlt | ssShift);
}

TEST(GlobalHotKey, FiresForTheRealKeysPressedInAnotherProgram) {
  THkGlobalHotKey hk(nullptr);
  hk.SetHotKey(kCtrlAltS);
  ASSERT_TRUE(hk.Registered());
  int fired = 0;
  hk.OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++fired; };
  const TOwnedHandle notepad = StartFocusedNotepad();
  ASSERT_TRUE(notepad);
  ASSERT_TRUE(RunXdotool(L"key ctrl+alt+s"));
  EXPECT_TRUE(WaitUntil([&] { return fired > 0; }));
  EXPECT_EQ(fired, 1);
  TerminateProcess(notepad.get(), 0);
}
