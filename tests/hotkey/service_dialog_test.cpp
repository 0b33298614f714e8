// The service dialog: digit pad, Enter, OK, Cancel, the auto-close timer, the
// password rule, and the main window that will not hide without its hot key.
#include "app/AppState.h"
#include "app/MainForm.h"
#include "app/PasswordDlg.h"
#include "app/ShellFolders.h"
#include "framework/Application.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/wait_until.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Press(TWinControl* button, bool rightButton = false) {
  const UINT down = rightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
  const UINT up = rightButton ? WM_RBUTTONUP : WM_LBUTTONUP;
  SendMessageW(button->Handle(), down, rightButton ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button->Handle(), up, 0, MAKELPARAM(5, 5));
  Pump();
}

bool IsTopmost(TForm* form) { return (GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class ServiceDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }

  void SetUp() override {
    dataFolder = GetSpecialFolderPath(nullptr, CSIDL_APPDATA) + L"\\drovik\\kelvraadapter\\";
    ForceDirectories(dataFolder);
    ScratchFolder::WriteBytes(dataFolder + L"data.txt", "[data]\r\npass=Tarvelin\r\n");
  }
  void Start() {
    App = TAppState{};
    main = Application->CreateForm<TForm1>();
    dialog = Application->CreateForm<TFormPasswordDlg>();
  }
  void TearDown() override {
    delete dialog;
    delete main;
    Pump();
    for (const wchar_t* name : {L"data.txt", L"data_last.txt", L"credits.txt"}) DeleteFile(dataFolder + name);
  }
  void OpenWithHotKey() {
    WORD key = 'S';
    main->GlobalHotKey_ServiceKeyDown(main->GlobalHotKey_Service, key, ssCtrl | ssAlt);
    Pump();
  }

  String dataFolder;
  TForm1* main = nullptr;
  TFormPasswordDlg* dialog = nullptr;
};

}  // namespace

TEST(ServicePassword, CaseOfAToZOnly) {
  struct Case {
    String entry, password;
    bool accepted;
  };
  const Case cases[] = {
      {L"Tarvelin", L"Tarvelin", true},
      {L"tARVELIN", L"Tarvelin", true},
      {L"\u00E4rger", L"\u00C4rger", false},  // accented letters keep their case
      {L"\u00C4RGER", L"\u00C4rger", true},
      {L"", L"", true},
      {L"", L"1234", false},
      {L"1234", L"", false},
      {L"1234 ", L"1234", false},
      {L"12345", L"1234", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ServicePasswordMatches(c.entry, c.password), c.accepted)
        << StringToUtf8(c.entry) << " / " << StringToUtf8(c.password);
}

TEST_F(ServiceDialog, HotKeyShowsAnEmptyFocusedDialogOnTop) {
  Start();
  EXPECT_FALSE(dialog->Showing());
  OpenWithHotKey();
  ASSERT_TRUE(dialog->Showing());
  EXPECT_TRUE(IsTopmost(dialog));
  EXPECT_EQ(dialog->sEditPassword->Text(), L"");
  EXPECT_TRUE(dialog->sEditPassword->Focused());
  EXPECT_TRUE(dialog->TimerAutoClose->Enabled());
  EXPECT_EQ(dialog->TimerAutoClose->Interval(), 20000u);
  EXPECT_EQ(dialog->Left(), GetSystemMetrics(SM_CXSCREEN) / 2 - dialog->Width() / 2);
  EXPECT_EQ(dialog->ClientWidth(), 473);
  EXPECT_EQ(dialog->ClientHeight(), 311);

  // Again while shown: only to the front; the entry and the timer stay.
  dialog->sEditPassword->SetText(L"12");
  dialog->TimerAutoClose->SetEnabled(false);
  OpenWithHotKey();
  EXPECT_EQ(dialog->sEditPassword->Text(), L"12");
  EXPECT_TRUE(dialog->Showing());
}

// The hot key is registered while the main window is made, and a box shown
// while either window is made lets it through the message loop.
TEST_F(ServiceDialog, HotKeyDoesNothingUntilBothWindowsAreWhole) {
  struct Case {
    const char* name;
    bool mainWhole, dialogMade, dialogWhole;
  };
  const Case cases[] = {
      {"main window still being made", false, true, true},
      {"no dialog yet", true, false, false},
      {"dialog still being made", true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    App = TAppState{};
    main = new TForm1(Application);
    if (c.mainWhole) main->FinishCreate();
    if (c.dialogMade) dialog = new TFormPasswordDlg(Application);
    if (c.dialogWhole) dialog->FinishCreate();
    EXPECT_FALSE(main->ServiceDialogReady());
    OpenWithHotKey();
    EXPECT_FALSE(dialog && dialog->Showing());

    // Once both are whole, the same key brings the dialog.
    if (!c.mainWhole) main->FinishCreate();
    if (!dialog) dialog = new TFormPasswordDlg(Application);
    if (!dialog->Complete()) dialog->FinishCreate();
    OpenWithHotKey();
    EXPECT_TRUE(dialog->Showing());
    delete dialog;
    dialog = nullptr;
    delete main;
    main = nullptr;
    Pump();
  }
}

TEST_F(ServiceDialog, DigitsAppendWithEitherButtonAndKeepTheDialogOpen) {
  Start();
  OpenWithHotKey();
  dialog->TimerAutoClose->SetEnabled(false);
  Press(dialog->Btn_1);
  EXPECT_TRUE(dialog->TimerAutoClose->Enabled());  // the text change restarted it
  Press(dialog->Btn_0, true);
  Press(dialog->Btn_7);
  EXPECT_EQ(dialog->sEditPassword->Text(), L"107");
  EXPECT_TRUE(dialog->sEditPassword->Focused());
  EXPECT_EQ(dialog->Btn_5->Width(), 59);
  EXPECT_EQ(dialog->Btn_5->Height(), 69);
  EXPECT_EQ(dialog->Btn_6->Left(), dialog->Btn_1->Left());  // 6 starts the second row
  EXPECT_GT(dialog->Btn_6->Top(), dialog->Btn_1->Top());
}

TEST_F(ServiceDialog, WrongEntryOnlyEmptiesTheField) {
  Start();
  OpenWithHotKey();
  dialog->sEditPassword->SetText(L"999");
  SendMessageW(dialog->sEditPassword->Handle(), WM_CHAR, L'\r', 0);
  Pump();
  EXPECT_EQ(dialog->sEditPassword->Text(), L"");
  EXPECT_TRUE(dialog->Showing());
  EXPECT_TRUE(dialog->sEditPassword->Focused());
  EXPECT_FALSE(main->Showing());
}

TEST_F(ServiceDialog, RightEntryBringsTheMainWindowBackOnTop) {
  Start();
  Application->SetShowMainForm(false);  // as started with /hide
  main->SetTop(4000);
  OpenWithHotKey();
  dialog->sEditPassword->SetText(L"tARVELIN");
  Press(dialog->OKBtn, true);  // the right button acts like the left
  EXPECT_FALSE(dialog->Showing());
  EXPECT_FALSE(dialog->TimerAutoClose->Enabled());
  EXPECT_TRUE(main->Showing());
  EXPECT_TRUE(IsTopmost(main));
  EXPECT_TRUE(Application->ShowMainForm());
  EXPECT_EQ(main->Top(), GetSystemMetrics(SM_CYSCREEN) / 2 - main->Height() / 2);
}

TEST_F(ServiceDialog, EnterWithTheRightEntryActsLikeOk) {
  Start();
  OpenWithHotKey();
  dialog->sEditPassword->SetText(L"Tarvelin");
  SendMessageW(dialog->sEditPassword->Handle(), WM_CHAR, L'\r', 0);
  Pump();
  EXPECT_FALSE(dialog->Showing());
  EXPECT_TRUE(main->Showing());
}

TEST_F(ServiceDialog, AccentedLetterInTheOtherCaseIsRefused) {
  Start();
  main->sEditServicePassword->SetText(L"\u00C4rger");
  OpenWithHotKey();
  dialog->sEditPassword->SetText(L"\u00E4rger");
  Press(dialog->OKBtn);
  EXPECT_TRUE(dialog->Showing());
  EXPECT_FALSE(main->Showing());
}

TEST_F(ServiceDialog, CancelHidesAndParksThePointer) {
  Start();
  OpenWithHotKey();
  Press(dialog->CancelBtn);
  EXPECT_FALSE(dialog->Showing());
  EXPECT_FALSE(main->Showing());
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, GetSystemMetrics(SM_CXSCREEN) - 1);
  EXPECT_EQ(p.y, GetSystemMetrics(SM_CYSCREEN) - 1);
}

TEST_F(ServiceDialog, KeyboardButtonOpensTheKeyboardAnewBesideTheDialog) {
  Start();
  OpenWithHotKey();
  Press(dialog->sBitBtn_Keyboard);
  TKbPopupTouchKeyBoard* popup = dialog->KbPopupTouchKeyBoard_Service;
  ASSERT_TRUE(popup->ToolForm());
  EXPECT_TRUE(popup->ToolForm()->Showing());
  EXPECT_EQ(popup->ToolForm()->Left(), dialog->Left() - 64);
  EXPECT_EQ(popup->ToolForm()->Top(), dialog->Top() + 190);
  EXPECT_EQ(popup->Keyboard()->Keys().Count(), 61);
  EXPECT_FALSE(IsTopmost(dialog));  // so the keyboard floats above it
  EXPECT_TRUE(dialog->sEditPassword->Focused());
  EXPECT_EQ(popup->Keyboard()->Keys().Items(0)->Caption(), L"`");

  // A second press closes it and opens it again at the same place.
  popup->Keyboard()->PressKey(30);  // a latched state dies with the keyboard
  Press(dialog->sBitBtn_Keyboard);
  ASSERT_TRUE(popup->ToolForm());
  EXPECT_EQ(popup->Keyboard()->ShiftState(), 0u);
  EXPECT_EQ(popup->ToolForm()->Left(), dialog->Left() - 64);
}

TEST_F(ServiceDialog, AutoCloseClosesTheDialogAndTheKeyboard) {
  Start();
  OpenWithHotKey();
  Press(dialog->sBitBtn_Keyboard);
  ASSERT_TRUE(dialog->KbPopupTouchKeyBoard_Service->ToolForm());
  dialog->TimerAutoClose->OnTimer(dialog->TimerAutoClose);
  Pump();
  EXPECT_FALSE(dialog->Showing());
  EXPECT_FALSE(dialog->TimerAutoClose->Enabled());
  EXPECT_EQ(dialog->KbPopupTouchKeyBoard_Service->ToolForm(), nullptr);
}

TEST_F(ServiceDialog, MouseOverThePanelKeepsItOpen) {
  Start();
  OpenWithHotKey();
  dialog->TimerAutoClose->SetEnabled(false);
  SendMessageW(dialog->GroupBox1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(dialog->TimerAutoClose->Enabled());
}

TEST_F(ServiceDialog, TimerReallyClosesAfterItsInterval) {
  Start();
  OpenWithHotKey();
  dialog->TimerAutoClose->SetEnabled(false);
  dialog->TimerAutoClose->SetInterval(200);  // the same timer, shortened for the test
  dialog->TimerAutoClose->SetEnabled(true);
  EXPECT_TRUE(WaitUntil([&] { return !dialog->Showing(); }));
}

TEST_F(ServiceDialog, MainWindowStaysInSightWhenTheHotKeyIsTaken) {
  HWND holder = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(RegisterHotKey(holder, 1, MOD_CONTROL | MOD_ALT, 'S'));
  Start();
  EXPECT_TRUE(main->ServiceHotKeyTaken());
  EXPECT_TRUE(Application->ShowMainForm());
  const auto& lines = main->MemoLog->Lines();
  ASSERT_GT(lines.Count(), 0);
  EXPECT_EQ(lines[lines.Count() - 1], kServiceHotKeyTakenMessage);

  const int top = main->Top();
  main->btnHideClick(main->btnHide);
  EXPECT_EQ(main->Top(), top);
  EXPECT_EQ(lines[lines.Count() - 1], kServiceHotKeyTakenMessage);
  UnregisterHotKey(holder, 1);
  DestroyWindow(holder);
}

TEST_F(ServiceDialog, HideMovesTheWindowAwayWhileTheHotKeyIsOurs) {
  Start();
  EXPECT_FALSE(main->ServiceHotKeyTaken());
  main->btnHideClick(main->btnHide);
  EXPECT_EQ(main->Top(), 4000);
}
