#include "app/PasswordDlg.h"

TFormPasswordDlg* FormPasswordDlg = nullptr;

TFormPasswordDlg::TFormPasswordDlg(TComponent* owner) : TForm(owner) {
  SetName(L"FormPasswordDlg");
  FormPasswordDlg = this;
  SetCaption(L"Service");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(0);
  SetClientSize(473, 311);
}
