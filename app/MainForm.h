#pragma once
// The main window: the validator's port, the counters, the credit log view
// and every setting of data.txt.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Menus.h"
#include "hotkey/HkGlobalHotKey.h"
#include "serial/ComPort.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/CustomCombo.h"
#include "skin/controls/FilenameEdit.h"
#include "skin/controls/Label.h"
#include "skin/controls/SkinnedButton.h"
#include "skin/controls/SkinnedEdit.h"
#include "skin/controls/SkinnedMemo.h"
#include "skin/controls/SkinnedPanel.h"
#include "skin/controls/SkinnedSpinEdit.h"
#include "skin/hints/AlphaHints.h"
#include "skin/manager/SkinManager.h"
#include "app/CreditLog.h"
#include "app/StartupMessages.h"

#include <memory>
#include <optional>

// Whether this process runs under WOW64; raises "Bad process handle" when
// the system cannot tell.
bool IsWow64();

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  ~TForm1() override;

  TsPanel* Panel1;
  TsCheckBox* cbPoll;
  TsComboBox* ComboBoxCOM;
  TsSpinEdit* PulseValue;
  TsCheckBox* cbTotalblocking;
  TsCheckBox* cbPlaySound;
  TImage* ImgCTS;
  TImage* ImgOn;
  TImage* ImgOff;
  TsLabel* Label_ID;
  TsLabel* LabelCredits;
  TsButton* Btn_ClearID;
  TsButton* Btn_ClearCredits;
  TsButton* BtnClearLog;
  TsButton* btnSaveSettings;
  TsButton* btnHide;
  TsCheckBox* cbAutostartOnBoot;
  TsCheckBox* cbCheckLogSize;
  TsEdit* sEditServicePassword;
  TsCheckBox* cbShowPassword;
  TsCheckBox* cbExecute;
  TsFilenameEdit* sFilenameEditExecute;
  TsFilenameEdit* sFilenameEditLogfile;
  TsCheckBox* cbLogOnlyTotalPure;
  TsCheckBox* cbLogOnlyTotal;
  TsMemo* MemoLog;
  TsMemo* Data;
  TsMemo* MemoTemp;
  TsMemo* sMemoINI;
  TMainMenu* MainMenu1;
  TMenuItem* Menu_SaveSettings;
  TMenuItem* Menu_Exit;
  TMenuItem* Menu_Manual;
  TMenuItem* Menu_Website;
  TMenuItem* Menu_About;
  TComPort* KelvraAdapter;
  TsSkinManager* sSkinManager1;
  TsAlphaHints* sAlphaHints;
  THkGlobalHotKey* GlobalHotKey_Service;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Writes every setting into Data, from the program's state, and saves data.txt.
  void SaveSettings();
  // The "log" setting: the log file's name ("appdata" for the data folder's
  // credits.txt); the view shows the file when it exists.
  void ShowLogFile(const String& value);

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
  // The hot key is registered while this window is still being made, and a
  // box shown while either window is made runs the message loop: the service
  // dialog comes up only once both windows are whole.
  bool ServiceDialogReady() const;

  // Without the service hot key a hidden window could not be brought back:
  // it then stays in sight, and the log view says why.
  bool ServiceHotKeyTaken() const { return !GlobalHotKey_Service->Registered(); }

  // Pulse counting: one rise of CTS is one payment.
  void KelvraAdapterCTSChange(TObject* Sender, bool OnOff);
  void WriteTotalLog(const String& PulseText);
  void Btn_ClearIDClick(TObject* Sender);
  void Btn_ClearCreditsClick(TObject* Sender);
  void BtnClearLogClick(TObject* Sender);
  void MemoLogDblClick(TObject* Sender);

  // Window commands.
  void Menu_ManualClick(TObject* Sender);
  void Menu_WebsiteClick(TObject* Sender);
  void Menu_AboutClick(TObject* Sender);
  void UpdateAutostartEntry();
  // Asked before the Run key is opened; tests put a failing query here.
  bool (*QueryWow64)() = IsWow64;
  // The Run value: the quoted path of the running program and /hide.
  static String AutostartCommand();

  // While the port is being opened, the line states it reports only move
  // the lamp: a payment is a rise seen while the port is open.
  bool PortSettling() const { return FPortSettling; }

  // Boxes for the operator that start-up holds back until the port counts.
  const TStartupMessages& StartupMessages() const { return FStartupMessages; }

 protected:
  void DoCreate() override;

 private:
  void Build();
  // Puts the settings of Data into the program: first all but the port's,
  // then (portKeys) those that open the port. Returns what the log view
  // should say about unreadable values.
  std::vector<String> ApplySettings(bool portKeys);
  void ReadBackup(TStringList& backup) const;
  // Saves Data to data.txt; a failure is told once (in the log view, or in a
  // message box while the window closes) until a save succeeds again.
  bool WriteDataFile();
  void ReportSaveFailure(const String& error);
  void ShowLamp(bool on);
  String LogFileName() const;
  void SaveCredits();
  // At start: the payments the log holds past the saved id (a kill between
  // the log's write and data.txt's) are counted and saved.
  void TakeUnsavedPayments(const std::optional<FILETIME>& dataSavedAt);
  bool AnotherPaymentWaiting();
  void ReportPortError();
  void EndStartup();

  std::unique_ptr<TCreditLog> FLog;  // made with MemoLog, the view it keeps
  bool FPortSettling = false;
  bool FClosing = false;
  bool FSaveFailureTold = false;
  TStartupMessages FStartupMessages;
  bool FCreationDone = false;
  TMessageHookId FStartupHook = 0;
};

extern TForm1* Form1;

extern const wchar_t kWebsite[];  // the product's page

// The executable's file version, "1.2.0.15"; empty without a version resource.
String GetFileVersionText();

// The first argument "hide" or "/hide", exactly, starts with the window unshown.
bool StartsHidden(const String& firstArgument);

// Ctrl+Alt+S.
constexpr TShortCut kServiceHotKey = 49235;
extern const wchar_t kServiceHotKeyTakenMessage[];
