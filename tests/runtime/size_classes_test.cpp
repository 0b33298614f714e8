// Which class and block size a request gets, at every threshold of the x64 layout.
#include <cstdint>

#include "tests/runtime/support/AllocatorFixture.h"
#include "runtime/SmallBlockTypes.h"

using namespace mm;

struct SizeCase {
  size_t Request;
  size_t Available;  // what the block it gets can hold
};

class SizeClasses : public AllocatorTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(SizeClasses, RequestGetsTheBlockOfItsClass) {
  const SizeCase& c = GetParam();
  void* p = Allocator.AllocBlock(c.Request);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % kAlignment, 0u);
  EXPECT_EQ(BlockAllocator::Available(p), c.Available);
  EXPECT_TRUE(InUse(p));
  EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, SizeClasses,
                         testing::Values(SizeCase{0, 8}, SizeCase{1, 8}, SizeCase{8, 8},  // 16-byte type
                                         SizeCase{9, 24},                                 // 32-byte type
                                         SizeCase{200, 200}, SizeCase{201, 216},          // 208, 224
                                         SizeCase{312, 312}, SizeCase{313, 344},  // last step-16 type, first step-32
                                         SizeCase{5208, 5208},                    // largest small type: 5216
                                         SizeCase{5209, 5720},                    // smallest medium block: 5728
                                         SizeCase{5720, 5720}, SizeCase{5721, 6232},  // next medium size: 6240
                                         SizeCase{529496, 529496},                    // largest medium: 529504
                                         SizeCase{529497, 589824 - 40}));             // large: nine 64 KiB regions

TEST(SmallTypeTable, SizesAscendAndLookupPicksSmallestFit) {
  for (size_t i = 1; i < kSmallTypeCount; ++i) EXPECT_LE(kSmallBlockSteps[i - 1], kSmallBlockSteps[i]);
  EXPECT_EQ(kSmallBlockSteps[53], kSmallBlockSteps[54]);
  EXPECT_EQ(kSmallBlockSteps[54], kSmallBlockSteps[55]);
  EXPECT_EQ(kMaxSmallRequest, 5208u);
  EXPECT_EQ(kSmallLookupEntries, 326u);

  for (size_t request = 1; request <= kMaxSmallRequest; ++request) {
    size_t type = SmallTypeFor(request);
    ASSERT_LT(type, kSmallTypeCount - 2);
    ASSERT_GE(kSmallTypeShapes[type].BlockBytes, request + kHeaderBytes) << request;
    if (type > 0) ASSERT_LT(kSmallTypeShapes[type - 1].BlockBytes, request + kHeaderBytes) << request;
  }
}

TEST(SmallTypeTable, PoolShapesFollowTheMediumSizes) {
  for (const SmallTypeShape& shape : kSmallTypeShapes) {
    SCOPED_TRACE(shape.BlockBytes);
    EXPECT_EQ(shape.BlockBytes % kAlignment, 0u);
    EXPECT_EQ((shape.PoolBytes - kMediumSizeOffset) % kMediumGranularity, 0u);
    // A whole number of blocks in the optimal range: at most one block below it.
    EXPECT_GT(shape.PoolBytes + shape.BlockBytes, kMinOptimalPoolBytes);
    EXPECT_LE(shape.PoolBytes, kMaxOptimalPoolBytes);
    EXPECT_GE(shape.MinPoolBytes, kMinMediumBlockBytes);
    // The smallest pool worth making holds twelve blocks, and one of PoolBytes holds at least that.
    EXPECT_GE(shape.PoolBytes, kSmallPoolHeaderBytes + kMinPoolBlockCount * shape.BlockBytes);
    size_t group = (shape.MinPoolBytes - kMinMediumBlockBytes) / kGroupSpanBytes;
    EXPECT_EQ(shape.PoolGroupMask, ~0u << group);
  }
  // Rows worked out by hand: the 16-byte type and the largest.
  EXPECT_EQ(kSmallTypeShapes[0].PoolBytes, 58976u);
  EXPECT_EQ(kSmallTypeShapes[0].MinPoolBytes, 5728u);
  EXPECT_EQ(kSmallTypeShapes[55].PoolBytes, 130656u);
  EXPECT_EQ(kSmallTypeShapes[55].MinPoolBytes, 4 * 16384u + 5728u);
}

TEST(LayoutConstants, DeriveFromHeaderAndAlignment) {
  EXPECT_EQ(kMinMediumBlockBytes, 5728u);
  EXPECT_EQ(kMediumGranularity, 512u);
  EXPECT_EQ(kMaxMediumRequest, 529496u);
  EXPECT_EQ(kMediumPoolBytes, 2621408u);
  EXPECT_EQ(kMediumBlockAreaBytes, 2621376u);
  EXPECT_EQ(kSplitForPoolBytes, 136384u);
  EXPECT_EQ(MediumBlockBytesFor(5209), 5728u);
  EXPECT_EQ(MediumBlockBytesFor(5721), 6240u);
}

TEST_F(AllocatorTest, ImpossibleRequestsAnswerNull) {
  EXPECT_EQ(Allocator.AllocBlock(SIZE_MAX), nullptr);
  EXPECT_EQ(Allocator.AllocBlock(kMaxRequest + 1), nullptr);
  void* p = Allocator.AllocBlock(100);
  EXPECT_EQ(Allocator.ResizeBlock(p, SIZE_MAX), nullptr);
  EXPECT_EQ(static_cast<char*>(p), Allocator.ResizeBlock(p, 100));  // untouched and still usable
  EXPECT_EQ(Allocator.ReleaseBlock(p), 0);
}
