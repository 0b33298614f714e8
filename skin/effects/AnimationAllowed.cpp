#include "skin/effects/AnimationAllowed.h"

#include "skin/manager/SkinManager.h"

namespace {

// The manager's event for each control event; deferring to the manager
// itself counts as the release.
constexpr TacBtnEvent kManagerEvent[] = {beMouseEnter, beMouseLeave, beMouseDown, beMouseUp,
                                         beClick,      beLighting,   beMouseUp};

}  // namespace

bool AnimationAllowed(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* Manager) {
  if (!Manager) Manager = TsSkinManager::DefaultManager();
  if (!Manager) return Event != aeClick;
  if (!Manager->Effects().AllowAnimation()) return false;
  const bool Deferred = (Events & AnimatEvent(aeGlobalDef)) != 0;
  if (!Deferred) return (Events & AnimatEvent(Event)) != 0;
  if (Event > aeGlobalDef) return false;
  return (Manager->AnimEffects().Buttons.Events() & kManagerEvent[Event]) != 0;
}
