#pragma once
// The program's memory manager: three entry points over small, medium and large blocks. The
// class of a block is read from the header word in front of it.
#include <cstddef>

#include "runtime/LargeBlocks.h"
#include "runtime/MediumBlocks.h"
#include "runtime/SmallBlocks.h"

namespace mm {

class PageProvider;

class BlockAllocator {
 public:
  explicit BlockAllocator(PageProvider& pages);
  // Gives all memory back, as Finalize does.
  ~BlockAllocator();
  BlockAllocator(const BlockAllocator&) = delete;
  BlockAllocator& operator=(const BlockAllocator&) = delete;

  // A 16-byte aligned block of at least Size bytes, or null.
  void* AllocBlock(size_t size);
  // 0, or -1 when P is not a block in use or its memory cannot be given back.
  int ReleaseBlock(void* p);
  // P resized (perhaps moved), or null with P untouched.
  void* ResizeBlock(void* p, size_t newSize);

  // Gives every pool and large block back to the system. From then on allocation and
  // reallocation answer null and release -1, without touching the released memory.
  void Finalize();
  bool Finalized() const { return FFinalized; }

  // The bytes a block in use can hold without moving.
  static size_t Available(const void* p);

 private:
  friend class HeapWalker;

  void* AllocForResize(size_t size, size_t userSize);
  void* MoveTo(void* p, size_t newSize, size_t copyBytes);
  void* ResizeSmall(void* p, size_t newSize);
  void* ResizeMedium(void* p, size_t newSize);
  void* ResizeLarge(void* p, size_t newSize);

  MediumBlocks FMedium;
  SmallBlocks FSmall;
  LargeBlocks FLarge;
  bool FFinalized = false;
};

}  // namespace mm
