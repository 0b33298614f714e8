// The hot key library's application object: whether a previous copy of the
// program was running when it started, told by its named mutex.
#include "hotkey/HkApplication.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// What was there under the object's mutex name before the object was made.
struct Before {
  const char* Name;
  std::function<TOwnedHandle()> Make;
  bool PrevRunning;
};

TOwnedHandle OpenMutex() { return TOwnedHandle(CreateMutexW(nullptr, FALSE, THkApplication::MutexName().c_str())); }

class PreviousInstance : public ::testing::TestWithParam<Before> {};

}  // namespace

TEST_P(PreviousInstance, FoundOnlyWhileAnotherHolderHasTheMutexOpen) {
  TOwnedHandle earlier = GetParam().Make();
  THkApplication app;
  EXPECT_EQ(app.IsPrevRunning(), GetParam().PrevRunning);
}

INSTANTIATE_TEST_SUITE_P(
    MutexName, PreviousInstance,
    ::testing::Values(
        Before{"Nothing", [] { return TOwnedHandle(); }, false}, Before{"MutexOpen", [] { return OpenMutex(); }, true},
        Before{"MutexClosedAgain",
               [] {
                 OpenMutex();
                 return TOwnedHandle();
               },
               false},
        // Mutex names are case-sensitive; the upper-cased file name is what
        // makes "kelvra.exe" and "Kelvra.EXE" meet.
        Before{
            "LowerCaseName",
            [] { return TOwnedHandle(CreateMutexW(nullptr, FALSE, LowerCase(THkApplication::MutexName()).c_str())); },
            false},
        // Another kind of object under the name is no running copy.
        Before{"EventOfThatName",
               [] { return TOwnedHandle(CreateEventW(nullptr, TRUE, FALSE, THkApplication::MutexName().c_str())); },
               false}),
    [](const ::testing::TestParamInfo<Before>& info) { return info.param.Name; });

TEST(PreviousInstance, ASecondObjectFindsTheFirstUntilItIsFreed) {
  auto first = std::make_unique<THkApplication>();
  EXPECT_FALSE(first->IsPrevRunning());
  {
    THkApplication second;
    EXPECT_TRUE(second.IsPrevRunning());
  }
  first.reset();
  THkApplication third;
  EXPECT_FALSE(third.IsPrevRunning());
}
