#include "framework/Button.h"

#include "framework/Form.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 75, 25);
  FTabStop = true;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  p.WinClassName = L"KelvraButton";
  p.Style |= (FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE;
  FStyleDefault = FActive;
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  // Another button that has the focus stays the one Enter clicks.
  TForm* form = nullptr;
  for (TControl* c = Parent(); c && !form; c = c->Parent()) form = dynamic_cast<TForm*>(c);
  TWinControl* focused = form ? form->FocusedControl() : nullptr;
  if (!dynamic_cast<TButton*>(focused)) {
    FActive = v;
    SetButtonStyle(v);
  }
}

void TButton::SetButtonStyle(bool isDefault) {
  if (isDefault == FStyleDefault) return;
  FStyleDefault = isDefault;
  if (!FHandle || (GetWindowLongW(FHandle, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) return;
  SendMessageW(FHandle, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (FModalResult != mrNone)
    for (TControl* c = Parent(); c; c = c->Parent())
      if (auto* form = dynamic_cast<TForm*>(c)) {
        form->SetModalResult(FModalResult);
        break;
      }
  TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) {
        Click();
        return;
      }
      break;
    case CM_DIALOGKEY: {
      const bool enter = m.WParam == VK_RETURN && FActive;
      const bool escape = m.WParam == VK_ESCAPE && FCancel;
      const bool plain = GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
      const bool usable = FEnabled && FVisible && (!FHandle || (IsWindowVisible(FHandle) && IsWindowEnabled(FHandle)));
      if ((enter || escape) && plain && usable) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    }
    case CM_FOCUSCHANGED: {
      // The focused button is the default while it has the focus; any other
      // control gives that back to the Default button.
      auto* focused = reinterpret_cast<TControl*>(m.LParam);
      FActive = dynamic_cast<TButton*>(focused) ? focused == this : FDefault;
      SetButtonStyle(FActive);
      break;
    }
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
