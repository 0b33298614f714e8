#include "framework/FileNameEdit.h"

#include <commdlg.h>

namespace {
constexpr int kButtonWidth = 21;
constexpr int kButtonId = 1;
}

TFileNameEdit::TFileNameEdit(TComponent* owner) : TCustomEdit(owner) {}

void TFileNameEdit::InitializeWnd() {
  TCustomEdit::InitializeWnd();
  FButton = CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, FHandle,
                            reinterpret_cast<HMENU>(kButtonId), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(FButton, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
  PlaceButton();
}

void TFileNameEdit::PlaceButton() {
  if (!FButton) return;
  RECT r;
  GetClientRect(FHandle, &r);
  MoveWindow(FButton, r.right - kButtonWidth, 0, kButtonWidth, r.bottom, TRUE);
  SendMessageW(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kButtonWidth));
}

void TFileNameEdit::DoBrowse() {
  String name = FileName();
  bool action = true;
  if (OnBeforeDialog) OnBeforeDialog(this, name, action);
  if (!action) return;

  // The filter uses '|' between parts; the dialog wants zero characters.
  String filter = FFilter + L"||";
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  wchar_t buffer[MAX_PATH * 4] = {};
  lstrcpynW(buffer, ExtractFileName(name).c_str(), MAX_PATH);
  String initialDir = FInitialDir.empty() ? ExtractFilePath(name) : FInitialDir;

  OPENFILENAMEW ofn{sizeof(ofn)};
  ofn.hwndOwner = GetAncestor(FHandle, GA_ROOT);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = buffer;
  ofn.nMaxFile = static_cast<DWORD>(std::size(buffer));
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = FDialogTitle.empty() ? nullptr : FDialogTitle.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  action = GetOpenFileNameW(&ofn) != FALSE;
  if (action) name = buffer;
  if (OnAfterDialog) OnAfterDialog(this, name, action);
  if (action) {
    SetFileName(name);
    SetFocus();
  }
}

void TFileNameEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(m.LParam) == FButton && HIWORD(m.WParam) == BN_CLICKED) {
        DoBrowse();
        return;
      }
      break;
    case WM_NCDESTROY:
      FButton = nullptr;
      break;
    case WM_SIZE:
      TCustomEdit::WndProc(m);
      PlaceButton();
      return;
  }
  TCustomEdit::WndProc(m);
}
