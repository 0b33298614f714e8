#pragma once
// Components: an owner frees what it owns; loading states tell setters whether
// the form is still being built.
#include "framework/System.h"

#include <vector>

enum TComponentStateBit : unsigned {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,  // there is no designer: never set
};
using TComponentState = unsigned;

enum class TOperation { opInsert, opRemove };

class TPersistent : public TObject {
 public:
  virtual void Assign(const TPersistent& source);
};

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::vector<TComponent*>& Components() const { return FComponents; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* FindComponent(const String& name) const;

  const String& Name() const { return FName; }
  virtual void SetName(const String& name) { FName = name; }
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t tag) { FTag = tag; }

  TComponentState ComponentState() const { return FComponentState; }
  bool Loading() const { return (FComponentState & csLoading) != 0; }
  bool Destroying() const { return (FComponentState & csDestroying) != 0; }

  // Marks this component and everything it owns as being built; EndLoading
  // clears the marks and calls Loaded on each, owner first.
  void BeginLoading();
  void EndLoading();

  // Asks this component to be told (Notification opRemove) when other is freed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  void InsertComponent(TComponent* child);
  void RemoveComponent(TComponent* child);

 protected:
  virtual void Loaded() {}
  virtual void Notification(TComponent* component, TOperation operation);
  void SetState(TComponentStateBit bit, bool on);
  // Runs at the start of the destructor chain, while the object is whole.
  void Destroying_();
  // Frees what this component owns, last created first. The base destructor
  // does it too; owners whose parts need them whole call it earlier.
  void DestroyComponents();

 private:
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState = 0;
};
