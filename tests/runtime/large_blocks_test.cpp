// Large blocks: growth in place over several regions, and their release region by region.
#include <cstring>

#include "tests/runtime/support/AllocatorFixture.h"

using namespace mm;

TEST_F(AllocatorTest, LargeBlockGrowsInPlaceAndIsReleasedRegionByRegion) {
  Pages.RoomAfter = 64 << 20;
  auto* p = static_cast<char*>(Allocator.AllocBlock(1 << 20));
  ASSERT_NE(p, nullptr);
  std::memset(p, 0x5A, 1 << 20);
  size_t regions = Pages.Regions;
  size_t available = BlockAllocator::Available(p);

  // One byte more asks for a quarter more, in whole 64 KiB regions.
  ASSERT_EQ(Allocator.ResizeBlock(p, available + 1), p);
  EXPECT_EQ(BlockAllocator::Available(p), available + RoundUp(available / 4, kRegionGranularity));
  ASSERT_EQ(Allocator.ResizeBlock(p, 3 << 20), p);
  EXPECT_EQ(Pages.Regions, regions + 2);
  EXPECT_EQ(p[(1 << 20) - 1], 0x5A);
  p[(3 << 20) - 1] = 1;
  ExpectHeapSound();

  size_t releases = Pages.Releases;
  EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
  EXPECT_EQ(Pages.Releases, releases + 3);
  EXPECT_EQ(Pages.Regions, regions - 1);
}

TEST_F(AllocatorTest, LargeBlockMovesWhenItCannotGrowInPlace) {
  auto* p = static_cast<char*>(Allocator.AllocBlock(1 << 20));
  std::memset(p, 0x33, 1 << 20);
  Pages.FailCommits = true;  // the extension is reserved but cannot be committed
  EXPECT_EQ(Allocator.ResizeBlock(p, 2 << 20), nullptr);
  EXPECT_EQ(p[(1 << 20) - 1], 0x33);  // untouched
  Pages.FailCommits = false;
  auto* q = static_cast<char*>(Allocator.ResizeBlock(p, 2 << 20));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q[(1 << 20) - 1], 0x33);
  EXPECT_EQ(Allocator.ReleaseBlock(q), 0);
}
