#pragma once
// The service dialog that guards the main window: a digit pad, a pop-up
// keyboard, and the main window back only for the right service password.
#include "framework/Form.h"
#include "skin/controls/Label.h"
#include "skin/controls/SkinnedBitBtn.h"
#include "skin/controls/SkinnedButton.h"
#include "skin/controls/SkinnedEdit.h"
#include "skin/controls/SkinnedPanel.h"
#include "framework/Timer.h"
#include "keyboard/KbPopupTouchKeyBoard.h"

class TFormPasswordDlg : public TForm {
 public:
  explicit TFormPasswordDlg(TComponent* owner);
  ~TFormPasswordDlg() override;

  // Whole: built, loaded and past its creation. FormPasswordDlg is set
  // before, while the dialog is still being made.
  bool Complete() const { return FComplete; }

  TsPanel* GroupBox1;
  TsLabel* Label1;
  TsEdit* sEditPassword;
  TsButton* OKBtn;
  TsButton* CancelBtn;
  TsBitBtn* sBitBtn_Keyboard;
  TsButton* Btn_1;
  TsButton* Btn_2;
  TsButton* Btn_3;
  TsButton* Btn_4;
  TsButton* Btn_5;
  TsButton* Btn_6;
  TsButton* Btn_7;
  TsButton* Btn_8;
  TsButton* Btn_9;
  TsButton* Btn_0;
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

 protected:
  void DoCreate() override;

 private:
  void Build();
  void RestartAutoClose();
  bool FComplete = false;
};

extern TFormPasswordDlg* FormPasswordDlg;

// The entry matches the service password when both are equal after a-z
// became A-Z; every other character must match exactly.
bool ServicePasswordMatches(const String& entry, const String& servicePassword);
