#pragma once
// The allocator's only source of memory: address space reserved and committed in regions.
// Tests put a provider in between that can refuse any call.
#include <cstddef>

namespace mm {

struct PageRegion {
  void* Base = nullptr;  // start of the run of pages with one state that holds the address
  size_t Bytes = 0;      // bytes from Base to the end of that run
  bool Free = false;     // neither reserved nor committed
};

class PageProvider {
 public:
  virtual ~PageProvider() = default;
  // Reserves a new region at Address (anywhere when null), from the top of the address space
  // when TopDown. Answers the region's start or null.
  virtual void* Reserve(void* address, size_t bytes, bool topDown) = 0;
  // Commits read-write pages inside a reserved region.
  virtual bool Commit(void* address, size_t bytes) = 0;
  // Gives back a whole region that Reserve answered.
  virtual bool Release(void* base) = 0;
  virtual PageRegion Query(const void* address) = 0;

  // A fresh committed region, or null.
  void* Allocate(size_t bytes, bool topDown);
};

// The process's virtual memory.
class Win32PageProvider final : public PageProvider {
 public:
  void* Reserve(void* address, size_t bytes, bool topDown) override;
  bool Commit(void* address, size_t bytes) override;
  bool Release(void* base) override;
  PageRegion Query(const void* address) override;
};

}  // namespace mm
