#pragma once
// Tells whether a component still exists after code that may free it ran,
// such as a menu item's OnClick inside a modal menu.
#include "framework/Component.h"

class TComponentWatch : public TComponent {
 public:
  explicit TComponentWatch(TComponent* Target);
  bool Alive() const { return FTarget != nullptr; }

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  TComponent* FTarget;
};
