#pragma once
// Pop-up forms of other vendors' controls paint themselves: form skinning
// leaves windows of these classes alone.
#include <vector>

#include "framework/System.h"

// The class names, sorted, each once.
const std::vector<String>& ForeignPopupClasses();
// Exact, case-sensitive comparison with the list.
bool IsForeignPopupClass(const String& ClassName);
