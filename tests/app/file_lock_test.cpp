// The lock test and the wait that every reader and writer of the program's
// files runs first, against a file held by another process.
#include "app/Waits.h"
#include "framework/Application.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

String HelperPath() { return TChildProcess::HelperPath(L"hold_file.exe"); }

TEST(FileLock, AbsentFileIsFreeAndAReadOnlyFileCountsAsLocked) {
  ScratchFolder folder;
  EXPECT_FALSE(IsFileLocked(folder.File(L"missing.txt")));
  const String file = folder.File(L"plain.txt");
  ScratchFolder::WriteBytes(file, "x");
  EXPECT_FALSE(IsFileLocked(file));
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(IsFileLocked(file));
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileLock, WaitEndsWhenTheOtherProgramLetsGo) {
  InitApplication();
  ScratchFolder folder;
  const String file = folder.File(L"credits.txt");
  ScratchFolder::WriteBytes(file, "1,2\r\n");
  TChildProcess holder(L"\"" + HelperPath() + L"\" \"" + file + L"\" 1200");
  ASSERT_TRUE(WaitUntil([&] { return IsFileLocked(file); }));

  const ULONGLONG start = GetTickCount64();
  WaitWhileFileLocked(file);
  const ULONGLONG took = GetTickCount64() - start;

  EXPECT_FALSE(IsFileLocked(file));
  EXPECT_GE(took, 200u);
  EXPECT_LT(took, 4000u);
}

TEST(FileLock, GivesUpAfterFiveSeconds) {
  InitApplication();
  ScratchFolder folder;
  const String file = folder.File(L"stuck.txt");
  ScratchFolder::WriteBytes(file, "x");
  TChildProcess holder(L"\"" + HelperPath() + L"\" \"" + file + L"\" 60000");
  ASSERT_TRUE(WaitUntil([&] { return IsFileLocked(file); }, 5000));
  const ULONGLONG start = GetTickCount64();
  WaitWhileFileLocked(file);
  const ULONGLONG took = GetTickCount64() - start;
  EXPECT_TRUE(IsFileLocked(file));
  EXPECT_GE(took, 4800u);
  EXPECT_LT(took, 7000u);
}

TEST(FileLock, AReadOnlyFileIsNotWaitedFor) {
  // Nobody lets go of a read-only file: the wait would only cost 5 s a time.
  InitApplication();
  ScratchFolder folder;
  const String file = folder.File(L"data.txt");
  ScratchFolder::WriteBytes(file, "x");
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  const ULONGLONG start = GetTickCount64();
  WaitWhileFileLocked(file);
  const ULONGLONG took = GetTickCount64() - start;
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_LT(took, 2500u);  // 25 waits of 200 ms before: never less than 5 s
}

TEST(PumpedDelay, DispatchesMessagesWhileItWaits) {
  InitApplication();
  int handled = 0;
  const TMessageHookId hook = Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg != WM_USER + 42) return false;
    ++handled;
    return true;
  });
  PostMessageW(Application->Handle(), WM_USER + 42, 0, 0);
  const ULONGLONG start = GetTickCount64();
  PumpedDelay(150);
  const ULONGLONG took = GetTickCount64() - start;
  Application->UnhookMainWindow(hook);
  EXPECT_EQ(handled, 1);
  EXPECT_GE(took, 140u);
  EXPECT_LT(took, 1000u);
}

}  // namespace
