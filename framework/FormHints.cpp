#include "framework/FormHints.h"

#include "framework/Application.h"
#include "framework/WinControl.h"

#include <commctrl.h>

namespace {
constexpr int kMaxHintWidth = 400;
}

TFormHints::~TFormHints() {
  if (FTip) DestroyWindow(FTip);
}

void TFormHints::Update(TWinControl& form) {
  if (!FTip) {
    // Owned by the hidden application window, not the form: a topmost window
    // owned by the form would change how the form itself is stacked.
    FTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           Application ? Application->Handle() : nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!FTip) return;
    SendMessageW(FTip, TTM_SETMAXTIPWIDTH, 0, kMaxHintWidth);  // lets "\r\n" break lines
  }
  while (SendMessageW(FTip, TTM_GETTOOLCOUNT, 0, 0) > 0) {
    TTTOOLINFOW info{sizeof(info)};
    SendMessageW(FTip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(FTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  if (Application) {
    SendMessageW(FTip, TTM_SETDELAYTIME, TTDT_INITIAL, Application->HintPause());
    SendMessageW(FTip, TTM_SETDELAYTIME, TTDT_RESHOW, Application->HintShortPause());
    SendMessageW(FTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, std::min<UINT>(Application->HintHidePause(), 32767));
    SendMessageW(FTip, TTM_ACTIVATE, Application->ShowHint(), 0);
  }
  AddControls(form);
}

void TFormHints::AddControls(TWinControl& parent) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    auto* control = dynamic_cast<TWinControl*>(parent.Controls(i));
    if (!control || !control->HandleAllocated()) continue;
    if (control->ShowHint() && !control->Hint().empty()) {
      TTTOOLINFOW info{sizeof(info)};
      info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      info.hwnd = parent.Handle();
      info.uId = reinterpret_cast<UINT_PTR>(control->Handle());
      info.lpszText = const_cast<wchar_t*>(control->Hint().c_str());
      SendMessageW(FTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    AddControls(*control);
  }
}
