#include "framework/UnitTable.h"

void TUnitTable::Initialize() {
  for (; FDone < FCount; ++FDone) {
    TUnitEntry& e = FEntries[FDone];
    if (e.Count == 0 && e.Init) e.Init();
    ++e.Count;
  }
}

void TUnitTable::Finalize() {
  while (FDone > 0) {
    TUnitEntry& e = FEntries[--FDone];
    if (--e.Count == 0 && e.Fini) e.Fini();
  }
}
