// After finalization: every region given back, and the after-uninstall answers.
#include "tests/runtime/support/AllocatorFixture.h"

using namespace mm;

TEST_F(AllocatorTest, FinalizeGivesEverythingBackAndThenRefuses) {
  Pages.RoomAfter = 16 << 20;
  void* small = Allocator.AllocBlock(40);
  void* medium = Allocator.AllocBlock(20000);
  void* large = Allocator.AllocBlock(1 << 20);
  ASSERT_EQ(Allocator.ResizeBlock(large, 2 << 20), large);  // grown in place: two regions
  ASSERT_GT(Pages.Regions, 0u);

  Allocator.Finalize();
  EXPECT_EQ(Pages.Regions, 0u);
  EXPECT_EQ(Allocator.AllocBlock(40), nullptr);
  EXPECT_EQ(Allocator.AllocBlock(20000), nullptr);
  EXPECT_EQ(Allocator.ResizeBlock(small, 80), nullptr);
  EXPECT_EQ(Allocator.ReleaseBlock(small), -1);
  EXPECT_EQ(Allocator.ReleaseBlock(medium), -1);
  EXPECT_EQ(Allocator.ReleaseBlock(large), -1);
  Allocator.Finalize();  // a second time does nothing
  EXPECT_EQ(Pages.Regions, 0u);
}
