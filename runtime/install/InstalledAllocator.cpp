#include "runtime/install/InstalledAllocator.h"

#include <new>

#include <windows.h>

#include "runtime/BlockAllocator.h"
#include "runtime/PageProvider.h"

namespace mm {

namespace detail {

std::atomic<BlockAllocator*> gInstalledAllocator{nullptr};

namespace {

// Raw storage: the installed allocator is made on first use and never destroyed.
alignas(Win32PageProvider) unsigned char gPagesStorage[sizeof(Win32PageProvider)];
alignas(BlockAllocator) unsigned char gAllocatorStorage[sizeof(BlockAllocator)];
std::atomic<int> gSetUpState{0};  // 0 not set up, 1 being set up, 2 done

}  // namespace

BlockAllocator& SetUpInstalledAllocator() {
  int expected = 0;
  if (gSetUpState.compare_exchange_strong(expected, 1, std::memory_order_acq_rel)) {
    auto* pages = new (gPagesStorage) Win32PageProvider();
    auto* allocator = new (gAllocatorStorage) BlockAllocator(*pages);
    gInstalledAllocator.store(allocator, std::memory_order_release);
    gSetUpState.store(2, std::memory_order_release);
    return *allocator;
  }
  // Another thread is placing the allocator, a matter of microseconds; yield to it until it is done.
  while (gSetUpState.load(std::memory_order_acquire) != 2) Sleep(0);
  return *gInstalledAllocator.load(std::memory_order_acquire);
}

}  // namespace detail

void InstallMemoryManager() { InstalledAllocator(); }

void StopOnInvalidRelease(const void* p) {
  char text[] =
      "Memory manager: the program released memory at 0x0000000000000000 that is not a block in use "
      "(released twice, or never allocated here). The program stops.\r\n";
  char* digits = text + sizeof "Memory manager: the program released memory at 0x" - 1;
  uintptr_t value = reinterpret_cast<uintptr_t>(p);
  for (int i = 15; i >= 0; --i, value >>= 4) digits[i] = "0123456789ABCDEF"[value & 15];

  OutputDebugStringA(text);
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error && error != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(error, text, sizeof text - 1, &written, nullptr);
  }
  TerminateProcess(GetCurrentProcess(), 3);
  // The process is ending; this thread must not return into the caller meanwhile.
  for (;;) Sleep(INFINITE);
}

}  // namespace mm
