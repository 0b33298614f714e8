// Memory DCs: each owner makes its own and frees it once; none is taken from
// the caller, where a DC made for the call would leak.
#include "framework/GdiHandles.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <cstddef>
#include <utility>

namespace {

TEST(MemoryDC, TakesNoDCMadeElsewhere) {
  EXPECT_FALSE((std::is_constructible_v<TMemoryDC, HDC>));
  EXPECT_FALSE((std::is_convertible_v<HDC, TMemoryDC>));
  EXPECT_FALSE((std::is_constructible_v<TMemoryDC, std::nullptr_t>));
}

TEST(MemoryDC, MakesItsOwnAndFreesItOnce) {
  const TWindowDC screen(nullptr);
  HDC forScreen = nullptr, like = nullptr;
  {
    TMemoryDC first = TMemoryDC::ForScreen();
    const TMemoryDC second = TMemoryDC::CompatibleWith(screen.get());
    EXPECT_EQ(GetObjectType(first.get()), DWORD(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(second.get()), DWORD(OBJ_MEMDC));
    const TMemoryDC moved = std::move(first);
    EXPECT_FALSE(first);
    forScreen = moved.get();
    like = second.get();
  }
  EXPECT_EQ(GetObjectType(forScreen), 0u);
  EXPECT_EQ(GetObjectType(like), 0u);
}

}  // namespace
