#include "runtime/BlockAllocator.h"

#include <algorithm>
#include <cstring>

namespace mm {

namespace {

// Which class a header word belongs to; anything else (free blocks, pools) is no valid argument.
bool IsSmallInUse(size_t header) { return (header & (kFreeFlag | kMediumFlag | kLargeFlag)) == 0; }
bool IsMediumInUse(size_t header) { return (header & (kFreeFlag | kLargeFlag)) == 0; }
bool IsLarge(size_t header) { return (header & (kFreeFlag | kMediumFlag)) == 0; }

}  // namespace

BlockAllocator::BlockAllocator(PageProvider& pages) : FMedium(pages), FSmall(FMedium), FLarge(pages) {}

BlockAllocator::~BlockAllocator() { Finalize(); }

void* BlockAllocator::AllocBlock(size_t size) {
  if (FFinalized) return nullptr;
  if (size <= kMaxSmallRequest) return FSmall.AllocBlock(size);
  if (size <= kMaxMediumRequest) return FMedium.AllocBlock(size);
  if (size <= kMaxRequest) return FLarge.AllocBlock(size, size);
  return nullptr;
}

int BlockAllocator::ReleaseBlock(void* p) {
  if (FFinalized) return -1;
  size_t header = HeaderOf(p);
  if (IsSmallInUse(header)) return FSmall.ReleaseBlock(p);
  if (IsMediumInUse(header)) return FMedium.ReleaseBlock(p);
  if (IsLarge(header)) return FLarge.ReleaseBlock(p);
  return -1;
}

void* BlockAllocator::ResizeBlock(void* p, size_t newSize) {
  if (FFinalized || newSize > kMaxRequest) return nullptr;
  size_t header = HeaderOf(p);
  if (IsSmallInUse(header))
    return FSmall.OwnsType(SmallBlocks::PoolOf(p)->OwningType) ? ResizeSmall(p, newSize) : nullptr;
  if (IsMediumInUse(header)) return ResizeMedium(p, newSize);
  if (IsLarge(header)) return ResizeLarge(p, newSize);
  return nullptr;
}

size_t BlockAllocator::Available(const void* p) {
  size_t header = HeaderOf(p);
  if (IsSmallInUse(header)) return SmallBlocks::Available(p);
  if (IsMediumInUse(header)) return MediumBlocks::SizeOf(p) - kHeaderBytes;
  return LargeBlocks::Available(p);
}

// A block that a growing block moves to: a large one remembers the size really asked for.
void* BlockAllocator::AllocForResize(size_t size, size_t userSize) {
  return size > kMaxMediumRequest ? FLarge.AllocBlock(size, userSize) : AllocBlock(size);
}

void* BlockAllocator::MoveTo(void* p, size_t newSize, size_t copyBytes) {
  void* moved = AllocBlock(newSize);
  if (!moved) return nullptr;
  std::memcpy(moved, p, copyBytes);
  ReleaseBlock(p);
  return moved;
}

void* BlockAllocator::ResizeSmall(void* p, size_t newSize) {
  const SmallBlockType* type = SmallBlocks::PoolOf(p)->OwningType;
  const size_t available = type->BlockBytes - kHeaderBytes;
  if (newSize <= available) {
    if (4 * newSize + kSmallShrinkSlack >= available) return p;
    return MoveTo(p, newSize, newSize);
  }
  void* moved = AllocForResize(std::max(newSize, 2 * available + kSmallGrowSlack), newSize);
  if (!moved) return nullptr;
  type->GrowCopy(moved, p, available);
  FSmall.ReleaseBlock(p);
  return moved;
}

void* BlockAllocator::ResizeMedium(void* p, size_t newSize) {
  const size_t available = MediumBlocks::SizeOf(p) - kHeaderBytes;
  if (newSize > available) {
    if (FMedium.GrowInPlace(p, newSize)) return p;
    void* moved = AllocForResize(std::max(newSize, available + available / 4), newSize);
    if (!moved) return nullptr;
    std::memcpy(moved, p, available);
    FMedium.ReleaseBlock(p);
    return moved;
  }
  if (2 * newSize >= available) return p;
  if (newSize < kMediumToSmallShrink) return MoveTo(p, newSize, newSize);
  if (newSize < kMinMediumRequest) {
    newSize = kMinMediumRequest;
    if (available <= kMinMediumRequest) return p;
  }
  FMedium.ShrinkInPlace(p, newSize);
  return p;
}

void* BlockAllocator::ResizeLarge(void* p, size_t newSize) {
  LargeBlockHeader* header = LargeBlocks::HeaderOfBlock(p);
  const size_t available = LargeBlocks::Available(p);
  if (newSize > available) {
    if (FLarge.GrowInPlace(p, newSize)) return p;
    void* moved = AllocForResize(std::max(newSize, available + available / 4), newSize);
    if (!moved) return nullptr;
    std::memcpy(moved, p, header->UserSize);
    FLarge.ReleaseBlock(p);
    return moved;
  }
  if (newSize < available / 2) return MoveTo(p, newSize, newSize);
  header->UserSize = newSize;
  return p;
}

void BlockAllocator::Finalize() {
  if (FFinalized) return;
  FFinalized = true;
  FMedium.ReleaseAll();
  FSmall.Reset();
  FLarge.ReleaseAll();
}

}  // namespace mm
