#pragma once
// Tells a control's form that the control is ready for skinning.
class TControl;

// AC_CONTROLLOADED with the control to its parent form; nothing while the
// control loads or has no form.
void NotifyFormOfChild(TControl* Control);
