#include "runtime/HeapWalker.h"

#include <cstdio>

#include "runtime/BlockAllocator.h"

namespace mm {

namespace {

const char* At(const void* p) { return static_cast<const char*>(p); }
size_t Header(const void* p) { return HeaderOf(p); }
size_t SizeOf(const void* p) { return HeaderOf(p) & ~kFlagMask; }
size_t Trailer(const void* p, size_t size) { return *reinterpret_cast<const size_t*>(At(p) + size - 2 * kHeaderBytes); }

bool Fail(HeapCheck& check, const char* what, const void* where) {
  if (check.Ok) {
    check.Ok = false;
    std::snprintf(check.Problem, sizeof check.Problem, "%s at %p", what, where);
  }
  return false;
}

}  // namespace

HeapCheck HeapWalker::Check() const {
  HeapCheck check;
  const MediumBlocks& medium = FAllocator.FMedium;
  for (const MediumPool* pool = medium.FPoolRing.Next; check.Ok && pool != &medium.FPoolRing; pool = pool->Next) {
    if (pool->Next->Previous != pool) Fail(check, "medium pool ring broken", pool);
    ++check.MediumPools;
    CheckMediumPool(pool, check);
  }
  if (check.Ok) CheckBins(check);
  if (check.Ok) CheckPartialLists(check);
  if (check.Ok) CheckLargeBlocks(check);
  return check;
}

void HeapWalker::CheckMediumPool(const MediumPool* pool, HeapCheck& check) const {
  const MediumBlocks& medium = FAllocator.FMedium;
  const char* first = At(pool) + kMediumPoolHeaderBytes;
  const char* end = At(pool) + kMediumPoolBytes;
  const char* block = first;
  if (medium.FFeedBytesLeft > 0 && medium.FFeedTop > first && medium.FFeedTop <= end) {
    if (medium.FFeedTop - medium.FFeedBytesLeft != first) {
      Fail(check, "feed does not start at the pool's first block", pool);
      return;
    }
    block = medium.FFeedTop;
  }
  bool previousFree = false;
  for (; block < end;) {
    size_t header = Header(block);
    size_t size = header & ~kFlagMask;
    if (!(header & kMediumFlag) || size == 0 || size % kAlignment != 0 || block + size > end) {
      Fail(check, "bad medium header", block);
      return;
    }
    if (bool(header & kPreviousFreeFlag) != previousFree) {
      Fail(check, "previous-free flag does not match", block);
      return;
    }
    bool free = header & kFreeFlag;
    if (free) {
      if (previousFree || (header & kLargeFlag)) {
        Fail(check, "free medium block next to a free one", block);
        return;
      }
      if (Trailer(block, size) != size) {
        Fail(check, "free medium block trailer wrong", block);
        return;
      }
      ++check.FreeMediumBlocks;
    } else if (header & kLargeFlag) {
      CheckSmallPool(reinterpret_cast<const SmallPool*>(block), size, check);
      if (!check.Ok) return;
    } else {
      ++check.MediumBlocksInUse;
    }
    previousFree = free;
    block += size;
  }
  size_t sentinel = Header(end);
  if (block != end || (sentinel & ~kPreviousFreeFlag) != kMediumFlag ||
      bool(sentinel & kPreviousFreeFlag) != previousFree)
    Fail(check, "medium pool end sentinel wrong", end);
}

void HeapWalker::CheckSmallPool(const SmallPool* pool, size_t poolSize, HeapCheck& check) const {
  const SmallBlocks& small = FAllocator.FSmall;
  const SmallBlockType* type = pool->OwningType;
  if (!small.OwnsType(type)) {
    Fail(check, "small pool with no type", pool);
    return;
  }
  ++check.SmallPools;
  const size_t bytes = type->BlockBytes;
  const uintptr_t first = uintptr_t(pool) + kSmallPoolHeaderBytes;
  const uintptr_t last = uintptr_t(pool) + poolSize - bytes;
  uintptr_t fedEnd = last + 1;  // blocks were fed up to the last whole one
  if (type->FeedPool == pool && type->FeedNext <= type->FeedLimit) {
    if (type->FeedLimit != last) {
      Fail(check, "feed limit is not the pool's last block", pool);
      return;
    }
    fedEnd = type->FeedNext;
  }
  size_t inUse = 0, free = 0;
  for (uintptr_t block = first; block < fedEnd; block += bytes) {
    size_t header = Header(reinterpret_cast<void*>(block));
    if (header == uintptr_t(pool)) {
      ++inUse;
    } else if ((header & kFlagMask) == kFreeFlag) {
      ++free;
    } else {
      Fail(check, "small block header names another pool", reinterpret_cast<void*>(block));
      return;
    }
  }
  if (inUse != pool->UsedCount) {
    Fail(check, "small pool use count wrong", pool);
    return;
  }
  size_t chained = 0;
  for (const void* block = pool->FreeChain; block; ++chained) {
    uintptr_t at = uintptr_t(block);
    if (chained >= free || at < first || at >= fedEnd || (at - first) % bytes != 0 || !(Header(block) & kFreeFlag)) {
      Fail(check, "small pool free chain broken", block);
      return;
    }
    block = reinterpret_cast<const void*>(Header(block) & ~kFreeFlag);
  }
  if (chained != free) Fail(check, "free small blocks missing from the free chain", pool);
  check.SmallBlocksInUse += inUse;
}

void HeapWalker::CheckBins(HeapCheck& check) const {
  const MediumBlocks& medium = FAllocator.FMedium;
  size_t binned = 0;
  for (size_t bin = 0; bin < kMediumBinCount; ++bin) {
    const MediumFreeBlock* head = &medium.FBins[bin];
    bool maskBit = medium.FBinMasks[bin / kBinsPerGroup] & (1u << (bin % kBinsPerGroup));
    if ((head->NextFree != head) != maskBit) {
      Fail(check, "bin mask does not match the bin", head);
      return;
    }
    for (const MediumFreeBlock* block = head->NextFree; block != head; block = block->NextFree) {
      size_t header = Header(block);
      size_t size = header & ~kFlagMask;
      size_t low = kMinMediumBlockBytes + bin * kMediumGranularity;
      bool fits = size >= low && (bin == kMediumBinCount - 1 || size < low + kMediumGranularity);
      if ((header & (kFreeFlag | kMediumFlag | kLargeFlag)) != (kFreeFlag | kMediumFlag) || !fits ||
          block->NextFree->PreviousFree != block) {
        Fail(check, "bad block in bin", block);
        return;
      }
      ++binned;
    }
  }
  for (size_t group = 0; group < kMediumGroupCount; ++group) {
    if ((medium.FBinMasks[group] != 0) != bool(medium.FGroupMask & (1u << group))) {
      Fail(check, "group mask does not match the bin masks", &medium.FBinMasks[group]);
      return;
    }
  }
  // Every free block big enough for a bin is in one, and nothing else is.
  size_t bigFree = 0;
  for (const MediumPool* pool = medium.FPoolRing.Next; pool != &medium.FPoolRing; pool = pool->Next) {
    const char* block = At(pool) + kMediumPoolHeaderBytes;
    const char* end = At(pool) + kMediumPoolBytes;
    if (medium.FFeedBytesLeft > 0 && medium.FFeedTop > block && medium.FFeedTop <= end) block = medium.FFeedTop;
    for (; block < end; block += SizeOf(block))
      if ((Header(block) & kFreeFlag) && SizeOf(block) >= kMinMediumBlockBytes) ++bigFree;
  }
  if (bigFree != binned) Fail(check, "free medium blocks and binned blocks differ", &medium.FBins[0]);
}

void HeapWalker::CheckPartialLists(HeapCheck& check) const {
  const SmallBlocks& small = FAllocator.FSmall;
  for (const SmallBlockType& type : small.FTypes) {
    for (const PoolLinks* link = type.PartialPools.NextPartial; link != &type.PartialPools; link = link->NextPartial) {
      auto* pool = static_cast<const SmallPool*>(link);
      if (pool->OwningType != &type || !pool->FreeChain || link->NextPartial->PrevPartial != link) {
        Fail(check, "bad pool in a partially-free list", pool);
        return;
      }
    }
  }
  // Each pool with a free block must be listed: count them both ways.
  size_t listed = 0, withFree = 0;
  for (const SmallBlockType& type : small.FTypes)
    for (const PoolLinks* link = type.PartialPools.NextPartial; link != &type.PartialPools; link = link->NextPartial)
      ++listed;
  const MediumBlocks& medium = FAllocator.FMedium;
  for (const MediumPool* pool = medium.FPoolRing.Next; pool != &medium.FPoolRing; pool = pool->Next) {
    const char* block = At(pool) + kMediumPoolHeaderBytes;
    const char* end = At(pool) + kMediumPoolBytes;
    if (medium.FFeedBytesLeft > 0 && medium.FFeedTop > block && medium.FFeedTop <= end) block = medium.FFeedTop;
    for (; block < end; block += SizeOf(block))
      if ((Header(block) & (kPoolFlag | kFreeFlag)) == kPoolFlag &&
          reinterpret_cast<const SmallPool*>(block)->FreeChain)
        ++withFree;
  }
  if (listed != withFree) Fail(check, "pools with free blocks missing from their type's list", &small.FTypes[0]);
}

void HeapWalker::CheckLargeBlocks(HeapCheck& check) const {
  const LargeBlocks& large = FAllocator.FLarge;
  for (const LargeBlockHeader* header = large.FRing.Next; header != &large.FRing; header = header->Next) {
    size_t region = header->RegionSizeAndFlags & ~kFlagMask;
    size_t flags = header->RegionSizeAndFlags & (kFreeFlag | kMediumFlag | kLargeFlag);
    if (header->Next->Previous != header || flags != kLargeFlag || region % kRegionGranularity != 0 ||
        header->UserSize > region - kLargeOverheadBytes) {
      Fail(check, "bad large block", header);
      return;
    }
    ++check.LargeBlocks;
  }
}

bool HeapWalker::IsSmallBlockInUse(const SmallPool* pool, size_t poolSize, const void* p) const {
  const SmallBlockType* type = pool->OwningType;
  if (!FAllocator.FSmall.OwnsType(type)) return false;
  uintptr_t first = uintptr_t(pool) + kSmallPoolHeaderBytes;
  uintptr_t at = uintptr_t(p);
  uintptr_t fedEnd = uintptr_t(pool) + poolSize - type->BlockBytes + 1;
  if (type->FeedPool == pool && type->FeedNext <= type->FeedLimit) fedEnd = type->FeedNext;
  return at >= first && at < fedEnd && (at - first) % type->BlockBytes == 0 && Header(p) == uintptr_t(pool);
}

bool HeapWalker::IsBlockInUse(const void* p) const {
  const LargeBlocks& large = FAllocator.FLarge;
  for (const LargeBlockHeader* header = large.FRing.Next; header != &large.FRing; header = header->Next)
    if (header + 1 == p) return true;

  const MediumBlocks& medium = FAllocator.FMedium;
  for (const MediumPool* pool = medium.FPoolRing.Next; pool != &medium.FPoolRing; pool = pool->Next) {
    const char* block = At(pool) + kMediumPoolHeaderBytes;
    const char* end = At(pool) + kMediumPoolBytes;
    if (p < block || p >= end) continue;
    if (medium.FFeedBytesLeft > 0 && medium.FFeedTop > block && medium.FFeedTop <= end) block = medium.FFeedTop;
    for (; block < end; block += SizeOf(block)) {
      size_t header = Header(block);
      size_t size = header & ~kFlagMask;
      if (p < block || p >= block + size) continue;
      if (header & kFreeFlag) return false;
      if (header & kLargeFlag) return IsSmallBlockInUse(reinterpret_cast<const SmallPool*>(block), size, p);
      return p == block;
    }
  }
  return false;
}

}  // namespace mm
