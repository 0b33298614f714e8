#include "skin/controls/SkinnedMessageDlg.h"

#include "framework/Application.h"

#include <vector>

const wchar_t* const MsgDlgCaptions[5] = {L"Warning", L"Error", L"Information", L"Confirm", L""};
int MsgDlgPosX = -1;
int MsgDlgPosY = -1;

TacMsgDlgHelp& MsgDlgHelp() {
  static TacMsgDlgHelp Help;
  return Help;
}

UINT MsgDlgStyle(TsMsgDlgType DlgType, TsMsgDlgButtons Buttons, bool RightToLeft) {
  static const UINT Icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  UINT Style = Icons[static_cast<int>(DlgType)];
  const bool Cancel = Buttons & mbsCancel;
  if (Buttons & mbsOK)
    Style |= Cancel ? MB_OKCANCEL : MB_OK;
  else if (Buttons & (mbsAbort | mbsIgnore))
    Style |= MB_ABORTRETRYIGNORE;
  else if (Buttons & (mbsYes | mbsNo))
    Style |= Cancel ? MB_YESNOCANCEL : MB_YESNO;
  else if (Buttons & mbsRetry)
    Style |= MB_RETRYCANCEL;
  else
    Style |= MB_OK;
  if (Buttons & mbsHelp) Style |= MB_HELP;
  if (RightToLeft) Style |= MB_RIGHT;
  return Style;
}

int SkinnedMessageDlg(const String& Msg, TsMsgDlgType DlgType, TsMsgDlgButtons Buttons, int HelpCtx) {
  return SkinnedMessageDlgPos(String(), Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

namespace {

void CALLBACK OpenHelp(LPHELPINFO Info) {
  if (Info && Info->dwContextId != 0 && MsgDlgHelp()) MsgDlgHelp()(static_cast<int>(Info->dwContextId));
}

// The enabled top-level windows of this thread, disabled for the time the box
// is open and enabled again when it closes, on every path.
class TThreadWindowsDisabled {
 public:
  TThreadWindowsDisabled() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Wnd, LPARAM Param) -> BOOL {
          if (IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) reinterpret_cast<std::vector<HWND>*>(Param)->push_back(Wnd);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&FWindows));
    for (HWND Wnd : FWindows) EnableWindow(Wnd, FALSE);
  }
  ~TThreadWindowsDisabled() {
    for (HWND Wnd : FWindows)
      if (IsWindow(Wnd)) EnableWindow(Wnd, TRUE);
  }
  TThreadWindowsDisabled(const TThreadWindowsDisabled&) = delete;
  TThreadWindowsDisabled& operator=(const TThreadWindowsDisabled&) = delete;

 private:
  std::vector<HWND> FWindows;
};

struct TMsgDlgPlace {
  TMsgDlgPlace(int X, int Y) { MsgDlgPosX = X, MsgDlgPosY = Y; }
  ~TMsgDlgPlace() { MsgDlgPosX = -1, MsgDlgPosY = -1; }
};

}  // namespace

int SkinnedMessageDlgPos(const String& Caption, const String& Msg, TsMsgDlgType DlgType, TsMsgDlgButtons Buttons,
                         int HelpCtx, int X, int Y) {
  const String Title = Caption.empty() ? String(MsgDlgCaptions[static_cast<int>(DlgType)]) : Caption;
  const UINT Style = MsgDlgStyle(DlgType, Buttons);
  TMsgDlgPlace Place(X, Y);

  // The record's real size: a fixed 32-bit size is refused on x64 and the
  // message would be lost.
  MSGBOXPARAMSW Params{};
  Params.cbSize = sizeof(Params);
  Params.hwndOwner = Application ? Application->Handle() : nullptr;
  Params.lpszText = Msg.c_str();
  Params.lpszCaption = Title.c_str();
  Params.dwStyle = Style;
  Params.dwContextHelpId = static_cast<DWORD_PTR>(HelpCtx);
  Params.lpfnMsgBoxCallback = OpenHelp;

  const HWND Active = GetActiveWindow();
  int Result;
  {
    TThreadWindowsDisabled Disabled;
    Result = MessageBoxIndirectW(&Params);
  }
  if (Active) {
    // Focus moved away and back, so that the window really takes it again.
    SetFocus(nullptr);
    SetFocus(Active);
  }
  return Result;
}
