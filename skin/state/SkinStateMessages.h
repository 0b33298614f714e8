#pragma once
// How a control's skin state reacts to the outside: the skin commands it
// answers for every kind of owner, and the first stage of a skinned
// control's window procedure.
#include "framework/Messages.h"

class TControl;
class TsCommonData;
class TsCtrlSkinData;

// Answers a WM_SKINCOMMAND for Data. True: handled, the caller stops; False:
// the caller goes on with its own handling (also for codes this does not
// know). Nil data or another message: True, nothing done. Section names
// (AC_REPAINTIFSECTION, AC_SETSECTION) come as pointers to zero-ended text.
bool HandleSkinCommand(TMessage& Message, TsCommonData* Data);
// The first stage of a skinned control's window procedure; True ends the
// message there. Nil data: False.
bool HandleCtrlSkinMessage(TMessage& Message, TsCtrlSkinData* Data);
// Whether an AC_SKINREFRESH concerns Data: sent by its manager for every
// section, for its own section, or for a section its kind paints parts with.
bool IsRefreshForMe(TsCommonData* Data, const TMessage& Message);
// The answer to AC_ISSKINAWARE.
bool AlwaysTrue();
// The redraw test AC_SETOPAQUE's walk and AC_CODE44 consult: never.
bool AlwaysFalse();
// AC_SETOPAQUE with Value to one child control; Value becomes the child's
// answer when it gives one (0 is no answer and keeps Value).
void SendOpaqueToChild(TControl* Control, LPARAM& Value);
