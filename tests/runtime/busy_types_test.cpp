// A small block type whose lock is held by another thread is sidestepped: the block comes from
// one of the next two larger types, and only when all three are busy does the request wait.
// The test holds the locks itself, reaching a type through the pool header of one of its blocks.
#include <thread>
#include <vector>

#include "tests/runtime/support/AllocatorFixture.h"

using namespace mm;

namespace {

// The largest request a type serves.
size_t RequestFor(size_t type) { return kSmallBlockSteps[type] * kAlignment - kHeaderBytes; }

SmallBlockType* TypeOf(const void* block) { return SmallBlocks::PoolOf(block)->OwningType; }

struct BusyCase {
  const char* Name;
  size_t Type;               // the type the request selects
  std::vector<size_t> Held;  // locks held, counted from that type
  size_t ExpectedOffset;     // where the block comes from, counted from that type
};

class BusyTypes : public AllocatorTest, public testing::WithParamInterface<BusyCase> {};

}  // namespace

TEST_P(BusyTypes, BlockComesFromTheFirstFreeOfTheTypeAndItsTwoNeighbours) {
  const BusyCase& c = GetParam();
  void* probe = Allocator.AllocBlock(RequestFor(c.Type));
  SmallBlockType* own = TypeOf(probe);
  for (size_t offset : c.Held) own[offset].Locked.Lock();

  void* block = Allocator.AllocBlock(RequestFor(c.Type));

  for (size_t offset : c.Held) own[offset].Locked.Unlock();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(TypeOf(block) - own, static_cast<ptrdiff_t>(c.ExpectedOffset));
  EXPECT_GE(BlockAllocator::Available(block), RequestFor(c.Type));
  EXPECT_TRUE(InUse(block));
  EXPECT_EQ(Allocator.ReleaseBlock(block), 0);
  EXPECT_EQ(Allocator.ReleaseBlock(probe), 0);
}

INSTANTIATE_TEST_SUITE_P(SmallTypes, BusyTypes,
                         testing::Values(BusyCase{"Free", 3, {}, 0}, BusyCase{"OwnBusy", 3, {0}, 1},
                                         BusyCase{"OwnAndNextBusy", 3, {0, 1}, 2}, BusyCase{"OnlyNextBusy", 3, {1}, 0},
                                         BusyCase{"OnlySecondNextBusy", 20, {2}, 0},
                                         BusyCase{"WideStepOwnBusy", 40, {0}, 1},
                                         // The largest selectable type falls back on the two repeats of its size.
                                         BusyCase{"LargestOwnBusy", kSelectableSmallTypes - 1, {0}, 1},
                                         BusyCase{"LargestOwnAndNextBusy", kSelectableSmallTypes - 1, {0, 1}, 2}),
                         [](const testing::TestParamInfo<BusyCase>& info) { return info.param.Name; });

// With all three busy the request waits for its own type, not for whichever frees first, and
// never answers null.
TEST_F(AllocatorTest, AllThreeTypesBusyWaitsForItsOwn) {
  const size_t type = 10;
  void* probe = Allocator.AllocBlock(RequestFor(type));
  SmallBlockType* own = TypeOf(probe);
  for (int i = 0; i < 3; ++i) own[i].Locked.Lock();

  void* block = nullptr;
  std::thread other([&] { block = Allocator.AllocBlock(RequestFor(type)); });
  own[0].Locked.Unlock();
  other.join();  // the neighbours stay held until it is done
  own[1].Locked.Unlock();
  own[2].Locked.Unlock();

  ASSERT_NE(block, nullptr);
  EXPECT_EQ(TypeOf(block), own);
  EXPECT_EQ(Allocator.ReleaseBlock(block), 0);
  EXPECT_EQ(Allocator.ReleaseBlock(probe), 0);
}
