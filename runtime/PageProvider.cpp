#include "runtime/PageProvider.h"

#include <windows.h>

namespace mm {

void* PageProvider::Allocate(size_t bytes, bool topDown) {
  void* base = Reserve(nullptr, bytes, topDown);
  if (base && !Commit(base, bytes)) {
    Release(base);
    base = nullptr;
  }
  return base;
}

void* Win32PageProvider::Reserve(void* address, size_t bytes, bool topDown) {
  return VirtualAlloc(address, bytes, MEM_RESERVE | (topDown ? MEM_TOP_DOWN : 0), PAGE_READWRITE);
}

bool Win32PageProvider::Commit(void* address, size_t bytes) {
  return VirtualAlloc(address, bytes, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

bool Win32PageProvider::Release(void* base) { return VirtualFree(base, 0, MEM_RELEASE) != FALSE; }

PageRegion Win32PageProvider::Query(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  if (VirtualQuery(address, &info, sizeof info) != sizeof info) return {};
  return {info.BaseAddress, info.RegionSize, info.State == MEM_FREE};
}

}  // namespace mm
