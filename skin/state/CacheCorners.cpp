// Placeholder body, replaced by the corner repair.
#include "skin/state/CacheCorners.h"

void FillCacheCorners(TsCommonData*, int, int) {}
