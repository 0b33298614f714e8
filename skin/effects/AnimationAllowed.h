#pragma once
// Which state changes of a control may fade: the control's own event set,
// or, when it defers to the skin manager, the manager's button events.
#include <cstdint>

class TsSkinManager;

enum TacAnimatEvent : uint8_t { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeClick, aeLighting, aeGlobalDef };
// A set of TacAnimatEvent, one bit per event.
using TacAnimatEvents = uint8_t;
constexpr TacAnimatEvents AnimatEvent(TacAnimatEvent Event) { return TacAnimatEvents(1u << Event); }
// What the controls start with: ask the manager.
constexpr TacAnimatEvents kDefaultAnimatEvents = AnimatEvent(aeGlobalDef);

// Manager nil means the default manager.
bool AnimationAllowed(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* Manager);
