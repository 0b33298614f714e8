#include "framework/PopupMenu.h"

#include "framework/Application.h"

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this)) {}

TPopupMenu::~TPopupMenu() { Destroying_(); }

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == FPopupComponent) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = component;
  if (component) component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->AppendTo(menu);
  // The menu needs a window of this thread to report to; the foreground one
  // keeps the activation where it is.
  HWND owner = GetActiveWindow();
  if (!owner && Application) owner = Application->Handle();
  const UINT command = UINT(
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (command == 0) return;
  if (TMenuItem* item = FItems->FindByCommand(command); item && item != FItems) item->Click();
}
