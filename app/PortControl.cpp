// The operator's settings around the counting: the port, the validator's
// blocking, start-up registration and the window's commands.
#include "app/AppState.h"
#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Registry.h"
#include "framework/WindowsVersion.h"

#include <shellapi.h>

const wchar_t kWebsite[] = L"https://www.example.com/kelvra-adapter/";

namespace {
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"!KelvraAdapter";
}  // namespace

bool IsWow64() {
  const std::optional<bool> wow64 = ProcessIsWow64();
  if (!wow64) throw Exception(L"Bad process handle");
  return *wow64;
}

String GetFileVersionText() {
  const String exe = ParamStr(0);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  if (size == 0) return String();
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(exe.c_str(), 0, size, block.data())) return String();
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info) return String();
  return IntToStr(HIWORD(info->dwFileVersionMS)) + L"." + IntToStr(LOWORD(info->dwFileVersionMS)) + L"." +
         IntToStr(HIWORD(info->dwFileVersionLS)) + L"." + IntToStr(LOWORD(info->dwFileVersionLS));
}

String TForm1::AutostartCommand() { return L"\"" + ParamStr(0) + L"\" /hide"; }

void TForm1::ReportPortError() {
  if (!cbLogOnlyTotalPure->Checked() && !cbLogOnlyTotal->Checked()) MemoLog->Lines().Add(L"COM port error!");
  Application->ProcessMessages();
}

void TForm1::cbPollClick(TObject* Sender) {
  if (cbPoll->Checked()) {
    // A number from the file that is not in the list names no port the
    // program offers ("COM0", "COM-1"): an error like any port that fails.
    if (App.ComPortNumber < 1 || App.ComPortNumber > ComboBoxCOM->Items().Count()) {
      ReportPortError();
      SaveUnlessLoading(Sender);
      return;
    }
    try {
      KelvraAdapter->SetPort(L"COM" + IntToStr(App.ComPortNumber));
      // The line states reported while the port opens only move the lamp: a
      // validator that holds CTS on is no payment.
      FPortSettling = true;
      KelvraAdapter->Open();
      FPortSettling = false;
      KelvraAdapter->SetRTS(!cbTotalblocking->Checked());
    } catch (const Exception&) {
      FPortSettling = false;
      ReportPortError();
    }
  } else if (KelvraAdapter->Connected()) {
    // Pulses still queued are counted; the closing reports are "off" and
    // only move the lamp.
    KelvraAdapter->Close();
  }
  SaveUnlessLoading(Sender);
}

void TForm1::ComboBoxCOMChange(TObject*) {
  App.ComPortNumber = ComboBoxCOM->ItemIndex() + 1;
  if (cbPoll->Checked()) {
    // Closes the port and opens the newly chosen one.
    cbPoll->SetChecked(false);
    cbPoll->SetChecked(true);
  }
}

void TForm1::cbTotalblockingClick(TObject*) {
  if (!KelvraAdapter->Connected()) return;
  try {
    KelvraAdapter->SetRTS(!cbTotalblocking->Checked());
  } catch (const Exception&) {
    ReportPortError();
  }
}

void TForm1::cbAutostartOnBootClick(TObject*) {
  if (!App.Loading) UpdateAutostartEntry();
}

void TForm1::UpdateAutostartEntry() {
  // Outside the registry's error handling: a process that cannot tell what
  // it runs under is no registry error, and its failure goes to the error
  // display from the click.
  const bool wow64 = QueryWow64();
  try {
    // A 64-bit program and a 32-bit one under WOW64 both belong in the
    // system's native view.
    const bool native64 = sizeof(void*) == 8 || wow64;
    TRegistry registry(KEY_ALL_ACCESS | (native64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY));
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (registry.OpenKey(kRunKey, true)) {
      if (cbAutostartOnBoot->Checked())
        registry.WriteString(kRunValue, AutostartCommand());
      else
        registry.DeleteValue(kRunValue);
    }
  } catch (const Exception&) {
    // Registry errors leave the start-up entry as it was, without a message.
    Application->ProcessMessages();
  }
}

void TForm1::cbShowPasswordClick(TObject*) {
  sEditServicePassword->SetPasswordChar(cbShowPassword->Checked() ? L'\0' : L'#');
}

void TForm1::btnHideClick(TObject*) {
  if (ServiceHotKeyTaken()) {
    MemoLog->Lines().Add(kServiceHotKeyTakenMessage);
    return;
  }
  SetTop(4000);
}

void TForm1::FileEditBeforeDialog(TObject*, String&, bool&) { SetWindowTopmost(Handle(), false); }

void TForm1::Menu_ManualClick(TObject*) {
  const String manual = App.ExeFolder + L"doc\\index_e.htm";
  const String folder = ExtractFilePath(manual);
  ShellExecuteW(Application->Handle(), L"Open", manual.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

void TForm1::Menu_WebsiteClick(TObject*) { ShellExecuteW(nullptr, L"open", kWebsite, L"", L"", SW_SHOWNORMAL); }

void TForm1::Menu_AboutClick(TObject*) {
  MessageDlg(String(kProductName) + L" v." + GetFileVersionText() + L"\r\nPlease visit our website\r\n" + kWebsite,
             TMsgDlgType::mtInformation, mbOK, 0);
}
