#pragma once
// Tells a skin state when a manager it refers to is freed, so it never
// keeps the address of a manager that is gone.
#include "framework/Component.h"

class TsCommonData;
class TsSkinManager;

class TacManagerLink : public TComponent {
 public:
  explicit TacManagerLink(TsCommonData& Data) : TComponent(nullptr), FData(Data) {}
  void Watch(TsSkinManager* Manager);
  void Forget(TsSkinManager* Manager);

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  TsCommonData& FData;
};
