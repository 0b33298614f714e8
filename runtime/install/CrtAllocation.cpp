// The C run-time's allocation functions, linked ahead of the run-time DLL's import library so that
// every caller in the program (our code, libstdc++, zlib, libjpeg, winpthreads, the MinGW start-up
// code) gets them. The DLL's own allocations stay in its own heap; the DLL functions that hand
// heap memory to the caller are replaced here too, so no block ever crosses between the heaps.
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <cwchar>

#include "runtime/BlockAllocator.h"
#include "runtime/install/InstalledAllocator.h"

namespace {

void* Allocate(size_t size) {
  void* p = mm::InstalledAllocator().AllocBlock(size);
  if (!p) errno = ENOMEM;
  return p;
}

template <typename Char>
Char* Duplicate(const Char* text, size_t length) {
  auto* copy = static_cast<Char*>(Allocate((length + 1) * sizeof(Char)));
  if (copy) std::memcpy(copy, text, (length + 1) * sizeof(Char));
  return copy;
}

}  // namespace

extern "C" {

void* malloc(size_t size) { return Allocate(size); }

void free(void* p) {
  if (p && mm::InstalledAllocator().ReleaseBlock(p) != 0) mm::StopOnInvalidRelease(p);
}

void* calloc(size_t count, size_t size) {
  if (size && count > mm::kMaxRequest / size) {
    errno = ENOMEM;
    return nullptr;
  }
  void* p = Allocate(count * size);
  if (p) std::memset(p, 0, count * size);
  return p;
}

void* realloc(void* p, size_t size) {
  if (!p) return Allocate(size);
  if (size == 0) {  // as the run-time DLL does: free and answer null
    free(p);
    return nullptr;
  }
  void* resized = mm::InstalledAllocator().ResizeBlock(p, size);
  if (!resized) errno = ENOMEM;
  return resized;
}

// The headers declare these as DLL imports; callers that went through the import slot find ours
// there too, so the DLL's versions are never linked.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
char* strdup(const char* text) { return Duplicate(text, std::strlen(text)); }
char* _strdup(const char* text) { return Duplicate(text, std::strlen(text)); }
wchar_t* wcsdup(const wchar_t* text) { return Duplicate(text, std::wcslen(text)); }
wchar_t* _wcsdup(const wchar_t* text) { return Duplicate(text, std::wcslen(text)); }
#pragma GCC diagnostic pop
char* (*__imp_strdup)(const char*) = strdup;
char* (*__imp__strdup)(const char*) = _strdup;
wchar_t* (*__imp_wcsdup)(const wchar_t*) = wcsdup;
wchar_t* (*__imp__wcsdup)(const wchar_t*) = _wcsdup;

}  // extern "C"
