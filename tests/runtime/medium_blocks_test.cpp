// Splitting, merging and pool return of medium blocks, and growth into a free neighbour.
#include <vector>

#include "tests/runtime/support/AllocatorFixture.h"

using namespace mm;

// Blocks are fed downward from the pool's end: the second block lies just below the first.
TEST_F(AllocatorTest, FreedNeighboursMergeAndSplitAgain) {
  void* a = Allocator.AllocBlock(20000);
  void* b = Allocator.AllocBlock(20000);
  void* c = Allocator.AllocBlock(20000);
  ASSERT_EQ(static_cast<char*>(a) - static_cast<char*>(b), 20064);
  ASSERT_EQ(Pages.Regions, 1u);
  EXPECT_EQ(Allocator.ReleaseBlock(b), 0);
  EXPECT_EQ(ExpectHeapSound().FreeMediumBlocks, 1u);
  EXPECT_EQ(Allocator.ReleaseBlock(a), 0);  // merges with b below it
  EXPECT_EQ(ExpectHeapSound().FreeMediumBlocks, 1u);

  // A request that fits the merged block splits it: the rest stays free and binned.
  void* d = Allocator.AllocBlock(30000);
  EXPECT_EQ(d, b);
  EXPECT_EQ(ExpectHeapSound().FreeMediumBlocks, 1u);
  EXPECT_EQ(Allocator.ReleaseBlock(d), 0);
  EXPECT_EQ(Allocator.ReleaseBlock(c), 0);
  // All three merged into one free block above the part of the pool not fed yet; the pool stays.
  mm::HeapCheck check = ExpectHeapSound();
  EXPECT_EQ(check.MediumPools, 1u);
  EXPECT_EQ(check.FreeMediumBlocks, 1u);
  EXPECT_EQ(Pages.Regions, 1u);
}

TEST_F(AllocatorTest, EmptiedPoolBesideAnUntouchedFeedingPoolIsGivenBack) {
  // Fill the first pool so that the next block needs a second pool.
  std::vector<void*> first;
  for (size_t fed = 0; fed + 529504 <= kMediumBlockAreaBytes; fed += 529504)
    first.push_back(Allocator.AllocBlock(529496));
  void* other = Allocator.AllocBlock(529496);
  ASSERT_EQ(Pages.Regions, 2u);
  // The first pool, emptied, becomes the feeding pool: still untouched when the second empties.
  for (void* p : first) EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
  EXPECT_EQ(Pages.Regions, 2u);
  EXPECT_EQ(Allocator.ReleaseBlock(other), 0);
  EXPECT_EQ(Pages.Regions, 1u);
  EXPECT_EQ(ExpectHeapSound().MediumPools, 1u);
}

TEST_F(AllocatorTest, SplitRestBelowTheSmallestMediumSizeIsUnbinnedUntilMerged) {
  void* big = Allocator.AllocBlock(10000);  // 10,336 bytes
  void* guard = Allocator.AllocBlock(10000);
  ASSERT_EQ(Allocator.ReleaseBlock(big), 0);
  // 7,000 bytes take 7,264 of the 10,336: the 3,072-byte rest is free but in no bin.
  void* part = Allocator.AllocBlock(7000);
  ASSERT_EQ(part, big);
  mm::HeapCheck check = ExpectHeapSound();
  EXPECT_EQ(check.FreeMediumBlocks, 1u);
  EXPECT_EQ(Allocator.ReleaseBlock(part), 0);  // merges with the fragment
  check = ExpectHeapSound();
  EXPECT_EQ(check.FreeMediumBlocks, 1u);
  void* again = Allocator.AllocBlock(10000);
  EXPECT_EQ(again, big);
  Allocator.ReleaseBlock(again);
  Allocator.ReleaseBlock(guard);
}

TEST_F(AllocatorTest, MediumBlockGrowsIntoItsFreeNeighbour) {
  void* upper = Allocator.AllocBlock(40000);
  void* lower = Allocator.AllocBlock(20000);  // lies just below upper
  ASSERT_EQ(Allocator.ReleaseBlock(upper), 0);
  void* grown = Allocator.ResizeBlock(lower, 30000);
  EXPECT_EQ(grown, lower);
  // Grown to the medium size for 30,000 (a quarter more than 20,568 is less), the rest stays free.
  EXPECT_EQ(BlockAllocator::Available(grown), MediumBlockBytesFor(30000) - kHeaderBytes);
  EXPECT_EQ(ExpectHeapSound().FreeMediumBlocks, 1u);
  EXPECT_EQ(Allocator.ReleaseBlock(grown), 0);
}

TEST_F(AllocatorTest, ShrinkInPlaceFreesTheRestAndMergesItWithAFreeNeighbour) {
  void* upper = Allocator.AllocBlock(40000);
  void* lower = Allocator.AllocBlock(20000);
  ASSERT_EQ(Allocator.ReleaseBlock(upper), 0);
  EXPECT_EQ(Allocator.ResizeBlock(lower, 1600), lower);
  mm::HeapCheck check = ExpectHeapSound();
  EXPECT_EQ(check.FreeMediumBlocks, 1u);  // the 14,336-byte rest merged with the freed block above
  EXPECT_EQ(Allocator.ReleaseBlock(lower), 0);
}
