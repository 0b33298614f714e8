#pragma once
// Small blocks: 56 types of equal-sized blocks, each carved from pools (medium blocks) and guarded
// by its own byte lock. A busy type is sidestepped by serving from one of the next two larger ones.
#include <cstddef>
#include <cstdint>

#include "runtime/BlockLayout.h"
#include "runtime/ByteLock.h"
#include "runtime/SmallBlockTypes.h"

namespace mm {

class MediumBlocks;
struct SmallBlockType;

// The links of a type's list of pools that have a free block; the type record holds the head.
struct PoolLinks {
  PoolLinks* NextPartial;
  PoolLinks* PrevPartial;
};

// The header at the start of a small-block pool; the first block follows it.
struct SmallPool : PoolLinks {
  SmallBlockType* OwningType;
  void* FreeChain;
  uint32_t UsedCount;
  uint32_t Reserved;
  size_t FirstBlockHeader;
};
static_assert(sizeof(SmallPool) == kSmallPoolHeaderBytes);

using CopyRoutine = void (*)(void* target, const void* source, size_t bytes);

struct alignas(64) SmallBlockType {
  ByteLock Locked;
  uint32_t PoolGroupMask = 0;
  uint32_t BlockBytes = 0;
  uint32_t MinPoolBytes = 0;
  uint32_t PoolBytes = 0;
  PoolLinks PartialPools;  // NextPartial is the first partial pool, PrevPartial the last
  uintptr_t FeedNext = 1;  // the feed is empty while FeedNext > FeedLimit
  uintptr_t FeedLimit = 0;
  SmallPool* FeedPool = nullptr;
  CopyRoutine GrowCopy = nullptr;  // copies a block's usable bytes when it outgrows its type
};

class SmallBlocks {
 public:
  explicit SmallBlocks(MediumBlocks& medium);
  SmallBlocks(const SmallBlocks&) = delete;
  SmallBlocks& operator=(const SmallBlocks&) = delete;

  void* AllocBlock(size_t request);
  // -1 when the block's header does not lead to one of our pools, or its pool cannot be freed.
  int ReleaseBlock(void* block);
  // Forgets every pool (their memory is given back with the medium pools).
  void Reset();

  static SmallPool* PoolOf(const void* block) { return reinterpret_cast<SmallPool*>(HeaderOf(block)); }
  static size_t Available(const void* block) { return PoolOf(block)->OwningType->BlockBytes - kHeaderBytes; }
  const SmallBlockType& Type(size_t index) const { return FTypes[index]; }
  bool OwnsType(const SmallBlockType* type) const { return type >= FTypes && type < FTypes + kSmallTypeCount; }

 private:
  friend class HeapWalker;

  SmallBlockType* LockTypeOrNeighbour(SmallBlockType* type);
  void* AllocFromNewPool(SmallBlockType* type);
  void ResetType(SmallBlockType& type);

  MediumBlocks& FMedium;
  SmallBlockType FTypes[kSmallTypeCount];
};

}  // namespace mm
