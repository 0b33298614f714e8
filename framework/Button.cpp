#include "framework/Button.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 75, 25);
  FTabStop = true;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  p.WinClassName = L"KelvraButton";
  p.Style |= BS_PUSHBUTTON | BS_MULTILINE;
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TWinControl::WndProc(m);
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 97, 17);
  FTabStop = true;
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  p.WinClassName = L"KelvraCheckBox";
  // Not an automatic box: the state lives here and the window only shows it.
  p.Style |= BS_3STATE;
}

void TCheckBox::InitializeWnd() { SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0); }

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == FState) return;
  FState = state;
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(state), 0);
  Changed();
  Click();
}

void TCheckBox::SetChecked(bool checked) {
  SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    SetChecked(!Checked());
    return;
  }
  TWinControl::WndProc(m);
}
