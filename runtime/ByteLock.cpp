#include "runtime/ByteLock.h"

#include <windows.h>

namespace mm {

bool ByteLock::Wait()
{
  Sleep(0);
  if (TryLock())
    return true;
  Sleep(1);
  return false;
}

}  // namespace mm
