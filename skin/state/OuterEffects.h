#pragma once
// When a control's outer shadow is shown.
#include "framework/Component.h"

class TsCommonData;

enum class TacOuterVisibility { ovNone, ovAlways, ovFocused, ovMouseHovered };

class TacOuterEffects : public TPersistent {
 public:
  explicit TacOuterEffects(TsCommonData* Owner) : FOwner(Owner) {}
  TsCommonData* Owner() const { return FOwner; }
  TacOuterVisibility Visibility() const { return FVisibility; }
  void SetVisibility(TacOuterVisibility Value);
  // Asks the parent to repaint the shadow and the owner to repaint itself.
  void Refresh();
  // The hovered case is drawn by the glow window, not by this shadow.
  bool IsShown() const;

 private:
  TsCommonData* FOwner;
  TacOuterVisibility FVisibility = TacOuterVisibility::ovNone;
};
