#include "keyboard/KeyboardToolForm.h"

TKeyboardToolForm::TKeyboardToolForm(TComponent* owner, TForm* ownerForm) : TForm(owner), FOwnerForm(ownerForm) {
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
}

void TKeyboardToolForm::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  p.Style = WS_POPUP | WS_CLIPCHILDREN;
  if (FShowClose) p.Style |= WS_SYSMENU;
  if (FShowCaption) p.Style |= WS_CAPTION;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_WINDOWEDGE;
  if (FOwnerForm) p.WndParent = FOwnerForm->Handle();
}

void TKeyboardToolForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;
      return;
    case WM_ACTIVATE:
      TForm::WndProc(m);
      m.Result = 1;
      return;
  }
  TForm::WndProc(m);
}
