#include "runtime/MediumBlocks.h"

#include <algorithm>

#include "runtime/PageProvider.h"

namespace mm {

namespace {

void SetTrailer(void* block, size_t size) { *reinterpret_cast<size_t*>(Offset(block, size - 2 * kHeaderBytes)) = size; }

size_t PreviousSize(void* block) { return *reinterpret_cast<size_t*>(Offset(block, -2 * ptrdiff_t(kHeaderBytes))); }

// The neighbour's header may be changing under another thread's lock; this only peeks.
size_t PeekHeader(void* block) { return __atomic_load_n(&HeaderOf(block), __ATOMIC_RELAXED); }

}  // namespace

MediumBlocks::MediumBlocks(PageProvider& pages) : FPages(pages) {
  FPoolRing.Previous = FPoolRing.Next = &FPoolRing;
  for (auto& bin : FBins) bin.PreviousFree = bin.NextFree = &bin;
}

size_t MediumBlocks::BinOf(size_t size) {
  return std::min((size - kMinMediumBlockBytes) / kMediumGranularity, kMediumBinCount - 1);
}

void MediumBlocks::UnbinBlock(MediumFreeBlock* block) {
  MediumFreeBlock* previous = block->PreviousFree;
  MediumFreeBlock* next = block->NextFree;
  previous->NextFree = next;
  next->PreviousFree = previous;
  if (previous == next) {  // only the bin's head is left
    size_t bin = static_cast<size_t>(next - FBins);
    uint32_t& word = FBinMasks[bin / kBinsPerGroup];
    word &= ~(1u << (bin % kBinsPerGroup));
    if (word == 0) FGroupMask &= ~(1u << (bin / kBinsPerGroup));
  }
}

void MediumBlocks::BinBlock(void* block, size_t size) {
  size_t bin = BinOf(size);
  MediumFreeBlock* head = &FBins[bin];
  auto* free = static_cast<MediumFreeBlock*>(block);
  free->PreviousFree = head;
  free->NextFree = head->NextFree;
  head->NextFree->PreviousFree = free;
  head->NextFree = free;
  FBinMasks[bin / kBinsPerGroup] |= 1u << (bin % kBinsPerGroup);
  FGroupMask |= 1u << (bin / kBinsPerGroup);
}

void MediumBlocks::MakeFreeBlock(void* block, size_t size) {
  HeaderOf(block) = size | kMediumFlag | kFreeFlag;
  SetTrailer(block, size);
  if (size >= kMinMediumBlockBytes) BinBlock(block, size);
}

void MediumBlocks::BinFeedRemainder() {
  if (FFeedBytesLeft == 0) return;
  size_t size = FFeedBytesLeft;
  void* remainder = FFeedTop - size;
  if (HeaderOf(FFeedTop) & kFreeFlag) {
    size_t topSize = SizeOf(FFeedTop);
    if (topSize >= kMinMediumBlockBytes) UnbinBlock(reinterpret_cast<MediumFreeBlock*>(FFeedTop));
    size += topSize;
  } else {
    HeaderOf(FFeedTop) |= kPreviousFreeFlag;
  }
  MakeFreeBlock(remainder, size);
}

void* MediumBlocks::NewMediumPool(size_t firstBlockSize) {
  BinFeedRemainder();
  auto* pool = static_cast<MediumPool*>(FPages.Allocate(kMediumPoolBytes, false));
  if (!pool) {
    FFeedBytesLeft = 0;
    return nullptr;
  }
  pool->Previous = &FPoolRing;
  pool->Next = FPoolRing.Next;
  FPoolRing.Next->Previous = pool;
  FPoolRing.Next = pool;

  char* end = reinterpret_cast<char*>(pool) + kMediumPoolBytes;
  HeaderOf(end) = kMediumFlag;  // the end sentinel: a medium block of size 0 in use
  FFeedBytesLeft = kMediumBlockAreaBytes - firstBlockSize;
  FFeedTop = end - firstBlockSize;
  HeaderOf(FFeedTop) = firstBlockSize | kMediumFlag;
  return FFeedTop;
}

void* MediumBlocks::TakeFromBin(size_t bin) {
  MediumFreeBlock* block = FBins[bin].NextFree;
  UnbinBlock(block);
  return block;
}

void* MediumBlocks::AllocBlock(size_t request) {
  const size_t bytes = MediumBlockBytesFor(request);
  size_t bin = (bytes - kMinMediumBlockBytes) / kMediumGranularity;
  size_t group = bin / kBinsPerGroup;

  ByteLockGuard lock(FMediumLock);
  uint32_t bins = FBinMasks[group] & (~0u << (bin % kBinsPerGroup));
  if (bins) {
    bin = group * kBinsPerGroup + __builtin_ctz(bins);
  } else {
    uint32_t groups = FGroupMask & (~1u << group);
    if (groups) {
      group = __builtin_ctz(groups);
      bin = group * kBinsPerGroup + __builtin_ctz(FBinMasks[group]);
    } else if (FFeedBytesLeft < bytes) {
      return NewMediumPool(bytes);
    } else {
      FFeedTop -= bytes;
      FFeedBytesLeft -= bytes;
      HeaderOf(FFeedTop) = bytes | kMediumFlag;
      return FFeedTop;
    }
  }

  void* block = TakeFromBin(bin);
  size_t size = SizeOf(block);
  if (size == bytes)
    HeaderOf(Offset(block, size)) &= ~kPreviousFreeFlag;
  else
    MakeFreeBlock(Offset(block, bytes), size - bytes);
  HeaderOf(block) = bytes | kMediumFlag;
  return block;
}

void* MediumBlocks::AllocPool(uint32_t groupMask, size_t poolBytes, size_t minPoolBytes, size_t& poolSize) {
  ByteLockGuard lock(FMediumLock);
  void* block;
  size_t size;
  if (uint32_t groups = FGroupMask & groupMask) {
    size_t group = __builtin_ctz(groups);
    block = TakeFromBin(group * kBinsPerGroup + __builtin_ctz(FBinMasks[group]));
    size = SizeOf(block);
    if (size < kSplitForPoolBytes) {
      HeaderOf(Offset(block, size)) &= ~kPreviousFreeFlag;
    } else {
      MakeFreeBlock(Offset(block, poolBytes), size - poolBytes);
      size = poolBytes;
    }
  } else if (FFeedBytesLeft < minPoolBytes) {
    size = poolBytes;
    block = NewMediumPool(poolBytes);
    if (!block) return nullptr;
  } else {
    size = FFeedBytesLeft < poolBytes + kMinMediumBlockBytes ? FFeedBytesLeft : poolBytes;
    FFeedTop -= size;
    FFeedBytesLeft -= size;
    block = FFeedTop;
  }
  HeaderOf(block) = size | kPoolFlag;
  poolSize = size;
  return block;
}

int MediumBlocks::ReleaseBlock(void* block) {
  FMediumLock.Lock();
  size_t size = SizeOf(block);
  void* next = Offset(block, size);
  if (HeaderOf(next) & kFreeFlag) {
    size_t nextSize = SizeOf(next);
    if (nextSize >= kMinMediumBlockBytes) UnbinBlock(static_cast<MediumFreeBlock*>(next));
    size += nextSize;
  } else {
    HeaderOf(next) |= kPreviousFreeFlag;
  }
  if (HeaderOf(block) & kPreviousFreeFlag) {
    size_t previousSize = PreviousSize(block);
    block = Offset(block, -ptrdiff_t(previousSize));
    size += previousSize;
    if (previousSize >= kMinMediumBlockBytes) UnbinBlock(static_cast<MediumFreeBlock*>(block));
  }

  if (size == kMediumBlockAreaBytes) {
    auto* pool = reinterpret_cast<MediumPool*>(Offset(block, -ptrdiff_t(kMediumPoolHeaderBytes)));
    char* end = reinterpret_cast<char*>(pool) + kMediumPoolBytes;
    if (FFeedBytesLeft == kMediumBlockAreaBytes) {
      // The feeding pool is untouched too: one empty pool is enough.
      pool->Previous->Next = pool->Next;
      pool->Next->Previous = pool->Previous;
      FMediumLock.Unlock();
      return FPages.Release(pool) ? 0 : -1;
    }
    BinFeedRemainder();
    HeaderOf(end) = kMediumFlag;
    FFeedBytesLeft = kMediumBlockAreaBytes;
    FFeedTop = end;
  } else {
    MakeFreeBlock(block, size);
  }
  FMediumLock.Unlock();
  return 0;
}

bool MediumBlocks::GrowInPlace(void* block, size_t newSize) {
  const size_t size = SizeOf(block);
  const size_t available = size - kHeaderBytes;
  void* next = Offset(block, size);
  size_t nextHeader = PeekHeader(next);
  if (!(nextHeader & kFreeFlag) || available + (nextHeader & ~kFlagMask) < newSize) return false;

  ByteLockGuard lock(FMediumLock);
  nextHeader = HeaderOf(next);  // another thread may have taken the neighbour meanwhile
  if (!(nextHeader & kFreeFlag) || available + (nextHeader & ~kFlagMask) < newSize) return false;
  size_t nextSize = nextHeader & ~kFlagMask;
  if (nextSize >= kMinMediumBlockBytes) UnbinBlock(static_cast<MediumFreeBlock*>(next));
  size_t wanted = MediumBlockBytesFor(std::max(newSize, available + available / 4));
  size_t total = size + nextSize;
  size_t newBlockSize = total;
  if (total > wanted) {
    MakeFreeBlock(Offset(block, wanted), total - wanted);
    newBlockSize = wanted;
  } else {
    HeaderOf(Offset(block, total)) &= ~kPreviousFreeFlag;
  }
  HeaderOf(block) = newBlockSize | (HeaderOf(block) & kFlagMask);
  return true;
}

void MediumBlocks::ShrinkInPlace(void* block, size_t newSize) {
  ByteLockGuard lock(FMediumLock);
  const size_t size = SizeOf(block);
  const size_t bytes = MediumBlockBytesFor(newSize);
  size_t rest = size - bytes;
  HeaderOf(block) = bytes | (HeaderOf(block) & kFlagMask);
  void* after = Offset(block, size);
  if (HeaderOf(after) & kFreeFlag) {
    size_t afterSize = SizeOf(after);
    if (afterSize >= kMinMediumBlockBytes) UnbinBlock(static_cast<MediumFreeBlock*>(after));
    rest += afterSize;
  } else {
    HeaderOf(after) |= kPreviousFreeFlag;
  }
  MakeFreeBlock(Offset(block, bytes), rest);
}

void MediumBlocks::ReleaseAll() {
  ByteLockGuard lock(FMediumLock);
  for (MediumPool* pool = FPoolRing.Next; pool != &FPoolRing;) {
    MediumPool* next = pool->Next;
    FPages.Release(pool);
    pool = next;
  }
  FPoolRing.Previous = FPoolRing.Next = &FPoolRing;
  for (auto& bin : FBins) bin.PreviousFree = bin.NextFree = &bin;
  std::fill(std::begin(FBinMasks), std::end(FBinMasks), 0u);
  FGroupMask = 0;
  FFeedBytesLeft = 0;
  FFeedTop = nullptr;
}

}  // namespace mm
