#include "framework/Component.h"

#include <algorithm>

void TPersistent::Assign(const TPersistent&) { throw EConvertError(L"Cannot assign this object"); }

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying_();
  // Tell everyone who asked that we are leaving, then free what we own,
  // last created first.
  auto notifies = std::move(FFreeNotifies);
  for (TComponent* c : notifies) {
    c->Notification(this, TOperation::opRemove);
    auto& back = c->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* child = FComponents.back();
    FComponents.pop_back();
    // The owner stays set while the child goes, so its destructor can still
    // reach the owner; the child unlinks itself at the end.
    delete child;
  }
}

void TComponent::Destroying_() {
  if (FComponentState & csDestroying) return;
  FComponentState |= csDestroying;
  for (TComponent* c : FComponents) c->Destroying_();
}

TComponent* TComponent::FindComponent(const String& name) const {
  for (TComponent* c : FComponents)
    if (SameText(c->Name(), name)) return c;
  return nullptr;
}

void TComponent::SetState(TComponentStateBit bit, bool on) {
  if (on)
    FComponentState |= bit;
  else
    FComponentState &= ~static_cast<unsigned>(bit);
}

void TComponent::BeginLoading() {
  FComponentState |= csLoading | csReading;
  for (TComponent* c : FComponents) c->BeginLoading();
}

void TComponent::EndLoading() {
  FComponentState &= ~static_cast<unsigned>(csLoading | csReading);
  Loaded();
  // Loaded may create components; walk a copy.
  auto children = FComponents;
  for (TComponent* c : children)
    if (c->FComponentState & csLoading) c->EndLoading();
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end())
    FFreeNotifies.push_back(other);
  if (std::find(other->FFreeNotifies.begin(), other->FFreeNotifies.end(), this) == other->FFreeNotifies.end())
    other->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), other), FFreeNotifies.end());
  other->FFreeNotifies.erase(std::remove(other->FFreeNotifies.begin(), other->FFreeNotifies.end(), this),
                             other->FFreeNotifies.end());
}

void TComponent::InsertComponent(TComponent* child) {
  if (child->FOwner) child->FOwner->RemoveComponent(child);
  child->FOwner = this;
  FComponents.push_back(child);
  if (FComponentState & csLoading) child->BeginLoading();
  Notification(child, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* child) {
  Notification(child, TOperation::opRemove);
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), child), FComponents.end());
  child->FOwner = nullptr;
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation != TOperation::opRemove) return;
  for (TComponent* c : FComponents) c->Notification(component, operation);
}
