#pragma once
// Medium blocks: carved from big pools, merged with free neighbours at once, kept in 1024 size bins
// found through a two-level bitmap. Small-block pools are medium blocks too.
#include <cstddef>
#include <cstdint>

#include "runtime/BlockLayout.h"
#include "runtime/ByteLock.h"

namespace mm {

class PageProvider;

// The first two words of a free medium block.
struct MediumFreeBlock {
  MediumFreeBlock* PreviousFree;
  MediumFreeBlock* NextFree;
};

// The start of a medium pool.
struct MediumPool {
  MediumPool* Previous;
  MediumPool* Next;
};

class MediumBlocks {
 public:
  explicit MediumBlocks(PageProvider& pages);
  MediumBlocks(const MediumBlocks&) = delete;
  MediumBlocks& operator=(const MediumBlocks&) = delete;

  // A block for a request of kMinMediumRequest.. bytes; null when no memory can be had.
  void* AllocBlock(size_t request);
  // Frees a medium block in use (or a small-block pool); -1 when the pool cannot be given back.
  int ReleaseBlock(void* block);
  // Grows into a free neighbour when it is big enough; false leaves the block as it was.
  bool GrowInPlace(void* block, size_t newSize);
  // Shrinks to the medium size for newSize (at least kMinMediumRequest) and frees the rest.
  void ShrinkInPlace(void* block, size_t newSize);
  // A medium block for a small-block pool, from bin groups in groupMask or the feed. Its header
  // carries kPoolFlag; its size is answered in poolSize.
  void* AllocPool(uint32_t groupMask, size_t poolBytes, size_t minPoolBytes, size_t& poolSize);
  // Gives every pool back to the system and forgets them.
  void ReleaseAll();

  static size_t SizeOf(const void* block) { return HeaderOf(block) & ~kFlagMask; }

 private:
  friend class HeapWalker;

  void UnbinBlock(MediumFreeBlock* block);
  void BinBlock(void* block, size_t size);
  void MakeFreeBlock(void* block, size_t size);
  void BinFeedRemainder();
  void* NewMediumPool(size_t firstBlockSize);
  void* TakeFromBin(size_t bin);
  static size_t BinOf(size_t size);

  PageProvider& FPages;
  ByteLock FMediumLock;
  MediumPool FPoolRing;
  MediumFreeBlock FBins[kMediumBinCount];
  uint32_t FBinMasks[kMediumGroupCount] = {};
  uint32_t FGroupMask = 0;
  size_t FFeedBytesLeft = 0;
  char* FFeedTop = nullptr;
};

}  // namespace mm
