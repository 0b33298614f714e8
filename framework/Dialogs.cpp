#include "framework/Dialogs.h"

#include "framework/Application.h"

int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int) {
  static const wchar_t* const captions[] = {L"Warning", L"Error", L"Information", L"Confirm", L""};
  static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  UINT flags = icons[static_cast<int>(type)];
  if ((buttons & mbYes) && (buttons & mbNo))
    flags |= (buttons & mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if ((buttons & mbOK) && (buttons & mbCancel))
    flags |= MB_OKCANCEL;
  else
    flags |= MB_OK;
  String caption = captions[static_cast<int>(type)];
  if (Application) return Application->MessageBox(msg, caption, flags);
  return MessageBoxW(nullptr, msg.c_str(), caption.c_str(), flags | MB_TASKMODAL);
}

void ShowMessage(const String& msg) {
  String caption = Application ? Application->Title() : String();
  if (Application)
    Application->MessageBox(msg, caption, MB_OK);
  else
    MessageBoxW(nullptr, msg.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
}
