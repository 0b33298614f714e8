#include "framework/Button.h"

#include "framework/Form.h"

#include <algorithm>

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
  if (FWordWrap) p.Style |= BS_MULTILINE;
  if (ControlsAlignment() == TLeftRight::taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCheckBox::InitializeWnd() { SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0); }

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == FState) return;
  FState = state;
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(state), 0);
  if (!FClicksDisabled) Click();
}

void TCheckBox::SetChecked(bool checked) {
  SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckBox::Click() {
  Changed();
  TWinControl::Click();
}

void TCheckBox::Toggle() {
  switch (FState) {
    case TCheckBoxState::cbUnchecked:
      SetState(FAllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbChecked:
      SetState(TCheckBoxState::cbUnchecked);
      break;
    case TCheckBoxState::cbGrayed:
      SetState(TCheckBoxState::cbChecked);
      break;
  }
}

TLeftRight TCheckBox::ControlsAlignment() const {
  if (!UseRightToLeftAlignment()) return FAlignment;
  return FAlignment == TLeftRight::taLeftJustify ? TLeftRight::taRightJustify : TLeftRight::taLeftJustify;
}

void TCheckBox::SetAlignment(TLeftRight v) {
  if (v == FAlignment) return;
  FAlignment = v;
  RecreateWnd();
}

void TCheckBox::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  RecreateWnd();
  AdjustSize();
}

void TCheckBox::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  AdjustSize();
}

void TCheckBox::AdjustSize() {
  if (!FAutoSize || Loading() || Destroying()) return;
  int w = FWidth, h = FHeight;
  if (CanAutoSize(w, h) && (w != FWidth || h != FHeight)) SetBounds(FLeft, FTop, w, h);
}

bool TCheckBox::CanAutoSize(int& newWidth, int& newHeight) {
  const int box = GetSystemMetrics(SM_CXMENUCHECK);
  const String text = Caption();
  SIZE extent{};
  if (HDC dc = GetDC(nullptr)) {
    const HGDIOBJ old = SelectObject(dc, Font().Handle());
    RECT r{0, 0, FWordWrap && FAlign != TAlign::alNone ? newWidth - box - 6 : 0, 0};
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r,
              DT_CALCRECT | (FWordWrap && r.right > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    extent = SIZE{r.right - r.left, r.bottom - r.top};
  }
  if (FAlign == TAlign::alNone || FAlign == TAlign::alLeft || FAlign == TAlign::alRight)
    newWidth = box + (text.empty() ? 0 : 6 + extent.cx);
  newHeight = std::max<int>(box, extent.cy) + 2;
  return true;
}

void TCheckBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) {
        Toggle();
        return;
      }
      break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      TWinControl::WndProc(m);
      AdjustSize();
      return;
  }
  TWinControl::WndProc(m);
}
