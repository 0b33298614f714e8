// Small-block pools: reuse, double release and return of an emptied pool.
#include <vector>

#include "tests/runtime/support/AllocatorFixture.h"

using namespace mm;

TEST_F(AllocatorTest, DoubleReleaseOfASmallBlockIsRefused) {
  void* keep = Allocator.AllocBlock(40);
  void* p = Allocator.AllocBlock(40);
  EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
  EXPECT_EQ(Allocator.ReleaseBlock(p), -1);
  EXPECT_EQ(Allocator.ResizeBlock(p, 80), nullptr);
  EXPECT_EQ(Allocator.AllocBlock(40), p);  // the freed block is the first one reused
  EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
  EXPECT_EQ(Allocator.ReleaseBlock(keep), 0);
}

TEST_F(AllocatorTest, PoolsAndMediumBlocksAreNoValidArguments) {
  void* p = Allocator.AllocBlock(40);
  void* pool = reinterpret_cast<void*>(HeaderOf(p));
  EXPECT_EQ(Allocator.ReleaseBlock(pool), -1);
  void* medium = Allocator.AllocBlock(20000);
  EXPECT_EQ(Allocator.ReleaseBlock(medium), 0);
  EXPECT_EQ(Allocator.ReleaseBlock(medium), -1);
  EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
}

TEST_F(AllocatorTest, PoolIsGivenBackWhenItsLastBlockIsFreed) {
  std::vector<void*> blocks;
  for (int i = 0; i < 5000; ++i)  // several pools of the 112-byte type
    blocks.push_back(Allocator.AllocBlock(100));
  mm::HeapCheck full = ExpectHeapSound();
  EXPECT_GT(full.SmallPools, 2u);
  EXPECT_EQ(full.SmallBlocksInUse, 5000u);
  for (size_t i = 0; i < blocks.size(); i += 2) EXPECT_EQ(Allocator.ReleaseBlock(blocks[i]), 0);
  EXPECT_EQ(ExpectHeapSound().SmallPools, full.SmallPools);  // every pool still has blocks in use
  for (size_t i = 1; i < blocks.size(); i += 2) EXPECT_EQ(Allocator.ReleaseBlock(blocks[i]), 0);
  mm::HeapCheck empty = ExpectHeapSound();
  EXPECT_EQ(empty.SmallPools, 0u);
  EXPECT_EQ(empty.SmallBlocksInUse, 0u);
  // The next allocation of that type takes a fresh pool.
  void* p = Allocator.AllocBlock(100);
  EXPECT_EQ(ExpectHeapSound().SmallPools, 1u);
  Allocator.ReleaseBlock(p);
}
