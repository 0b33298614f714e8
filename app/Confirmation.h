#pragma once
// A question with OK and Cancel that only a press of OK answers with yes.
#include "framework/System.h"

// The framework's standard confirmation box. True only when its OK button
// was pressed (by the mouse, the keyboard or a program's click on it): a box
// that ends any other way, because the program closes or quits under it, is
// a Cancel, whatever the box itself returns.
bool ConfirmedByOk(const String& question);
