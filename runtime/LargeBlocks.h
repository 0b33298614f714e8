#pragma once
// Large blocks: each in a region of its own from the page provider, listed in one ring so that
// they can all be given back, and grown in place by reserving the address space right after.
#include <cstddef>

#include "runtime/BlockLayout.h"
#include "runtime/ByteLock.h"

namespace mm {

class PageProvider;

struct LargeBlockHeader {
  LargeBlockHeader* Previous;
  LargeBlockHeader* Next;
  size_t UserSize;            // the size last asked for: the bytes a move copies
  size_t RegionSizeAndFlags;  // the block's header word
};
static_assert(sizeof(LargeBlockHeader) == kLargeHeaderBytes);

class LargeBlocks {
 public:
  explicit LargeBlocks(PageProvider& pages);
  LargeBlocks(const LargeBlocks&) = delete;
  LargeBlocks& operator=(const LargeBlocks&) = delete;

  // A block with room for request bytes that records userSize; null when the system refuses.
  void* AllocBlock(size_t request, size_t userSize);
  // Gives the block's regions back; -1 (the block kept) when one of them cannot be released.
  int ReleaseBlock(void* block);
  // Extends the block's regions into free address space right after them.
  bool GrowInPlace(void* block, size_t newSize);
  void ReleaseAll();

  static LargeBlockHeader* HeaderOfBlock(const void* block) {
    return reinterpret_cast<LargeBlockHeader*>(const_cast<char*>(static_cast<const char*>(block)) - kLargeHeaderBytes);
  }
  static size_t RegionSize(const void* block) { return HeaderOf(block) & ~kFlagMask; }
  static size_t Available(const void* block) { return RegionSize(block) - kLargeOverheadBytes; }

 private:
  friend class HeapWalker;

  // headerKept turns false once the region holding the header is gone.
  bool ReleaseRegions(LargeBlockHeader* header, bool& headerKept);

  PageProvider& FPages;
  ByteLock FLargeLock;
  LargeBlockHeader FRing;
};

}  // namespace mm
