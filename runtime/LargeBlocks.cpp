#include "runtime/LargeBlocks.h"

#include <algorithm>

#include "runtime/PageProvider.h"

namespace mm {

LargeBlocks::LargeBlocks(PageProvider& pages) : FPages(pages) {
  FRing.Previous = FRing.Next = &FRing;
  FRing.UserSize = 0;
  FRing.RegionSizeAndFlags = 0;
}

void* LargeBlocks::AllocBlock(size_t request, size_t userSize) {
  const size_t regionSize = RoundUp(request + kLargeOverheadBytes, kRegionGranularity);
  auto* header = static_cast<LargeBlockHeader*>(FPages.Allocate(regionSize, true));
  if (!header) return nullptr;
  header->UserSize = userSize;
  header->RegionSizeAndFlags = regionSize | kLargeFlag;
  {
    ByteLockGuard lock(FLargeLock);
    header->Previous = &FRing;
    header->Next = FRing.Next;
    FRing.Next->Previous = header;
    FRing.Next = header;
  }
  return header + 1;
}

bool LargeBlocks::ReleaseRegions(LargeBlockHeader* header, bool& headerKept) {
  headerKept = true;
  if (!(header->RegionSizeAndFlags & kSpansRegionsFlag)) return FPages.Release(header);
  // Grown in place: one region per extension, released one by one.
  char* at = reinterpret_cast<char*>(header);
  size_t left = header->RegionSizeAndFlags & ~kFlagMask;
  while (left > 0) {
    size_t bytes = FPages.Query(at).Bytes;
    if (bytes == 0 || !FPages.Release(at)) return false;
    headerKept = false;
    at += bytes;
    left -= std::min(bytes, left);
  }
  return true;
}

int LargeBlocks::ReleaseBlock(void* block) {
  LargeBlockHeader* header = HeaderOfBlock(block);
  ByteLockGuard lock(FLargeLock);
  // Out of the ring first: once its first region is gone the header cannot be read.
  LargeBlockHeader* previous = header->Previous;
  LargeBlockHeader* next = header->Next;
  previous->Next = next;
  next->Previous = previous;
  bool headerKept = true;
  if (ReleaseRegions(header, headerKept)) return 0;
  if (headerKept) {  // nothing was released: the block stays as it was
    previous->Next = header;
    next->Previous = header;
  }
  return -1;
}

bool LargeBlocks::GrowInPlace(void* block, size_t newSize) {
  LargeBlockHeader* header = HeaderOfBlock(block);
  const size_t regionSize = header->RegionSizeAndFlags & ~kFlagMask;
  const size_t available = regionSize - kLargeOverheadBytes;
  const size_t target = std::max(newSize, available + available / 4);
  char* end = reinterpret_cast<char*>(header) + regionSize;

  PageRegion after = FPages.Query(end);
  size_t freeBytes = after.Bytes / kRegionGranularity * kRegionGranularity;
  if (!after.Free || after.Base != end || freeBytes <= newSize - available) return false;
  size_t growth = std::min(RoundUp(target - available, kRegionGranularity), freeBytes);
  void* extension = FPages.Reserve(end, growth, false);
  if (extension != end) {
    if (extension) FPages.Release(extension);
    return false;
  }
  if (!FPages.Commit(end, growth)) {
    FPages.Release(end);
    return false;
  }
  header->UserSize = newSize;
  header->RegionSizeAndFlags = (regionSize + growth) | kLargeFlag | kSpansRegionsFlag;
  return true;
}

void LargeBlocks::ReleaseAll() {
  ByteLockGuard lock(FLargeLock);
  for (LargeBlockHeader* header = FRing.Next; header != &FRing;) {
    LargeBlockHeader* next = header->Next;
    bool headerKept = true;
    ReleaseRegions(header, headerKept);
    header = next;
  }
  FRing.Previous = FRing.Next = &FRing;
}

}  // namespace mm
