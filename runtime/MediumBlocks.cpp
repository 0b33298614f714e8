#include "runtime/MediumBlocks.h"

#include <algorithm>

#include "runtime/PageProvider.h"

namespace mm {

namespace {

void SetTrailer(void* block, size_t size)
{
  *reinterpret_cast<size_t*>(Offset(block, size - 2 * kHeaderBytes)) = size;
}

size_t PreviousSize(void* block) { return *reinterpret_cast<size_t*>(Offset(block, -2 * ptrdiff_t(kHeaderBytes))); }

// The neighbour's header may be changing under another thread's lock; this only peeks.
size_t PeekHeader(void* block) { return __atomic_load_n(&HeaderOf(block), __ATOMIC_RELAXED); }

}  // namespace

MediumBlocks::MediumBlocks(PageProvider& pages) : FPages(pages)
{
  PoolRing.Previous = PoolRing.Next = &PoolRing;
  for (auto& bin : Bins)
    bin.PreviousFree = bin.NextFree = &bin;
}

size_t MediumBlocks::BinOf(size_t size)
{
  return std::min((size - kMinMediumBlockBytes) / kMediumGranularity, kMediumBinCount - 1);
}

void MediumBlocks::UnbinBlock(MediumFreeBlock* block)
{
  MediumFreeBlock* previous = block->PreviousFree;
  MediumFreeBlock* next = block->NextFree;
  previous->NextFree = next;
  next->PreviousFree = previous;
  if (previous == next) {  // only the bin's head is left
    size_t bin = static_cast<size_t>(next - Bins);
    uint32_t& word = BinMasks[bin / kBinsPerGroup];
    word &= ~(1u << (bin % kBinsPerGroup));
    if (word == 0)
      GroupMask &= ~(1u << (bin / kBinsPerGroup));
  }
}

void MediumBlocks::BinBlock(void* block, size_t size)
{
  size_t bin = BinOf(size);
  MediumFreeBlock* head = &Bins[bin];
  auto* free = static_cast<MediumFreeBlock*>(block);
  free->PreviousFree = head;
  free->NextFree = head->NextFree;
  head->NextFree->PreviousFree = free;
  head->NextFree = free;
  BinMasks[bin / kBinsPerGroup] |= 1u << (bin % kBinsPerGroup);
  GroupMask |= 1u << (bin / kBinsPerGroup);
}

void MediumBlocks::MakeFreeBlock(void* block, size_t size)
{
  HeaderOf(block) = size | kMediumFlag | kFreeFlag;
  SetTrailer(block, size);
  if (size >= kMinMediumBlockBytes)
    BinBlock(block, size);
}

void MediumBlocks::BinFeedRemainder()
{
  if (FeedBytesLeft == 0)
    return;
  size_t size = FeedBytesLeft;
  void* remainder = FeedTop - size;
  if (HeaderOf(FeedTop) & kFreeFlag) {
    size_t topSize = SizeOf(FeedTop);
    if (topSize >= kMinMediumBlockBytes)
      UnbinBlock(reinterpret_cast<MediumFreeBlock*>(FeedTop));
    size += topSize;
  } else {
    HeaderOf(FeedTop) |= kPreviousFreeFlag;
  }
  MakeFreeBlock(remainder, size);
}

void* MediumBlocks::NewMediumPool(size_t firstBlockSize)
{
  BinFeedRemainder();
  auto* pool = static_cast<MediumPool*>(FPages.Allocate(kMediumPoolBytes, false));
  if (!pool) {
    FeedBytesLeft = 0;
    return nullptr;
  }
  pool->Previous = &PoolRing;
  pool->Next = PoolRing.Next;
  PoolRing.Next->Previous = pool;
  PoolRing.Next = pool;

  char* end = reinterpret_cast<char*>(pool) + kMediumPoolBytes;
  HeaderOf(end) = kMediumFlag;  // the end sentinel: a medium block of size 0 in use
  FeedBytesLeft = kMediumBlockAreaBytes - firstBlockSize;
  FeedTop = end - firstBlockSize;
  HeaderOf(FeedTop) = firstBlockSize | kMediumFlag;
  return FeedTop;
}

void* MediumBlocks::TakeFromBin(size_t bin)
{
  MediumFreeBlock* block = Bins[bin].NextFree;
  UnbinBlock(block);
  return block;
}

void* MediumBlocks::AllocBlock(size_t request)
{
  const size_t bytes = MediumBlockBytesFor(request);
  size_t bin = (bytes - kMinMediumBlockBytes) / kMediumGranularity;
  size_t group = bin / kBinsPerGroup;

  ByteLockGuard lock(MediumLock);
  uint32_t bins = BinMasks[group] & (~0u << (bin % kBinsPerGroup));
  if (bins) {
    bin = group * kBinsPerGroup + __builtin_ctz(bins);
  } else {
    uint32_t groups = GroupMask & (~1u << group);
    if (groups) {
      group = __builtin_ctz(groups);
      bin = group * kBinsPerGroup + __builtin_ctz(BinMasks[group]);
    } else if (FeedBytesLeft < bytes) {
      return NewMediumPool(bytes);
    } else {
      FeedTop -= bytes;
      FeedBytesLeft -= bytes;
      HeaderOf(FeedTop) = bytes | kMediumFlag;
      return FeedTop;
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

void* MediumBlocks::AllocPool(uint32_t groupMask, size_t poolBytes, size_t minPoolBytes, size_t& poolSize)
{
  ByteLockGuard lock(MediumLock);
  void* block;
  size_t size;
  if (uint32_t groups = GroupMask & groupMask) {
    size_t group = __builtin_ctz(groups);
    block = TakeFromBin(group * kBinsPerGroup + __builtin_ctz(BinMasks[group]));
    size = SizeOf(block);
    if (size < kSplitForPoolBytes) {
      HeaderOf(Offset(block, size)) &= ~kPreviousFreeFlag;
    } else {
      MakeFreeBlock(Offset(block, poolBytes), size - poolBytes);
      size = poolBytes;
    }
  } else if (FeedBytesLeft < minPoolBytes) {
    size = poolBytes;
    block = NewMediumPool(poolBytes);
    if (!block)
      return nullptr;
  } else {
    size = FeedBytesLeft < poolBytes + kMinMediumBlockBytes ? FeedBytesLeft : poolBytes;
    FeedTop -= size;
    FeedBytesLeft -= size;
    block = FeedTop;
  }
  HeaderOf(block) = size | kPoolFlag;
  poolSize = size;
  return block;
}

int MediumBlocks::ReleaseBlock(void* block)
{
  MediumLock.Lock();
  size_t size = SizeOf(block);
  void* next = Offset(block, size);
  if (HeaderOf(next) & kFreeFlag) {
    size_t nextSize = SizeOf(next);
    if (nextSize >= kMinMediumBlockBytes)
      UnbinBlock(static_cast<MediumFreeBlock*>(next));
    size += nextSize;
  } else {
    HeaderOf(next) |= kPreviousFreeFlag;
  }
  if (HeaderOf(block) & kPreviousFreeFlag) {
    size_t previousSize = PreviousSize(block);
    block = Offset(block, -ptrdiff_t(previousSize));
    size += previousSize;
    if (previousSize >= kMinMediumBlockBytes)
      UnbinBlock(static_cast<MediumFreeBlock*>(block));
  }

  if (size == kMediumBlockAreaBytes) {
    auto* pool = reinterpret_cast<MediumPool*>(Offset(block, -ptrdiff_t(kMediumPoolHeaderBytes)));
    char* end = reinterpret_cast<char*>(pool) + kMediumPoolBytes;
    if (FeedBytesLeft == kMediumBlockAreaBytes) {
      // The feeding pool is untouched too: one empty pool is enough.
      pool->Previous->Next = pool->Next;
      pool->Next->Previous = pool->Previous;
      MediumLock.Unlock();
      return FPages.Release(pool) ? 0 : -1;
    }
    BinFeedRemainder();
    HeaderOf(end) = kMediumFlag;
    FeedBytesLeft = kMediumBlockAreaBytes;
    FeedTop = end;
  } else {
    MakeFreeBlock(block, size);
  }
  MediumLock.Unlock();
  return 0;
}

bool MediumBlocks::GrowInPlace(void* block, size_t newSize)
{
  const size_t size = SizeOf(block);
  const size_t available = size - kHeaderBytes;
  void* next = Offset(block, size);
  size_t nextHeader = PeekHeader(next);
  if (!(nextHeader & kFreeFlag) || available + (nextHeader & ~kFlagMask) < newSize)
    return false;

  ByteLockGuard lock(MediumLock);
  nextHeader = HeaderOf(next);  // another thread may have taken the neighbour meanwhile
  if (!(nextHeader & kFreeFlag) || available + (nextHeader & ~kFlagMask) < newSize)
    return false;
  size_t nextSize = nextHeader & ~kFlagMask;
  if (nextSize >= kMinMediumBlockBytes)
    UnbinBlock(static_cast<MediumFreeBlock*>(next));
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

void MediumBlocks::ShrinkInPlace(void* block, size_t newSize)
{
  ByteLockGuard lock(MediumLock);
  const size_t size = SizeOf(block);
  const size_t bytes = MediumBlockBytesFor(newSize);
  size_t rest = size - bytes;
  HeaderOf(block) = bytes | (HeaderOf(block) & kFlagMask);
  void* after = Offset(block, size);
  if (HeaderOf(after) & kFreeFlag) {
    size_t afterSize = SizeOf(after);
    if (afterSize >= kMinMediumBlockBytes)
      UnbinBlock(static_cast<MediumFreeBlock*>(after));
    rest += afterSize;
  } else {
    HeaderOf(after) |= kPreviousFreeFlag;
  }
  MakeFreeBlock(Offset(block, bytes), rest);
}

void MediumBlocks::ReleaseAll()
{
  ByteLockGuard lock(MediumLock);
  for (MediumPool* pool = PoolRing.Next; pool != &PoolRing;) {
    MediumPool* next = pool->Next;
    FPages.Release(pool);
    pool = next;
  }
  PoolRing.Previous = PoolRing.Next = &PoolRing;
  for (auto& bin : Bins)
    bin.PreviousFree = bin.NextFree = &bin;
  std::fill(std::begin(BinMasks), std::end(BinMasks), 0u);
  GroupMask = 0;
  FeedBytesLeft = 0;
  FeedTop = nullptr;
}

}  // namespace mm
