#include "skin/state/OuterEffects.h"

#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/state/CommonData.h"

void TacOuterEffects::SetVisibility(TacOuterVisibility Value) {
  if (Value == FVisibility) return;
  FVisibility = Value;
  TControl* Control = FOwner ? FOwner->OwnerControl : nullptr;
  if (!Control || !Control->Loading()) Refresh();
}

void TacOuterEffects::Refresh() {
  TControl* Control = FOwner ? FOwner->OwnerControl : nullptr;
  TWinControl* Parent = Control ? Control->Parent() : nullptr;
  if (!Parent || !Parent->HandleAllocated() || (Parent->ComponentState() & (csLoading | csReading | csDestroying)))
    return;
  SendWndCommand(Parent->HandleIfAllocated(), AC_REDRAW, 0);
  FOwner->Invalidate(false);
}

bool TacOuterEffects::IsShown() const {
  switch (FVisibility) {
    case TacOuterVisibility::ovAlways:
      return true;
    case TacOuterVisibility::ovFocused: {
      if (FOwner && FOwner->Focused) return true;
      auto* Windowed = FOwner ? dynamic_cast<TWinControl*>(FOwner->OwnerControl) : nullptr;
      return Windowed && Windowed->Focused();
    }
    default:
      return false;
  }
}
