// Four threads allocate, fill, check, resize and free blocks of every class at once on one
// allocator; every block must keep its contents and the heap must be sound afterwards.
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "tests/runtime/support/AllocatorFixture.h"

namespace {

struct Slot {
  unsigned char* Block = nullptr;
  size_t Size = 0;
  unsigned char Fill = 0;
};

bool Holds(const Slot& slot) {
  for (size_t i = 0; i < slot.Size; ++i)
    if (slot.Block[i] != static_cast<unsigned char>(slot.Fill + i)) return false;
  return true;
}

void Fill(Slot& slot, size_t from) {
  for (size_t i = from; i < slot.Size; ++i) slot.Block[i] = static_cast<unsigned char>(slot.Fill + i);
}

size_t RandomSize(uint32_t r) {
  switch (r % 16) {
    case 15:
      return 5209 + (r >> 8) % 100000;  // medium
    case 14:
      if ((r >> 4) % 8 == 0) return 529497 + (r >> 8) % 700000;
      [[fallthrough]];  // large, now and then
    default:
      return 1 + (r >> 8) % 600;  // small
  }
}

}  // namespace

TEST_F(AllocatorTest, ThreadsKeepEveryBlocksContents) {
  std::atomic<int> faults{0};
  auto worker = [&](uint32_t seed) {
    std::vector<Slot> slots(300);
    uint32_t state = seed;
    auto next = [&state] {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      return state;
    };
    for (int step = 0; step < 60000; ++step) {
      Slot& slot = slots[next() % slots.size()];
      if (slot.Block && !Holds(slot)) ++faults;
      uint32_t action = next() % 4;
      if (slot.Block && action == 0) {
        size_t newSize = RandomSize(next());
        auto* moved = static_cast<unsigned char*>(Allocator.ResizeBlock(slot.Block, newSize));
        ASSERT_NE(moved, nullptr);
        size_t kept = std::min(slot.Size, newSize);
        slot.Block = moved;
        slot.Size = newSize;
        Fill(slot, kept);
      } else {
        if (slot.Block && Allocator.ReleaseBlock(slot.Block) != 0) ++faults;
        slot.Size = RandomSize(next());
        slot.Fill = static_cast<unsigned char>(next());
        slot.Block = static_cast<unsigned char*>(Allocator.AllocBlock(slot.Size));
        ASSERT_NE(slot.Block, nullptr);
        Fill(slot, 0);
      }
    }
    for (Slot& slot : slots) {
      if (slot.Block && !Holds(slot)) ++faults;
      if (slot.Block && Allocator.ReleaseBlock(slot.Block) != 0) ++faults;
    }
  };
  std::vector<std::thread> threads;
  for (uint32_t t = 0; t < 4; ++t) threads.emplace_back(worker, 0x1234567u * (t + 1));
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(faults.load(), 0);
  mm::HeapCheck check = ExpectHeapSound();
  EXPECT_EQ(check.SmallBlocksInUse + check.MediumBlocksInUse + check.LargeBlocks, 0u);
}
