// The engine's message box: caption, icon and buttons from the dialog type
// and button set, the answer, help, and the state around the open box.
#include "skin/controls/SkinnedMessageDlg.h"

#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "tests/support/dialog_answerer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// What an open message box of this process showed.
struct TShownBox {
  String Caption;
  std::vector<int> ButtonIds;
  bool HasIcon = false;
};

// Shows a box and answers it from a second thread once it appears: presses
// each of Presses in turn (by button id; kF1 asks for help as F1 and the Help
// button do), the last one closing it.
constexpr int kF1 = -1;
TShownBox ShowAndAnswer(const std::function<void()>& Show, std::vector<int> Presses) {
  TShownBox Seen;
  RunAndAnswerDialog(Show, [&](HWND Box) {
    wchar_t Buffer[256] = {};
    GetWindowTextW(Box, Buffer, 256);
    Seen.Caption = Buffer;
    for (HWND Child = GetWindow(Box, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
      GetClassNameW(Child, Buffer, 256);
      const LONG Style = GetWindowLongW(Child, GWL_STYLE);
      if (lstrcmpiW(Buffer, L"Button") == 0 && (Style & WS_VISIBLE))
        Seen.ButtonIds.push_back(GetDlgCtrlID(Child));
      else if (lstrcmpiW(Buffer, L"Static") == 0 && (Style & SS_TYPEMASK) == SS_ICON &&
               SendMessageW(Child, STM_GETICON, 0, 0) != 0)
        Seen.HasIcon = true;
    }
    for (int Id : Presses) {
      if (Id == kF1) {
        HELPINFO Info{sizeof(Info), HELPINFO_WINDOW, 0, Box, 0, {}};
        SendMessageW(Box, WM_HELP, 0, reinterpret_cast<LPARAM>(&Info));
      } else {
        SendMessageW(Box, WM_COMMAND, MAKEWPARAM(Id, BN_CLICKED), 0);
      }
    }
    return true;
  });
  return Seen;
}

class MessageDlgTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void TearDown() override { MsgDlgHelp() = nullptr; }
};

TEST_F(MessageDlgTest, TypeAndButtonSetChooseCaptionIconAndButtons) {
  struct {
    TsMsgDlgType Type;
    TsMsgDlgButtons Buttons;
    const wchar_t* Caption;
    bool Icon;
    std::vector<int> Ids;
    int Press;
  } Cases[] = {
      {TsMsgDlgType::mtInformation, mbsOK, L"Information", true, {IDOK}, IDOK},
      {TsMsgDlgType::mtConfirmation, mbsYes | mbsNo | mbsCancel, L"Confirm", true, {IDYES, IDNO, IDCANCEL}, IDNO},
      {TsMsgDlgType::mtWarning, mbsOK | mbsCancel, L"Warning", true, {IDOK, IDCANCEL}, IDCANCEL},
      {TsMsgDlgType::mtError, mbsCancel, L"Error", true, {IDOK}, IDOK},
      {TsMsgDlgType::mtCustom, mbsYes | mbsNo, L"", false, {IDYES, IDNO}, IDYES},
      {TsMsgDlgType::mtWarning, mbsRetry | mbsCancel, L"Warning", true, {IDRETRY, IDCANCEL}, IDRETRY},
      {TsMsgDlgType::mtError, mbsAbort | mbsRetry | mbsIgnore, L"Error", true, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE},
  };
  for (auto& c : Cases) {
    int Result = -1;
    TShownBox Box = ShowAndAnswer([&] { Result = SkinnedMessageDlg(L"Data file is damaged", c.Type, c.Buttons); },
                                  {c.Press});
    EXPECT_EQ(Box.Caption, c.Caption);
    EXPECT_EQ(Box.HasIcon, c.Icon) << c.Caption;
    std::sort(Box.ButtonIds.begin(), Box.ButtonIds.end());
    std::vector<int> Expected = c.Ids;
    std::sort(Expected.begin(), Expected.end());
    EXPECT_EQ(Box.ButtonIds, Expected) << c.Caption;
    EXPECT_EQ(Result, c.Press) << c.Caption;
  }
}

TEST_F(MessageDlgTest, StyleRulesTakeTheFirstThatApplies) {
  struct {
    TsMsgDlgButtons Buttons;
    UINT Style;
  } Cases[] = {
      {mbsOK | mbsYes | mbsNo, MB_OK},      {mbsIgnore | mbsYes, MB_ABORTRETRYIGNORE},
      {mbsYes | mbsCancel, MB_YESNOCANCEL}, {mbsRetry, MB_RETRYCANCEL},
      {mbsAll | mbsYesToAll, MB_OK},        {0, MB_OK},
  };
  for (auto& c : Cases) EXPECT_EQ(MsgDlgStyle(TsMsgDlgType::mtCustom, c.Buttons) & MB_TYPEMASK, c.Style);
  EXPECT_EQ(MsgDlgStyle(TsMsgDlgType::mtCustom, mbsOK | mbsHelp) & MB_HELP, UINT(MB_HELP));
  EXPECT_EQ(MsgDlgStyle(TsMsgDlgType::mtCustom, mbsOK, true) & MB_RIGHT, UINT(MB_RIGHT));
}

TEST_F(MessageDlgTest, HelpOpensTheContextOnlyWhenOneIsGiven) {
  std::vector<int> Opened;
  MsgDlgHelp() = [&](int Context) { Opened.push_back(Context); };
  for (int Context : {0, 1234}) {
    int Result = -1;
    TShownBox Box = ShowAndAnswer(
        [&] { Result = SkinnedMessageDlg(L"Help?", TsMsgDlgType::mtInformation, mbsOK | mbsHelp, Context); },
        {kF1, IDOK});
    EXPECT_EQ(Result, IDOK);
    EXPECT_NE(std::find(Box.ButtonIds.begin(), Box.ButtonIds.end(), IDHELP), Box.ButtonIds.end());
  }
  EXPECT_EQ(Opened, std::vector<int>{1234});
}

TEST_F(MessageDlgTest, WindowsAreDisabledWhileOpenAndTheActiveOneGetsTheFocusBack) {
  TForm Form(nullptr);
  Form.SetBounds(50, 50, 300, 200);
  auto* Edit = new TEdit(&Form);
  Edit->SetParent(&Form);
  Edit->SetBounds(10, 10, 120, 21);
  Form.Show();
  SetActiveWindow(Form.Handle());
  ::SetFocus(Edit->Handle());
  ASSERT_EQ(GetActiveWindow(), Form.Handle());

  // Seen from inside the open box, through its help callback.
  bool EnabledWhileOpen = true;
  int PosX = 0, PosY = 0;
  MsgDlgHelp() = [&](int) {
    EnabledWhileOpen = IsWindowEnabled(Form.Handle());
    PosX = MsgDlgPosX, PosY = MsgDlgPosY;
  };
  ShowAndAnswer(
      [&] { SkinnedMessageDlgPos(L"Placed", L"Here", TsMsgDlgType::mtInformation, mbsOK | mbsHelp, 7, 120, 140); },
      {kF1, IDOK});
  EXPECT_FALSE(EnabledWhileOpen);
  EXPECT_EQ(PosX, 120);
  EXPECT_EQ(PosY, 140);
  EXPECT_TRUE(IsWindowEnabled(Form.Handle()));
  EXPECT_EQ(MsgDlgPosX, -1);
  EXPECT_EQ(MsgDlgPosY, -1);
  EXPECT_EQ(GetActiveWindow(), Form.Handle());
  const HWND Focus = GetFocus();
  EXPECT_TRUE(Focus == Form.Handle() || IsChild(Form.Handle(), Focus));
}

}  // namespace
