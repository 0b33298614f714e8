#include "TestPageProvider.h"

void* TestPageProvider::Reserve(void* address, size_t bytes, bool topDown) {
  if (ReservesLeft == 0) return nullptr;
  if (ReservesLeft > 0) --ReservesLeft;
  if (!address && RoomAfter) {
    // Find a hole big enough for the region and the room, then take only the region.
    void* hole = FSystem.Reserve(nullptr, bytes + RoomAfter, false);
    if (!hole) return nullptr;
    FSystem.Release(hole);
    address = hole;
  }
  void* base = FSystem.Reserve(address, bytes, topDown);
  if (base) ++Regions;
  return base;
}

bool TestPageProvider::Commit(void* address, size_t bytes) { return !FailCommits && FSystem.Commit(address, bytes); }

bool TestPageProvider::Release(void* base) {
  if (FailReleases || !FSystem.Release(base)) return false;
  --Regions;
  ++Releases;
  return true;
}

mm::PageRegion TestPageProvider::Query(const void* address) { return FSystem.Query(address); }
