#pragma once
// The system's pages, with a count of what is held and a switch to refuse each kind of call.
#include <cstddef>

#include "runtime/PageProvider.h"

class TestPageProvider : public mm::PageProvider {
 public:
  void* Reserve(void* address, size_t bytes, bool topDown) override;
  bool Commit(void* address, size_t bytes) override;
  bool Release(void* base) override;
  mm::PageRegion Query(const void* address) override;

  int ReservesLeft = -1;  // reserves that still succeed; -1 for all
  bool FailCommits = false;
  bool FailReleases = false;
  // New regions get this much free address space after them, so that large blocks can grow in place.
  size_t RoomAfter = 0;

  size_t Regions = 0;  // reserved and not yet released
  size_t Releases = 0;

 private:
  mm::Win32PageProvider FSystem;
};
