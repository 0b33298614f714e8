// When a resize keeps a block where it is and when it moves it, per class.
#include <cstring>

#include "tests/runtime/support/AllocatorFixture.h"

using namespace mm;

struct ResizeCase {
  const char* Name;
  size_t From;
  size_t To;
  bool Kept;
  size_t AvailableAfter;
};

class ResizeRules : public AllocatorTest, public testing::WithParamInterface<ResizeCase> {};

TEST_P(ResizeRules, KeepsOrMovesWithTheContents) {
  const ResizeCase& c = GetParam();
  auto* p = static_cast<unsigned char*>(Allocator.AllocBlock(c.From));
  ASSERT_NE(p, nullptr);
  size_t kept = std::min(c.From, c.To);
  for (size_t i = 0; i < kept; ++i) p[i] = static_cast<unsigned char>(i * 7);
  auto* q = static_cast<unsigned char*>(Allocator.ResizeBlock(p, c.To));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q == p, c.Kept);
  EXPECT_EQ(BlockAllocator::Available(q), c.AvailableAfter);
  for (size_t i = 0; i < kept; ++i) ASSERT_EQ(q[i], static_cast<unsigned char>(i * 7)) << i;
  if (!c.Kept) EXPECT_FALSE(InUse(p));
  EXPECT_EQ(Allocator.ReleaseBlock(q), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ResizeRules,
    testing::Values(
        // A 200-byte request lives in the 208-byte type; growing by one byte asks for 2 * 200 + 64.
        ResizeCase{"small_grows_to_double", 200, 201, false, 472},
        ResizeCase{"small_shrink_keeps", 200, 18, true, 200},  // 4 * 18 + 128 >= 200
        ResizeCase{"small_shrink_moves", 200, 17, false, 24},  // 4 * 17 + 128 < 200
        ResizeCase{"small_grows_medium", 5208, 5209, false, MediumBlockBytesFor(2 * 5208 + 64) - 8},
        // A 20,000-byte request gets a 20,064-byte medium block (Available 20,056).
        ResizeCase{"medium_half_keeps", 20000, 10028, true, 20056},
        ResizeCase{"medium_to_small", 20000, 1400, false, 1464},
        ResizeCase{"medium_shrinks_in_place", 20000, 1600, true, 5720},
        ResizeCase{"medium_grows_by_quarter", 20000, 20569, false, MediumBlockBytesFor(20056 + 20056 / 4) - 8},
        // Large: Available 589,784; shrinking to just over half keeps it.
        ResizeCase{"large_over_half_keeps", 529497, 589784 / 2 + 1, true, 589784},
        ResizeCase{"large_below_half_moves", 529497, 589784 / 2 - 1, false, MediumBlockBytesFor(589784 / 2 - 1) - 8}),
    [](const testing::TestParamInfo<ResizeCase>& info) { return std::string(info.param.Name); });
