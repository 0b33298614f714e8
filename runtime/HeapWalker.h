#pragma once
// Walks every pool, bin and block of an allocator at rest and checks what must hold between
// them. It allocates nothing, so it can walk the heap it runs on.
#include <cstddef>

namespace mm {

class BlockAllocator;
struct SmallPool;
struct MediumPool;

struct HeapCheck {
  bool Ok = true;
  char Problem[192] = {};  // the first fault found
  size_t MediumPools = 0;
  size_t SmallPools = 0;
  size_t SmallBlocksInUse = 0;
  size_t MediumBlocksInUse = 0;
  size_t FreeMediumBlocks = 0;
  size_t LargeBlocks = 0;
};

class HeapWalker {
 public:
  explicit HeapWalker(const BlockAllocator& allocator) : FAllocator(allocator) {}

  HeapCheck Check() const;
  // P is a block that this allocator handed out and that has not been released.
  bool IsBlockInUse(const void* p) const;

 private:
  void CheckMediumPool(const MediumPool* pool, HeapCheck& check) const;
  void CheckSmallPool(const SmallPool* pool, size_t poolSize, HeapCheck& check) const;
  void CheckBins(HeapCheck& check) const;
  void CheckPartialLists(HeapCheck& check) const;
  void CheckLargeBlocks(HeapCheck& check) const;
  bool IsSmallBlockInUse(const SmallPool* pool, size_t poolSize, const void* p) const;

  const BlockAllocator& FAllocator;
};

}  // namespace mm
