#include "skin/manager/FormFreezing.h"

void FreezeSkinnedForm(TForm*) {}

void UnfreezeSkinnedForm(TForm*) {}
