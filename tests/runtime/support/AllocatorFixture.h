#pragma once
// An allocator of the test's own over a provider the test controls; its heap is walked after
// every test.
#include <gtest/gtest.h>

#include "TestPageProvider.h"
#include "runtime/BlockAllocator.h"
#include "runtime/HeapWalker.h"

class AllocatorTest : public testing::Test {
 protected:
  void TearDown() override {
    if (!Allocator.Finalized()) ExpectHeapSound();
  }

  mm::HeapCheck ExpectHeapSound() {
    mm::HeapCheck check = mm::HeapWalker(Allocator).Check();
    EXPECT_TRUE(check.Ok) << check.Problem;
    return check;
  }

  bool InUse(const void* p) { return mm::HeapWalker(Allocator).IsBlockInUse(p); }

  TestPageProvider Pages;
  mm::BlockAllocator Allocator{Pages};
};
