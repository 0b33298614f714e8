// The run-time library's file search with its attribute filter.
#include <gtest/gtest.h>

#include <set>

#include "framework/FileSearch.h"
#include "tests/support/scratch_folder.h"

namespace {

class FileSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    ScratchFolder::WriteBytes(Folder.File(L"night.asz"), "12345");
    ScratchFolder::WriteBytes(Folder.File(L"day.asz"), "");
    ScratchFolder::WriteBytes(Folder.File(L"notes.txt"), "x");
    CreateDirectoryW(Folder.File(L"old.asz").c_str(), nullptr);
    ScratchFolder::WriteBytes(Folder.File(L"secret.asz"), "");
    SetFileAttributesW(Folder.File(L"secret.asz").c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
  void TearDown() override { SetFileAttributesW(Folder.File(L"secret.asz").c_str(), FILE_ATTRIBUTE_NORMAL); }

  std::set<String> Found(int Attr) {
    std::set<String> Names;
    TSearchRec F;
    for (int r = FindFirst(Folder.File(L"*.asz"), Attr, F); r == 0; r = FindNext(F)) Names.insert(F.Name);
    FindClose(F);
    return Names;
  }
  bool HiddenKept() { return GetFileAttributesW(Folder.File(L"secret.asz").c_str()) & FILE_ATTRIBUTE_HIDDEN; }

  ScratchFolder Folder;
};

TEST_F(FileSearch, SpecialEntriesOnlyWhenAskedFor) {
  EXPECT_EQ(Found(0).count(L"night.asz"), 1u);
  EXPECT_EQ(Found(0).count(L"day.asz"), 1u);
  EXPECT_EQ(Found(0).count(L"old.asz"), 0u);
  EXPECT_EQ(Found(faDirectory).count(L"old.asz"), 1u);
  EXPECT_EQ(Found(faAnyFile).count(L"old.asz"), 1u);
  EXPECT_EQ(Found(0).count(L"notes.txt"), 0u);
  if (HiddenKept()) {
    EXPECT_EQ(Found(0).count(L"secret.asz"), 0u);
    EXPECT_EQ(Found(faHidden).count(L"secret.asz"), 1u);
  }
}

TEST_F(FileSearch, TheRecordDescribesTheEntry) {
  TSearchRec F;
  ASSERT_EQ(FindFirst(Folder.File(L"night.*"), 0, F), 0);
  EXPECT_EQ(F.Name, L"night.asz");
  EXPECT_EQ(F.Size, 5);
  EXPECT_FALSE(F.Attr & faDirectory);
  EXPECT_EQ(FindNext(F), ERROR_NO_MORE_FILES);
  FindClose(F);
  EXPECT_EQ(F.FindHandle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindNext(F), ERROR_NO_MORE_FILES);  // after closing, too
}

TEST_F(FileSearch, NothingFoundIsAnErrorCode) {
  TSearchRec F;
  EXPECT_EQ(FindFirst(Folder.File(L"*.none"), faAnyFile, F), ERROR_FILE_NOT_FOUND);
  EXPECT_NE(FindFirst(Folder.File(L"missing\\*.asz"), faAnyFile, F), 0);
  // Only filtered entries match: no handle is left open.
  EXPECT_EQ(FindFirst(Folder.File(L"old.*"), 0, F), ERROR_NO_MORE_FILES);
  EXPECT_EQ(F.FindHandle, INVALID_HANDLE_VALUE);
}

}  // namespace
