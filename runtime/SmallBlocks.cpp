#include "runtime/SmallBlocks.h"

#include <cstring>

#include "runtime/MediumBlocks.h"

namespace mm {

namespace {

template <size_t Bytes>
void CopyFixed(void* target, const void* source, size_t) {
  std::memcpy(target, source, Bytes);
}

void CopyGeneral(void* target, const void* source, size_t bytes) { std::memcpy(target, source, bytes); }

// The smallest types copy their usable size with a fixed sequence of moves.
constexpr CopyRoutine kFixedCopies[] = {
    CopyFixed<1 * kAlignment - kHeaderBytes>, CopyFixed<2 * kAlignment - kHeaderBytes>,
    CopyFixed<3 * kAlignment - kHeaderBytes>, CopyFixed<4 * kAlignment - kHeaderBytes>,
    CopyFixed<5 * kAlignment - kHeaderBytes>, CopyFixed<6 * kAlignment - kHeaderBytes>,
    CopyFixed<7 * kAlignment - kHeaderBytes>, CopyFixed<8 * kAlignment - kHeaderBytes>,
    CopyFixed<9 * kAlignment - kHeaderBytes>};

void Unlink(PoolLinks* pool) {
  pool->PrevPartial->NextPartial = pool->NextPartial;
  pool->NextPartial->PrevPartial = pool->PrevPartial;
}

void LinkFirst(PoolLinks* head, PoolLinks* pool) {
  pool->PrevPartial = head;
  pool->NextPartial = head->NextPartial;
  head->NextPartial->PrevPartial = pool;
  head->NextPartial = pool;
}

}  // namespace

SmallBlocks::SmallBlocks(MediumBlocks& medium) : FMedium(medium) {
  for (size_t i = 0; i < kSmallTypeCount; ++i) {
    SmallBlockType& type = FTypes[i];
    const SmallTypeShape& shape = kSmallTypeShapes[i];
    type.BlockBytes = shape.BlockBytes;
    type.MinPoolBytes = shape.MinPoolBytes;
    type.PoolBytes = shape.PoolBytes;
    type.PoolGroupMask = shape.PoolGroupMask;
    type.GrowCopy = i < std::size(kFixedCopies) && kSmallBlockSteps[i] == i + 1 ? kFixedCopies[i] : CopyGeneral;
    ResetType(type);
  }
}

void SmallBlocks::ResetType(SmallBlockType& type) {
  type.PartialPools.NextPartial = type.PartialPools.PrevPartial = &type.PartialPools;
  type.FeedNext = 1;
  type.FeedLimit = 0;
  type.FeedPool = nullptr;
}

void SmallBlocks::Reset() {
  for (auto& type : FTypes) ResetType(type);
}

SmallBlockType* SmallBlocks::LockTypeOrNeighbour(SmallBlockType* type) {
  for (;;) {
    if (type[0].Locked.TryLock()) return type;
    if (type[1].Locked.TryLock()) return type + 1;
    if (type[2].Locked.TryLock()) return type + 2;
    if (type[0].Locked.Wait()) return type;
  }
}

void* SmallBlocks::AllocBlock(size_t request) {
  SmallBlockType* type = LockTypeOrNeighbour(&FTypes[SmallTypeFor(request)]);

  PoolLinks* first = type->PartialPools.NextPartial;
  if (first != &type->PartialPools) {
    auto* pool = static_cast<SmallPool*>(first);
    void* block = pool->FreeChain;
    ++pool->UsedCount;
    pool->FreeChain = reinterpret_cast<void*>(HeaderOf(block) & ~kFreeFlag);
    HeaderOf(block) = reinterpret_cast<size_t>(pool);
    if (!pool->FreeChain) Unlink(pool);
    type->Locked.Unlock();
    return block;
  }

  uintptr_t next = type->FeedNext;
  if (next <= type->FeedLimit) {
    type->FeedNext = next + type->BlockBytes;
    SmallPool* pool = type->FeedPool;
    ++pool->UsedCount;
    void* block = reinterpret_cast<void*>(next);
    HeaderOf(block) = reinterpret_cast<size_t>(pool);
    type->Locked.Unlock();
    return block;
  }

  return AllocFromNewPool(type);
}

void* SmallBlocks::AllocFromNewPool(SmallBlockType* type) {
  size_t poolSize = 0;
  auto* pool = static_cast<SmallPool*>(
      FMedium.AllocPool(type->PoolGroupMask, type->PoolBytes, type->MinPoolBytes, poolSize));
  if (!pool) {
    type->Locked.Unlock();
    return nullptr;
  }
  pool->OwningType = type;
  pool->FreeChain = nullptr;
  pool->UsedCount = 1;
  pool->Reserved = 0;
  pool->NextPartial = pool->PrevPartial = nullptr;

  char* block = reinterpret_cast<char*>(pool) + kSmallPoolHeaderBytes;
  type->FeedPool = pool;
  type->FeedNext = reinterpret_cast<uintptr_t>(block) + type->BlockBytes;
  type->FeedLimit = reinterpret_cast<uintptr_t>(pool) + poolSize - type->BlockBytes;
  HeaderOf(block) = reinterpret_cast<size_t>(pool);
  type->Locked.Unlock();
  return block;
}

int SmallBlocks::ReleaseBlock(void* block) {
  SmallPool* pool = PoolOf(block);
  SmallBlockType* type = pool->OwningType;
  if (!OwnsType(type)) return -1;
  type->Locked.Lock();
  if (--pool->UsedCount != 0) {
    void* chain = pool->FreeChain;
    HeaderOf(block) = reinterpret_cast<size_t>(chain) | kFreeFlag;
    pool->FreeChain = block;
    if (!chain) LinkFirst(&type->PartialPools, pool);
    type->Locked.Unlock();
    return 0;
  }

  // The pool's last block: the pool itself goes back to the medium blocks.
  if (pool->FreeChain) Unlink(pool);
  if (type->FeedPool == pool) {
    type->FeedLimit = 0;
    type->FeedPool = nullptr;
  }
  type->Locked.Unlock();
  return FMedium.ReleaseBlock(pool);
}

}  // namespace mm
