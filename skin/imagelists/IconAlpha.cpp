#include "skin/imagelists/IconAlpha.h"

#include <windows.h>

#include "framework/GdiHandles.h"
#include "skin/manager/SkinManager.h"

int DisplayBitsPerPixel() {
  const TWindowDC Screen(nullptr);
  return GetDeviceCaps(Screen.get(), BITSPIXEL) * GetDeviceCaps(Screen.get(), PLANES);
}

bool PrepareIconAlpha(int DisplayBits, const TsSkinManager* Manager) {
  return DisplayBits < 32 || !Manager || Manager->Options().CheckEmptyAlpha();
}

bool PrepareIconAlpha() { return PrepareIconAlpha(DisplayBitsPerPixel(), TsSkinManager::DefaultManager()); }
