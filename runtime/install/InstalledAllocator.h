#pragma once
// The allocator that serves the whole program: malloc, calloc, realloc, free, strdup and every
// operator new and delete come to it. It is set up by the first allocation, before any static
// constructor runs, and never gives its memory back: static destructors and late threads may
// still free blocks at exit.
#include <atomic>

namespace mm {

class BlockAllocator;

namespace detail {
extern std::atomic<BlockAllocator*> gInstalledAllocator;
BlockAllocator& SetUpInstalledAllocator();
}  // namespace detail

inline BlockAllocator& InstalledAllocator() {
  BlockAllocator* allocator = detail::gInstalledAllocator.load(std::memory_order_acquire);
  return allocator ? *allocator : detail::SetUpInstalledAllocator();
}

// Sets the allocator up when no allocation has done it yet; nothing the second time.
void InstallMemoryManager();

// A release that the allocator refused: the block was freed before, or never came from it.
// Says so on the error output and the debugger's, then ends the process.
[[noreturn]] void StopOnInvalidRelease(const void* p);

}  // namespace mm
