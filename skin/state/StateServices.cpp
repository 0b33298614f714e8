#include "skin/state/StateServices.h"

TacStateServices StateServices;
