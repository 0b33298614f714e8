#pragma once
// A form holding one skinned combo box with the items "COM-1" onwards, as
// the program's port choice has them; under "Night (internal)" or without a
// skin, focused in a foreground form where the list's keys and pop-up need
// it. Pixels of 32-bit bitmaps read as 0xBBGGRR, red in the low byte.
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "skin/controls/CustomCombo.h"
#include "skin/effects/PopupController.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/night_manager.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

inline uint32_t ComboPixel(TBitmap& Bmp, int X, int Y) {
  GdiFlush();
  const auto* Row = static_cast<const uint8_t*>(Bmp.ScanLine(Y)) + X * 4;
  return uint32_t(Row[2]) | uint32_t(Row[1]) << 8 | uint32_t(Row[0]) << 16;
}

struct TComboSetUp {
  bool Skinned = true;
  RECT Form{100, 100, 400, 300};  // left, top, right, bottom
  RECT Combo{10, 10, 160, 31};
  int Items = 10;
  int ItemHeight = 15;  // 0 keeps the control's own
  bool Focused = true;  // in a foreground form
};

class ComboFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void MakeCombo(const TComboSetUp& S) {
    if (S.Skinned) {
      Manager = LoadedNightManager();
      ASSERT_TRUE(Manager->IsSkinLoaded());
    }
    Main = new TForm(nullptr, CreateNew);
    Main->SetBounds(S.Form.left, S.Form.top, S.Form.right - S.Form.left, S.Form.bottom - S.Form.top);
    Combo = new TsComboBox(Main);
    Combo->SetParent(Main);
    Combo->SetBounds(S.Combo.left, S.Combo.top, S.Combo.right - S.Combo.left, S.Combo.bottom - S.Combo.top);
    if (S.ItemHeight) Combo->SetItemHeight(S.ItemHeight);
    for (int i = 1; i <= S.Items; ++i) Combo->Items().Add(L"COM-" + std::to_wstring(i));
  }
  // Shows the form; with Focused, waits until it is in the foreground and
  // gives the combo the focus.
  void ShowCombo(bool Focused) {
    Main->Show();
    if (!Focused) return;
    SetForegroundWindow(Main->Handle());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Main->Handle(); }));
    Combo->SetFocus();
  }
  void SetUpCombo(const TComboSetUp& S) {
    MakeCombo(S);
    ShowCombo(S.Focused);
  }
  void TearDown() override {
    delete Main;
    FreePopupController();
    Application->ProcessMessages();
    Manager.reset();
  }

  std::unique_ptr<TsSkinManager> Manager;
  TForm* Main = nullptr;
  TsComboBox* Combo = nullptr;
};
