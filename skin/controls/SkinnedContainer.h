#pragma once
// What the skinned containers (TsPanel, TsScrollBox) do alike: their face is
// their section over the parent's background, and a skin's arrival, removal
// or refresh goes on to their children, whose managers may be other ones.
#include "framework/Control.h"
#include "framework/WinControl.h"
#include "skin/state/CommonData.h"

#include <functional>

// The cache at the container's size with its section over the parent's
// background; false, with Updating set so that AC_UPDATEDONE makes the paint
// up, while the parent's background is not ready.
bool PaintContainerFace(TWinControl& Container, TsCommonData& Data);

// AC_SKINLOADED and AC_SKINREMOVED taken by Data when its own manager sends
// them, AC_SKINREFRESH when it concerns Data; each then passed to every
// child. Removed runs after every removal, Refreshed after a refresh that
// concerned Data, before the children hear of it. False: another command.
bool PassSkinChangeOn(TWinControl& Container, TsCommonData& Data, TMessage& Message,
                      const std::function<void()>& Removed, const std::function<void()>& Refreshed);

// CM_MOUSEENTER and CM_MOUSELEAVE about the container itself (not one of its
// graphic children) fire its events.
void FireOwnMouseEvents(TControl& Container, const TMessage& Message, const TNotifyEvent& OnMouseEnter,
                        const TNotifyEvent& OnMouseLeave);
