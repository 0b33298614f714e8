// The program's own allocations: malloc and its family, strdup, every operator new, and what
// libstdc++ allocates inside, all come from the installed allocator.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/BlockAllocator.h"
#include "runtime/HeapWalker.h"
#include "runtime/install/InstalledAllocator.h"

namespace {

bool Ours(const void* p) { return mm::HeapWalker(mm::InstalledAllocator()).IsBlockInUse(p); }

struct alignas(64) CacheLine {
  char Bytes[64];
};

}  // namespace

TEST(InstalledAllocator, ServesMallocAndItsFamily) {
  void* m = std::malloc(10);
  void* c = std::calloc(100, 100);
  void* r = std::realloc(nullptr, 3000);
  char* s = strdup("pulse");
  char* s2 = _strdup("credits");
  wchar_t* w = _wcsdup(L"KELVRA");
  for (void* p : {m, c, r, static_cast<void*>(s), static_cast<void*>(s2), static_cast<void*>(w)}) EXPECT_TRUE(Ours(p));
  EXPECT_EQ(static_cast<unsigned char*>(c)[9999], 0);
  r = std::realloc(r, 1 << 20);
  EXPECT_TRUE(Ours(r));
  for (void* p : {m, c, r, static_cast<void*>(s), static_cast<void*>(s2), static_cast<void*>(w)}) std::free(p);
  EXPECT_FALSE(Ours(r));
  EXPECT_EQ(std::realloc(std::malloc(5), 0), nullptr);
}

TEST(InstalledAllocator, ServesEveryOperatorNew) {
  auto* one = new int(5);
  auto* many = new int[1000];
  auto* nothrow = new (std::nothrow) double(1.0);
  auto* aligned = new CacheLine;
  auto* alignedMany = new CacheLine[3];
  EXPECT_TRUE(Ours(one));
  EXPECT_TRUE(Ours(many));
  EXPECT_TRUE(Ours(nothrow));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(aligned) % 64, 0u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(alignedMany) % 64, 0u);
  delete one;
  delete[] many;
  delete nothrow;
  delete aligned;
  delete[] alignedMany;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Walloc-size-larger-than="
  EXPECT_THROW((void)::operator new(mm::kMaxRequest + 1), std::bad_alloc);
#pragma GCC diagnostic pop
}

TEST(InstalledAllocator, ServesTheStandardLibrary) {
  std::string text(1000, 'x');
  EXPECT_TRUE(Ours(text.data()));
  std::ostringstream out;
  out << text << 12345;
  std::string made = out.str();
  EXPECT_TRUE(Ours(made.data()));
  auto shared = std::make_shared<std::vector<int>>(5000);
  EXPECT_TRUE(Ours(shared->data()));
  mm::HeapCheck check = mm::HeapWalker(mm::InstalledAllocator()).Check();
  EXPECT_TRUE(check.Ok) << check.Problem;
}

TEST(InstalledAllocator, StartingAgainChangesNothing) {
  void* p = std::malloc(64);
  mm::BlockAllocator* before = &mm::InstalledAllocator();
  mm::InstallMemoryManager();
  mm::InstallMemoryManager();
  EXPECT_EQ(&mm::InstalledAllocator(), before);
  EXPECT_TRUE(Ours(p));
  std::free(p);
}

// No function of the run-time DLL that hands its own heap's memory to the caller, or takes
// ours, may be linked: such a block would cross between the two heaps.
TEST(InstalledAllocator, NoHeapFunctionOfTheRuntimeDllIsLinked) {
  const char* crossing[] = {"malloc",    "free",     "calloc",    "realloc",   "strdup",
                            "_strdup",   "wcsdup",   "_wcsdup",   "_msize",    "_expand",
                            "_recalloc", "_tempnam", "_wtempnam", "_fullpath", "_wfullpath"};
  auto* module = reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(module + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(module + dir.VirtualAddress);
  int checked = 0;
  for (; import->Name; ++import) {
    if (_stricmp(reinterpret_cast<const char*>(module + import->Name), "msvcrt.dll") != 0) continue;
    auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA*>(module + import->OriginalFirstThunk);
    for (; thunk->u1.AddressOfData; ++thunk, ++checked) {
      if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal)) continue;
      auto* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(module + thunk->u1.AddressOfData)->Name;
      for (const char* forbidden : crossing) EXPECT_STRNE(reinterpret_cast<const char*>(name), forbidden);
    }
  }
  EXPECT_GT(checked, 0);  // the run-time DLL's imports were found at all
}

TEST(InstalledAllocatorDeathTest, DoubleFreeStopsTheProgramWithAMessage) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(
      {
        // Volatile, so that the compiler cannot drop the pair of calls.
        void* volatile p = std::malloc(48);
        void* volatile keep = std::malloc(48);
        std::free(p);
        std::free(p);
        std::free(keep);
      },
      testing::ExitedWithCode(3), "not a block in use");
}
