#pragma once
// A menu that pops up at a point and runs until the user picks an item or
// dismisses it.
#include "framework/Menus.h"

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  TMenuItem* Items() const { return FItems; }
  // The control that popped the menu up last; a free notification clears it.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* component);

  // Shows the menu at the screen point and returns when it closes, after the
  // picked item's OnClick.
  virtual void Popup(int x, int y);

  // Before the menu shows.
  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TMenuItem* FItems;
  TComponent* FPopupComponent = nullptr;
};
