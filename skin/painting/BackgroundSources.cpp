#include "skin/painting/BackgroundSources.h"

const TacBackgroundSource EmptyBackgroundSource = {nullptr, -99, -99, 0xFF00FF, RECT{}, false};
