#pragma once
// Whether a control may show the click light (the circle of check boxes)
// now: an enabled control whose click may animate, under a skin manager
// whose click effect is not the wave alone.
#include "skin/effects/AnimationAllowed.h"

class TControl;
class TsCommonData;

// The manager is the skin state's own, else the default one; a nil skin
// state asks the default manager.
bool CanShowClickEffect(TControl* Control, TsCommonData* SkinData, TacAnimatEvents Events);
