// Every form of operator new and delete, so that libstdc++'s own versions (which would call
// the run-time DLL's aligned allocator) are never linked.
#include <cstddef>
#include <cstdint>
#include <new>

#include "runtime/BlockAllocator.h"
#include "runtime/install/InstalledAllocator.h"

namespace {

void* AllocateOrNull(std::size_t size) { return mm::InstalledAllocator().AllocBlock(size); }

void* Allocate(std::size_t size) {
  for (;;) {
    if (void* p = AllocateOrNull(size)) return p;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void Release(void* p) {
  if (p && mm::InstalledAllocator().ReleaseBlock(p) != 0) mm::StopOnInvalidRelease(p);
}

// Alignments above the allocator's: allocate with room to spare and keep the block's address in
// the word before the aligned pointer.
void* AllocateAlignedOrNull(std::size_t size, std::align_val_t alignment) {
  auto align = static_cast<std::size_t>(alignment);
  if (align <= mm::kAlignment) return AllocateOrNull(size);
  if (size > mm::kMaxRequest - align) return nullptr;
  void* block = AllocateOrNull(size + align);
  if (!block) return nullptr;
  auto aligned = (reinterpret_cast<std::uintptr_t>(block) + align) & ~(align - 1);
  reinterpret_cast<void**>(aligned)[-1] = block;
  return reinterpret_cast<void*>(aligned);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  for (;;) {
    if (void* p = AllocateAlignedOrNull(size, alignment)) return p;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void ReleaseAligned(void* p, std::align_val_t alignment) {
  if (p && static_cast<std::size_t>(alignment) > mm::kAlignment) p = static_cast<void**>(p)[-1];
  Release(p);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new(std::size_t size, std::align_val_t a) { return AllocateAligned(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return AllocateAligned(size, a); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return AllocateAlignedOrNull(size, a);
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return AllocateAlignedOrNull(size, a);
}

void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t a) noexcept { ReleaseAligned(p, a); }
void operator delete[](void* p, std::align_val_t a) noexcept { ReleaseAligned(p, a); }
void operator delete(void* p, std::size_t, std::align_val_t a) noexcept { ReleaseAligned(p, a); }
void operator delete[](void* p, std::size_t, std::align_val_t a) noexcept { ReleaseAligned(p, a); }
void operator delete(void* p, std::align_val_t a, const std::nothrow_t&) noexcept { ReleaseAligned(p, a); }
void operator delete[](void* p, std::align_val_t a, const std::nothrow_t&) noexcept { ReleaseAligned(p, a); }
