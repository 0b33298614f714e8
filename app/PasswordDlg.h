#pragma once
// The service dialog that guards the main window: a digit pad, a pop-up
// keyboard, and the main window back only for the right service password.
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "keyboard/KbPopupTouchKeyBoard.h"

class TFormPasswordDlg : public TForm {
 public:
  explicit TFormPasswordDlg(TComponent* owner);

  TPanel* GroupBox1;
  TLabel* Label1;
  TEdit* sEditPassword;
  TButton* OKBtn;
  TButton* CancelBtn;
  TBitBtn* sBitBtn_Keyboard;
  TButton* Btn_1;
  TButton* Btn_2;
  TButton* Btn_3;
  TButton* Btn_4;
  TButton* Btn_5;
  TButton* Btn_6;
  TButton* Btn_7;
  TButton* Btn_8;
  TButton* Btn_9;
  TButton* Btn_0;
  TKbPopupTouchKeyBoard* KbPopupTouchKeyBoard_Service;
  TTimer* TimerAutoClose;

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GroupBox1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void sEditPasswordChange(TObject* Sender);
  void sEditPasswordKeyPress(TObject* Sender, wchar_t& Key);
  void OKBtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void CancelBtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void sBitBtn_KeyboardMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  // Btn_1MouseDown to Btn_0MouseDown: each appends its own digit.
  void DigitMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void TimerAutoCloseTimer(TObject* Sender);

 private:
  void Build();
  void RestartAutoClose();
};

extern TFormPasswordDlg* FormPasswordDlg;

// The entry matches the service password when both are equal after a-z
// became A-Z; every other character must match exactly.
bool ServicePasswordMatches(const String& entry, const String& servicePassword);
