#include "framework/SpinEdit.h"

#include <commctrl.h>

namespace {
constexpr int kButtonWidth = 17;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {}

int64_t TSpinEdit::Value() const {
  String text = GetText();
  if (text.empty()) return 0;
  int64_t v;
  return TryStrToInt64(text, v) ? v : FMinValue;
}

int64_t TSpinEdit::CheckValue(int64_t value) const {
  if (FMinValue == 0 && FMaxValue == 0) return value;
  if (value < FMinValue) return FMinValue;
  if (FMaxValue != 0 && value > FMaxValue) return FMaxValue;
  return value;
}

void TSpinEdit::SetValue(int64_t value) { SetText(IntToStr(CheckValue(value))); }

void TSpinEdit::InitializeWnd() {
  TCustomEdit::InitializeWnd();
  FButtons = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, FHandle, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  SendMessageW(FButtons, UDM_SETRANGE32, static_cast<WPARAM>(-0x7FFFFFFF), 0x7FFFFFFF);
  PlaceButtons();
}

void TSpinEdit::PlaceButtons() {
  if (!FButtons) return;
  RECT r;
  GetClientRect(FHandle, &r);
  MoveWindow(FButtons, r.right - kButtonWidth, 0, kButtonWidth, r.bottom, TRUE);
  SendMessageW(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kButtonWidth));
}

void TSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (hdr->hwndFrom == FButtons && hdr->code == UDN_DELTAPOS) {
        auto* delta = reinterpret_cast<NMUPDOWN*>(m.LParam);
        if (!FReadOnly) SetValue(Value() + delta->iDelta * FIncrement);
        m.Result = 1;  // the buttons keep no position of their own
        return;
      }
      break;
    }
    case WM_NCDESTROY:
      FButtons = nullptr;
      break;
    case WM_SIZE:
      TCustomEdit::WndProc(m);
      PlaceButtons();
      return;
  }
  TCustomEdit::WndProc(m);
}
