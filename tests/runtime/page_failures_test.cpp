// What the allocator answers when the system refuses memory, and that it recovers afterwards.
#include <cstring>

#include "tests/runtime/support/AllocatorFixture.h"

using namespace mm;

class PageFailures : public AllocatorTest, public testing::WithParamInterface<size_t> {};

TEST_P(PageFailures, RefusedReserveAnswersNullAndLeavesTheHeapSound) {
  Pages.ReservesLeft = 0;
  EXPECT_EQ(Allocator.AllocBlock(GetParam()), nullptr);
  ExpectHeapSound();
  Pages.ReservesLeft = -1;
  void* p = Allocator.AllocBlock(GetParam());
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
}

TEST_P(PageFailures, RefusedCommitAnswersNullAndKeepsNoRegion) {
  Pages.FailCommits = true;
  EXPECT_EQ(Allocator.AllocBlock(GetParam()), nullptr);
  EXPECT_EQ(Pages.Regions, 0u);
}

INSTANTIATE_TEST_SUITE_P(Classes, PageFailures, testing::Values(size_t(64), size_t(20000), size_t(4 << 20)));

TEST_F(AllocatorTest, FailedGrowthLeavesTheBlockAsItWas) {
  void* p = Allocator.AllocBlock(100);
  std::memset(p, 7, 100);
  Pages.ReservesLeft = 0;
  EXPECT_EQ(Allocator.ResizeBlock(p, 10 << 20), nullptr);
  EXPECT_EQ(static_cast<unsigned char*>(p)[99], 7);
  EXPECT_TRUE(InUse(p));
  Pages.ReservesLeft = -1;
  EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
}

TEST_F(AllocatorTest, RefusedReleaseAnswersMinusOne) {
  void* large = Allocator.AllocBlock(4 << 20);
  Pages.FailReleases = true;
  EXPECT_EQ(Allocator.ReleaseBlock(large), -1);
  EXPECT_TRUE(InUse(large));  // still listed, still usable
  Pages.FailReleases = false;
  EXPECT_EQ(Allocator.ReleaseBlock(large), 0);
}
