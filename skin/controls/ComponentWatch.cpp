#include "skin/controls/ComponentWatch.h"

TComponentWatch::TComponentWatch(TComponent* Target) : TComponent(nullptr), FTarget(Target) {
  if (FTarget) FreeNotification(FTarget);
}

void TComponentWatch::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FTarget) FTarget = nullptr;
}
