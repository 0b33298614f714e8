#pragma once
// The main window: the validator's port, the counters, the credit log view
// and every setting of data.txt.
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/FileNameEdit.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Menus.h"
#include "framework/Panel.h"
#include "framework/SpinEdit.h"
#include "hotkey/HkGlobalHotKey.h"

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);

  TPanel* Panel1;
  TCheckBox* cbPoll;
  TComboBox* ComboBoxCOM;
  TSpinEdit* PulseValue;
  TCheckBox* cbTotalblocking;
  TCheckBox* cbPlaySound;
  TImage* ImgCTS;
  TImage* ImgOn;
  TImage* ImgOff;
  TLabel* Label_ID;
  TLabel* LabelCredits;
  TButton* Btn_ClearID;
  TButton* Btn_ClearCredits;
  TButton* BtnClearLog;
  TButton* btnSaveSettings;
  TButton* btnHide;
  TCheckBox* cbAutostartOnBoot;
  TCheckBox* cbCheckLogSize;
  TEdit* sEditServicePassword;
  TCheckBox* cbShowPassword;
  TCheckBox* cbExecute;
  TFileNameEdit* sFilenameEditExecute;
  TFileNameEdit* sFilenameEditLogfile;
  TCheckBox* cbLogOnlyTotalPure;
  TCheckBox* cbLogOnlyTotal;
  TMemo* MemoLog;
  TMemo* Data;
  TMemo* MemoTemp;
  TMemo* sMemoINI;
  TMainMenu* MainMenu1;
  TMenuItem* Menu_SaveSettings;
  TMenuItem* Menu_Exit;
  TMenuItem* Menu_Manual;
  TMenuItem* Menu_Website;
  TMenuItem* Menu_About;
  THkGlobalHotKey* GlobalHotKey_Service;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Writes every setting into Data and saves data.txt.
  void SaveSettings();

  void cbPollClick(TObject* Sender);
  void ComboBoxCOMChange(TObject* Sender);
  void cbTotalblockingClick(TObject* Sender);
  void cbAutostartOnBootClick(TObject* Sender);
  void cbShowPasswordClick(TObject* Sender);
  void SaveUnlessLoading(TObject* Sender);
  void btnSaveSettingsClick(TObject* Sender) { SaveSettings(); }
  void Menu_ExitClick(TObject* Sender) { Close(); }
  void btnHideClick(TObject* Sender);
  void FileEditBeforeDialog(TObject* Sender, String& Name, bool& Action);
  void GlobalHotKey_ServiceKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

  // Without the service hot key a hidden window could not be brought back:
  // it then stays in sight, and the log view says why.
  bool ServiceHotKeyTaken() const { return !GlobalHotKey_Service->Registered(); }

 private:
  void Build();
  void ApplySettings();
};

extern TForm1* Form1;

// The first argument "hide" or "/hide", exactly, starts with the window unshown.
bool StartsHidden(const String& firstArgument);

// Ctrl+Alt+S.
constexpr TShortCut kServiceHotKey = 49235;
extern const wchar_t kServiceHotKeyTakenMessage[];
