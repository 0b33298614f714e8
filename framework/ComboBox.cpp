#include "framework/ComboBox.h"

void TComboBoxItems::Changed() {
  TStringList::Changed();
  FCombo.ItemsChanged();
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), FItems(*this) {
  StoreBounds(0, 0, 145, 21);
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"COMBOBOX";
  p.WinClassName = L"KelvraComboBox";
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL |
             (FStyle == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
  // The window's height includes its open list.
  p.Height = FHeight + FDropDownCount * 16;
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  if (FHandle)
    SetWindowPos(FHandle, nullptr, left, top, width, height + FDropDownCount * 16, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::InitializeWnd() {
  ItemsChanged();
  if (FItemIndex < 0 && FStyle == TComboBoxStyle::csDropDown) SetWindowTextW(FHandle, FText.c_str());
}

void TComboBox::SaveWndState() {
  FItemIndex = ItemIndex();
  FText = GetText();
}

void TComboBox::ItemsChanged() {
  if (!FHandle) return;
  SendMessageW(FHandle, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < FItems.Count(); ++i)
    SendMessageW(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems.Get(i).c_str()));
  SendMessageW(FHandle, CB_SETCURSEL, FItemIndex, 0);
}

int TComboBox::ItemIndex() const {
  if (FHandle) return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems.Count()) index = -1;
  FItemIndex = index;
  if (FHandle) SendMessageW(FHandle, CB_SETCURSEL, index, 0);
  FText = index >= 0 ? FItems.Get(index) : String();
}

String TComboBox::GetText() const {
  if (FHandle) return TWinControl::GetText();
  return FText;
}

void TComboBox::StoreText(const String& s) {
  FText = s;
  FItemIndex = FItems.IndexOf(s);
  if (FHandle) {
    SendMessageW(FHandle, CB_SETCURSEL, FItemIndex, 0);
    if (FStyle == TComboBoxStyle::csDropDown) SetWindowTextW(FHandle, s.c_str());
  }
}

void TComboBox::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

void TComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    switch (HIWORD(m.WParam)) {
      case CBN_SELCHANGE:
        FItemIndex = ItemIndex();
        Change();
        return;
      case CBN_EDITCHANGE:
        FItemIndex = -1;
        Change();
        return;
    }
  }
  TWinControl::WndProc(m);
}
