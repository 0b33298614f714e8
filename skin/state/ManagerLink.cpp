#include "skin/state/ManagerLink.h"

#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"

void TacManagerLink::Watch(TsSkinManager* Manager) { FreeNotification(Manager); }

void TacManagerLink::Forget(TsSkinManager* Manager) { RemoveFreeNotification(Manager); }

void TacManagerLink::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  // Only managers are watched; the address is compared, never used.
  if (Operation == TOperation::opRemove) FData.ManagerGone(Component);
}
