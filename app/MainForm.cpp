#include "app/MainForm.h"

#include "app/AppState.h"
#include "app/CreditJournal.h"
#include "app/FormBuilding.h"
#include "app/HintTemplates.h"
#include "app/PasswordDlg.h"
#include "app/SettingKeys.h"
#include "app/SettingsFile.h"
#include "app/ShellFolders.h"
#include "app/Waits.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"

#include <shlobj.h>

TForm1* Form1 = nullptr;

const wchar_t kServiceHotKeyTakenMessage[] =
    L"Service hot key CTRL+ALT+S is in use by another program! The window stays visible.";

namespace {

constexpr wchar_t kDataSubFolder[] = L"drovik\\kelvraadapter\\";
constexpr wchar_t kMissingDataMessage[] = L"Error with data file!\r\nPlease reinstall application";
constexpr wchar_t kSaveFailedMessage[] = L"Settings and credits could not be saved!";
// Posted to the application window when start-up is over.
constexpr UINT kShowStartupMessages = WM_APP + 0x101;

// An unreadable value as the log view can show it: one line, of sensible length.
String Shown(const String& value) {
  constexpr size_t kLongest = 40;
  String shown = value.substr(0, kLongest);
  for (wchar_t& c : shown)
    if (c < L' ') c = L'?';
  return value.size() > kLongest ? shown + L"..." : shown;
}

String UnreadableCountNote(const String& key, const String& unreadable, const String& used, bool fromBackup) {
  return key + L" \"" + Shown(unreadable) + L"\" in data.txt is unreadable! Using " + used +
         (fromBackup ? L" from data_last.txt." : L".");
}
// Far beyond any line the program writes; past it a memo's window only cuts.
constexpr int kShownLineLimit = 1000;

TsLabel* SideLabel(TComponent* owner, TWinControl* parent, const wchar_t* text, int left, int top) {
  auto* label = Place<TsLabel>(owner, parent, L"", left, top, 0, 0);
  label->SetCaption(text);
  return label;
}

TsCheckBox* Box(TComponent* owner, TWinControl* parent, const wchar_t* name, const wchar_t* caption,
                const wchar_t* hint, int left, int top, int width) {
  auto* box = Place<TsCheckBox>(owner, parent, name, left, top, width, 17);
  box->SetCaption(caption);
  box->SetHint(hint);
  return box;
}

TsButton* Button(TComponent* owner, TWinControl* parent, const wchar_t* name, const wchar_t* caption,
                 const wchar_t* hint, int left, int top) {
  auto* b = Place<TsButton>(owner, parent, name, left, top, 120, 25);
  b->SetCaption(caption);
  b->SetHint(hint);
  return b;
}

TsMemo* HiddenMemo(TComponent* owner, TWinControl* parent, const wchar_t* name) {
  auto* memo = Place<TsMemo>(owner, parent, name, 0, 0, 0, 0);
  memo->SetVisible(false);
  memo->SetShownLineLimit(kShownLineLimit);
  return memo;
}

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const wchar_t* name, const wchar_t* caption) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

}  // namespace

bool StartsHidden(const String& firstArgument) { return firstArgument == L"hide" || firstArgument == L"/hide"; }

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  SetName(L"Form1");
  Form1 = this;
  Build();
}

TForm1::~TForm1() {
  if (FStartupHook && Application) Application->UnhookMainWindow(FStartupHook);
}

void TForm1::Build() {
  SetCaption(kProductName);
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(biSystemMenu | biMinimize);
  SetPosition(TPosition::poScreenCenter);
  SetScaled(false);
  SetShowHint(true);
  Font().SetName(L"Arial");
  Font().SetHeight(-12);

  // The validator's port: its design values; the port number comes from the
  // settings before every open.
  KelvraAdapter = new TComPort(this);
  KelvraAdapter->SetName(L"KelvraAdapter");
  KelvraAdapter->SetBaudRate(br9600);
  KelvraAdapter->SetPort(L"COM1");
  KelvraAdapter->Parity().SetBits(prNone);
  KelvraAdapter->SetStopBits(sbOneStopBit);
  KelvraAdapter->SetDataBits(dbEight);
  KelvraAdapter->SetEvents(kAllComEvents);
  TComFlowControl& flow = KelvraAdapter->FlowControl();
  flow.SetOutCTSFlow(false);
  flow.SetOutDSRFlow(false);
  flow.SetControlDTR(dtrEnable);
  flow.SetControlRTS(rtsDisable);
  flow.SetXonXoffOut(false);
  flow.SetXonXoffIn(false);

  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName(L"MainMenu1");
  TMenuItem* program = Item(this, MainMenu1->Items(), L"Menu_Program", L"&Program");
  Menu_SaveSettings = Item(this, program, L"Menu_SaveSettings", L"&Save settings");
  Item(this, program, L"N1", L"-");
  Menu_Exit = Item(this, program, L"Menu_Exit", L"E&xit");
  TMenuItem* help = Item(this, MainMenu1->Items(), L"Menu_Help", L"&Help");
  Menu_Manual = Item(this, help, L"Menu_Manual", L"&Manual (Local)");
  Menu_Website = Item(this, help, L"Menu_Website", L"&Website (Online)");
  Item(this, help, L"N2", L"-");
  Menu_About = Item(this, help, L"Menu_About", L"&About");
  SetMenu(MainMenu1);
  SetClientSize(658, 472);

  Panel1 = Place<TsPanel>(this, this, L"Panel1", 0, 0, 658, 472);
  Panel1->SetAlign(TAlign::alClient);
  Panel1->SetBevelOuter(TBevelCut::bvLowered);
  Panel1->SetShowCaption(false);

  // Left column: the port, the pulse value, the lamp and the counters.
  cbPoll = Box(this, Panel1, L"cbPoll", L"Open ", L"Open COM port", 16, 18, 60);
  ComboBoxCOM = Place<TsComboBox>(this, Panel1, L"ComboBoxCOM", 80, 15, 96, 21);
  for (int i = 1; i <= 10; ++i) ComboBoxCOM->Items().Add(L"COM-" + IntToStr(i));
  ComboBoxCOM->SetText(L"COM-1");
  ComboBoxCOM->SetHint(L"Set the COM port");
  ComboBoxCOM->SetCursor(crHandPoint);
  SideLabel(this, Panel1, L"Pulse value:", 16, 52);
  PulseValue = Place<TsSpinEdit>(this, Panel1, L"PulseValue", 96, 48, 80, 21);
  PulseValue->SetIncrement(1);
  cbTotalblocking = Box(this, Panel1, L"cbTotalblocking", L"Totalblocking ", L"Block acceptance", 16, 84, 160);
  cbPlaySound = Box(this, Panel1, L"cbPlaySound", L"Play sound", L"Play a sound on cash in", 16, 108, 160);
  SideLabel(this, Panel1, L"Signal:", 16, 138);
  ImgCTS = Place<TImage>(this, Panel1, L"ImgCTS", 96, 140, 12, 12);
  ImgOn = Place<TImage>(this, Panel1, L"ImgOn", 116, 140, 12, 12);
  ImgOn->SetVisible(false);
  ImgOff = Place<TImage>(this, Panel1, L"ImgOff", 136, 140, 12, 12);
  ImgOff->SetVisible(false);
  for (auto [image, name] : {std::pair{ImgOn, L"LAMPON"}, std::pair{ImgOff, L"LAMPOFF"}}) {
    image->SetTransparent(true);
    image->Picture().LoadFromResource(GetModuleHandleW(nullptr), name);
  }
  ImgCTS->SetTransparent(true);
  ImgCTS->Picture().Assign(ImgOff->Picture());
  SideLabel(this, Panel1, L"ID:", 16, 164);
  Label_ID = Place<TsLabel>(this, Panel1, L"Label_ID", 96, 164, 0, 0);
  Label_ID->SetCaption(L"0");
  SideLabel(this, Panel1, L"Credits:", 16, 188);
  LabelCredits = Place<TsLabel>(this, Panel1, L"LabelCredits", 96, 188, 0, 0);
  LabelCredits->SetCaption(L"0");

  // Middle column: the commands.
  Btn_ClearID = Button(this, Panel1, L"Btn_ClearID", L"Clear ID", L"Clear the transaction ID", 200, 14);
  Btn_ClearCredits = Button(this, Panel1, L"Btn_ClearCredits", L"Clear Credits", L"Clear the credits counter", 200, 46);
  BtnClearLog = Button(this, Panel1, L"BtnClearLog", L"Clear Log", L"Clear the log file", 200, 78);
  btnSaveSettings = Button(this, Panel1, L"btnSaveSettings", L"Save Settings",
                           L"Save all settings.\r\n\r\nHint: we save all settings on program close.", 200, 110);
  btnHide = Button(this, Panel1, L"btnHide", L"Hide",
                   L"Hide this window.\r\n\r\nUse your Hot-Key\r\n(default is CTRL+ALT+S)\r\nto make it visible again.",
                   200, 142);

  // Right column: start-up, log and per-pulse options.
  cbAutostartOnBoot = Box(this, Panel1, L"cbAutostartOnBoot", L"Autostart on Windows boot",
                          L"Start the kelvra.exe software with Windows boot\r\n\r\nWe use the registry RUN "
                          L"section (Current User)\r\nand we start the kelvra.exe hidden.\r\nUse CTRL+ALT+S to "
                          L"make it visible again.",
                          344, 18, 290);
  cbCheckLogSize = Box(this, Panel1, L"cbCheckLogSize", L"Clear credits if log file is empty",
                       L"On cash in we check the log file.\r\n\r\nIf the log does not exists \r\nor it is empty "
                       L"or it contains 0\r\nwe clear the internal credits counter.",
                       344, 42, 290);
  SideLabel(this, Panel1, L"Service password:", 344, 70);
  sEditServicePassword = Place<TsEdit>(this, Panel1, L"sEditServicePassword", 460, 66, 174, 21);
  sEditServicePassword->SetPasswordChar(L'#');
  sEditServicePassword->SetText(L"Tarvelin");
  cbShowPassword = Box(this, Panel1, L"cbShowPassword", L"Show password", L"", 460, 92, 174);
  cbExecute = Box(this, Panel1, L"cbExecute", L"Execute on Kelvra signal", L"Execute a application or script.", 344,
                  120, 290);
  sFilenameEditExecute = Place<TsFilenameEdit>(this, Panel1, L"sFilenameEditExecute", 344, 142, 290, 21);
  sFilenameEditExecute->SetMaxLength(255);
  sFilenameEditExecute->SetCheckOnExit(true);
  sFilenameEditExecute->SetHint(L"Enter the complete path and name");
  SideLabel(this, Panel1, L"Logfile:", 344, 176);
  sFilenameEditLogfile = Place<TsFilenameEdit>(this, Panel1, L"sFilenameEditLogfile", 344, 194, 290, 21);
  sFilenameEditLogfile->SetText(L"credits.txt");
  sFilenameEditLogfile->SetMaxLength(255);
  sFilenameEditLogfile->SetCheckOnExit(true);
  sFilenameEditLogfile->SetHint(
      L"Enter the complete path and name of the logfile.\r\n\r\nBe sure the file has write permission.\r\nDo "
      L"not use the program files directory!");
  cbLogOnlyTotalPure = Box(this, Panel1, L"cbLogOnlyTotalPure", L"Log only total IN",
                           L"The log.txt just holds the total IN.\r\n\r\nOn cash IN the value is added to\r\nthe "
                           L"current number in the log.txt\r\n\r\nThe format of the entry is\r\njust the credits, no "
                           L"dot or comma!",
                           344, 224, 290);
  cbLogOnlyTotal = Box(this, Panel1, L"cbLogOnlyTotal", L"Log only total IN [float]",
                       L"The log.txt just holds the total IN.\r\n\r\nOn cash IN the value is added to\r\nthe "
                       L"current number in the log.txt\r\n\r\nMin Pulse value must be 10!\r\n\r\nThe format of the "
                       L"entry is\r\n[Euro].[Cents*10]\r\n\r\nExample:\r\n1.5 means 1Euro and 50 Cent\r\n\r\n1 EUR IN "
                       L"[100] the log.txt holds 1.0\r\n50 Cent IN [50] the log.txt holds 1.5\r\n50 Cent IN [50] the "
                       L"log.txt holds 2.0",
                       344, 248, 290);

  MemoLog = Place<TsMemo>(this, Panel1, L"MemoLog", 16, 280, 626, 176);
  MemoLog->SetReadOnly(true);
  MemoLog->SetScrollBars(TScrollStyle::ssBoth);
  MemoLog->SetWordWrap(false);
  MemoLog->SetShownLineLimit(kShownLineLimit);
  MemoLog->Font().SetName(L"MS Sans Serif");
  MemoLog->Font().SetHeight(-11);
  MemoLog->SetHint(L"Double click to clear ID, CREDITS and LOGFILE.");
  FLog = std::make_unique<TCreditLog>(*MemoLog);

  Data = HiddenMemo(this, Panel1, L"Data");
  MemoTemp = HiddenMemo(this, Panel1, L"MemoTemp");
  MemoTemp->SetReadOnly(true);
  sMemoINI = HiddenMemo(this, Panel1, L"sMemoINI");
  for (const String& key : RepairedKeys()) sMemoINI->Lines().Add(key);  // the repair reads the table itself

  for (TComponent* c : Components())
    if (auto* control = dynamic_cast<TControl*>(c); control && !control->Hint().empty()) control->SetShowHint(true);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  KelvraAdapter->OnCTSChange = [this](TObject* s, bool on) { KelvraAdapterCTSChange(s, on); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  cbPoll->OnClick = [this](TObject* s) { cbPollClick(s); };
  ComboBoxCOM->OnChange = [this](TObject* s) { ComboBoxCOMChange(s); };
  cbTotalblocking->OnClick = [this](TObject* s) { cbTotalblockingClick(s); };
  cbAutostartOnBoot->OnClick = [this](TObject* s) { cbAutostartOnBootClick(s); };
  cbShowPassword->OnClick = [this](TObject* s) { cbShowPasswordClick(s); };
  for (TsCheckBox* box : {cbPlaySound, cbExecute, cbCheckLogSize, cbLogOnlyTotal, cbLogOnlyTotalPure})
    box->OnClick = [this](TObject* s) { SaveUnlessLoading(s); };
  for (TCustomEdit* edit :
       std::initializer_list<TCustomEdit*>{sFilenameEditExecute, sFilenameEditLogfile, sEditServicePassword})
    edit->OnChange = [this](TObject* s) { SaveUnlessLoading(s); };
  for (TsFilenameEdit* edit : {sFilenameEditExecute, sFilenameEditLogfile})
    edit->OnBeforeDialog = [this](TObject* s, String& n, bool& a) { FileEditBeforeDialog(s, n, a); };
  btnSaveSettings->OnClick = [this](TObject* s) { btnSaveSettingsClick(s); };
  Menu_SaveSettings->OnClick = [this](TObject* s) { SaveSettings(); };
  Menu_Exit->OnClick = [this](TObject* s) { Menu_ExitClick(s); };
  btnHide->OnClick = [this](TObject* s) { btnHideClick(s); };
  Btn_ClearID->OnClick = [this](TObject* s) { Btn_ClearIDClick(s); };
  Btn_ClearCredits->OnClick = [this](TObject* s) { Btn_ClearCreditsClick(s); };
  BtnClearLog->OnClick = [this](TObject* s) { BtnClearLogClick(s); };
  MemoLog->OnDblClick = [this](TObject* s) { MemoLogDblClick(s); };
  MemoTemp->OnDblClick = [this](TObject* s) { MemoLogDblClick(s); };
  Menu_Manual->OnClick = [this](TObject* s) { Menu_ManualClick(s); };
  Menu_Website->OnClick = [this](TObject* s) { Menu_WebsiteClick(s); };
  Menu_About->OnClick = [this](TObject* s) { Menu_AboutClick(s); };

  sSkinManager1 = new TsSkinManager(this);
  sSkinManager1->SetName(L"sSkinManager1");
  auto* night = sSkinManager1->InternalSkins().Add();
  night->Name = L"Night (internal)";
  night->Data = ResourceBytes(L"NIGHT_SKIN");
  // The skin loads while the window is made: what it has to say waits until
  // the port counts.
  sSkinManager1->OnShowWarning = [this](const String& text) {
    FStartupMessages.Show([this, text] { sSkinManager1->ShowWarningBox(text); });
  };
  sSkinManager1->OnShowError = [this](const String& text) { FStartupMessages.Show([text] { ShowMessage(text); }); };
  sSkinManager1->SetSkinName(L"Night (internal)");
  sSkinManager1->AnimEffects().BlendOnMoving.SetActive(true);
  sSkinManager1->ButtonsOptions().SetOldGlyphsMode(true);
  for (int i = 0; i < acThirdPartyListCount; ++i)
    sSkinManager1->ThirdParty().SetItem(i, i == ThirdButtonsIndex ? L"TButton" : L" ");

  // The hints of both windows show in its bubbles once the form has loaded.
  sAlphaHints = new TsAlphaHints(this);
  sAlphaHints->SetName(L"sAlphaHints");
  sAlphaHints->SetMaxWidth(0);
  AddHintTemplates(*sAlphaHints);
  sAlphaHints->SetTemplateName(L"White Baloon Border");
  sAlphaHints->SetPauseHide(15000);
  sAlphaHints->SetSkinSection(L"CHECKBOX");

  GlobalHotKey_Service = new THkGlobalHotKey(this);
  GlobalHotKey_Service->SetName(L"GlobalHotKey_Service");
  GlobalHotKey_Service->SetHotKey(kServiceHotKey);
  GlobalHotKey_Service->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
    GlobalHotKey_ServiceKeyDown(s, k, sh);
  };
}

void TForm1::FormCreate(TObject*) {
  App.Loading = true;
  SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);

  App.DataFolder = IncludeTrailingPathDelimiter(GetSpecialFolderPath(Application->Handle(), CSIDL_APPDATA)) +
                   kDataSubFolder;
  if (!DirectoryExists(App.DataFolder)) ForceDirectories(App.DataFolder);
  App.ExeFolder = ExtractFilePath(ParamStr(0));

  SetDoubleBuffered(true);
  MemoLog->SetDoubleBuffered(true);

  const String dataFile = App.DataFolder + kDataFileName;
  // When the counters were last saved: a log written since may hold payments
  // data.txt lacks. The repair leaves an intact file untouched, so this
  // holds until they are taken, even when this start is killed first.
  const std::optional<FILETIME> dataSavedAt = LastWriteTime(dataFile);
  RepairSettingsFile(App.DataFolder, App.ExeFolder);
  PumpedDelay(100);
  Application->ProcessMessages();

  if (FileExists(dataFile)) {
    WaitWhileFileLocked(dataFile);
    Data->Lines().LoadFromFile(dataFile);
  } else {
    FStartupMessages.Show([] { MessageDlg(kMissingDataMessage, TMsgDlgType::mtInformation, mbOK, 0); });
    Data->Lines().Add(kDataSection);
    WaitWhileFileLocked(dataFile);
    Data->Lines().SaveToFile(dataFile);
    RepairSettingsFile(App.DataFolder, App.ExeFolder);
    // Take what the second repair wrote, so that the first save does not put
    // defaults over the values it recovered from the backup.
    if (FileExists(dataFile)) {
      WaitWhileFileLocked(dataFile);
      Data->Lines().LoadFromFile(dataFile);
    }
  }

  // The log view is filled while the settings are applied; what they have to
  // say goes below it.
  const std::vector<String> notes = ApplySettings(false);
  Application->SetShowMainForm(!StartsHidden(ParamStr(1)));
  for (const String& note : notes) MemoLog->Lines().Add(note);

  if (ServiceHotKeyTaken()) {
    Application->SetShowMainForm(true);
    MemoLog->Lines().Add(kServiceHotKeyTakenMessage);
  }
  // Before the port opens: the next payment must get the next id. Only
  // counters read from data.txt are continued; the backup's are older than
  // the payments the log holds past them.
  if (notes.empty()) TakeUnsavedPayments(dataSavedAt);
  ApplySettings(true);

  Application->SetHintHidePause(5000);
  App.Loading = false;
}

void TForm1::DoCreate() {
  try {
    TForm::DoCreate();
  } catch (...) {
    EndStartup();
    throw;
  }
  EndStartup();
}

void TForm1::EndStartup() {
  FCreationDone = true;
  // The port is open by now. The boxes held back show once the message loop
  // runs, after the service dialog exists too; the application window stays
  // while this one may be made anew.
  FStartupHook = Application->HookMainWindow([this](TMessage& m) {
    if (m.Msg != kShowStartupMessages) return false;
    Application->UnhookMainWindow(FStartupHook);
    FStartupHook = 0;
    FStartupMessages.Release();
    return true;
  });
  PostMessageW(Application->Handle(), kShowStartupMessages, 0, 0);
}

void TForm1::ShowLogFile(const String& value) {
  sFilenameEditLogfile->SetText(value == L"appdata" ? App.DataFolder + L"credits.txt" : value);
  if (const String log = sFilenameEditLogfile->Text(); FileExists(log)) {
    MemoLog->Lines().LoadFromFile(log);
    FLog->Adopt(log);
  }
}

std::vector<String> TForm1::ApplySettings(bool portKeys) {
  // Checking a box runs its click handler as a user's click would; Loading
  // keeps them from saving, and the port's keys come last.
  std::vector<String> notes;
  TStringList backup;
  bool backupRead = false;
  for (const TSettingKey& key : SettingKeys()) {
    if (key.OpensPort != portKeys) continue;
    String value = Data->Lines().Values(key.Name);
    if (!Readable(key, value)) {
      const String unreadable = value;
      value = key.Default;
      // A count that is there but unreadable is payment data: the backup's
      // value stands in where it reads, and the operator is told either way.
      if (key.Count && !Trim(unreadable).empty()) {
        if (!backupRead) {
          backupRead = true;
          ReadBackup(backup);
        }
        const String saved = backup.Values(key.Name);
        const bool fromBackup = Readable(key, saved);
        if (fromBackup) value = saved;
        notes.push_back(UnreadableCountNote(key.Name, unreadable, value, fromBackup));
      }
    }
    key.Apply(*this, value);
  }
  return notes;
}

void TForm1::ReadBackup(TStringList& backup) const {
  const String backupFile = App.DataFolder + kBackupFileName;
  if (!FileExists(backupFile)) return;
  try {
    WaitWhileFileLocked(backupFile);
    backup.LoadFromFile(backupFile);
  } catch (const Exception&) {
    backup.Clear();  // no backup to fall back on: the defaults stand
  }
}

void TForm1::SaveSettings() {
  TStrings& data = Data->Lines();
  {
    TUpdateScope update(data);
    for (const TSettingKey& key : SettingKeys()) data.SetValues(key.Name, key.Saved(*this));
  }
  WriteDataFile();
}

bool TForm1::WriteDataFile() {
  const String dataFile = App.DataFolder + kDataFileName;
  try {
    if (!FileExists(dataFile)) ForceDirectories(App.DataFolder);
    WaitWhileFileLocked(dataFile);
    Data->Lines().SaveToFile(dataFile);
  } catch (const Exception& e) {
    ReportSaveFailure(e.Message());
    return false;
  }
  FSaveFailureTold = false;
  return true;
}

void TForm1::ReportSaveFailure(const String& error) {
  // Every typed character and every pulse saves: one word per failure is enough.
  if (FSaveFailureTold) return;
  FSaveFailureTold = true;
  if (FClosing)
    MessageDlg(kSaveFailedMessage + (L"\r\n" + error), TMsgDlgType::mtError, mbOK, 0);
  else
    MemoLog->Lines().Add(kSaveFailedMessage + (L" " + error));
}

void TForm1::FormClose(TObject*, TCloseAction&) {
  // The window goes whether or not the save succeeds: a file that cannot be
  // written must not keep the program from ending.
  FClosing = true;
  SaveSettings();
  if (KelvraAdapter->Connected()) KelvraAdapter->Close();
}

void TForm1::SaveUnlessLoading(TObject*) {
  if (!App.Loading) SaveSettings();
}

bool TForm1::ServiceDialogReady() const { return FCreationDone && FormPasswordDlg && FormPasswordDlg->Complete(); }

void TForm1::GlobalHotKey_ServiceKeyDown(TObject*, WORD&, TShiftState) {
  if (!ServiceDialogReady()) return;
  SetWindowTopmost(Handle(), false);
  FormPasswordDlg->Show();
}
