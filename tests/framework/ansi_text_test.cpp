#include "framework/AnsiText.h"

#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<String>;

struct SplitCase {
  const char* bytes;
  Lines lines;
};

TEST(AnsiTextLoad, LineBreaksAndTrailingBreaks) {
  const SplitCase cases[] = {
      {"", {}},
      {"a", {L"a"}},
      {"a\r\n", {L"a"}},           // one final break: no extra line
      {"a\r\n\r\n", {L"a", L""}},  // two: one trailing empty line
      {"a\r\n\r\n\r\n", {L"a", L"", L""}},
      {"\r\n", {L""}},
      {"a\nb\n", {L"a", L"b"}},       // lone LF
      {"a\rb\r", {L"a", L"b"}},       // lone CR
      {"a\n\rb", {L"a", L"", L"b"}},  // LF CR is two breaks
      {"a\r\r\nb", {L"a", L"", L"b"}},
      {" x = 1 \r\n", {L" x = 1 "}},  // blanks are text
  };
  ScratchFolder folder;
  const String path = folder.File(L"lines.txt");
  for (const auto& c : cases) {
    ScratchFolder::WriteBytes(path, c.bytes);
    EXPECT_EQ(LoadAnsiLines(path), c.lines) << "bytes: " << testing::PrintToString(std::string(c.bytes));
  }
}

TEST(AnsiTextLoad, EightBitTextIsTheAnsiCodePage) {
  ScratchFolder folder;
  const String path = folder.File(L"ansi.txt");
  const String text = L"\u00e9\u00a7\u00b2\u00fc";
  ScratchFolder::WriteBytes(path, StringToAnsi(text) + "\r\n");
  EXPECT_EQ(LoadAnsiLines(path), Lines{text});
}

TEST(AnsiTextLoad, MissingFileRaisesWithItsName) {
  ScratchFolder folder;
  const String path = folder.File(L"missing.txt");
  try {
    LoadAnsiLines(path);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find(path), String::npos);
  }
}

TEST(AnsiTextLoad, ReadsAFileAnotherProgramHoldsForWriting) {
  ScratchFolder folder;
  const String path = folder.File(L"held.txt");
  ScratchFolder::WriteBytes(path, "1\r\n");
  TOwnedHandle other(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(other);
  EXPECT_EQ(LoadAnsiLines(path), Lines{L"1"});
}

// Counts the files left in a folder, so a stray temporary file shows.
int FileCount(const ScratchFolder& folder) {
  int n = 0;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder.Path() + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return n;
}

class AnsiTextSave : public testing::Test {
 protected:
  void TearDown() override { SafeSaveWriteHook = nullptr; }
  ScratchFolder folder;
  String path = folder.File(L"data.txt");
};

TEST_F(AnsiTextSave, EveryLineEndsWithCrLfAndLoadsBack) {
  const Lines lines{L"[data]", L"comport=3", L"", L"pass=\u00e9t\u00e9"};
  SaveAnsiLines(path, lines);
  EXPECT_EQ(ScratchFolder::ReadBytes(path),
            "[data]\r\ncomport=3\r\n\r\npass=" + StringToAnsi(L"\u00e9t\u00e9") + "\r\n");
  EXPECT_EQ(LoadAnsiLines(path), lines);
  SaveAnsiLines(path, {});
  EXPECT_EQ(ScratchFolder::ReadBytes(path), "");
  EXPECT_EQ(FileCount(folder), 1);
}

TEST_F(AnsiTextSave, ReplacesALongerFileCompletely) {
  ScratchFolder::WriteBytes(path, std::string(100000, 'x'));
  SaveAnsiLines(path, {L"short"});
  EXPECT_EQ(ScratchFolder::ReadBytes(path), "short\r\n");
}

TEST_F(AnsiTextSave, FailureMidWriteKeepsTheOldContent) {
  ScratchFolder::WriteBytes(path, "old\r\n");
  SafeSaveWriteHook = [](size_t offset) { return offset == 0; };  // the second block fails
  const std::string big(200000, 'n');
  try {
    SaveFileBytesSafely(path, big);
    FAIL() << "no exception";
  } catch (const EWriteError& e) {
    EXPECT_NE(e.Message().find(path), String::npos);
  }
  EXPECT_EQ(ScratchFolder::ReadBytes(path), "old\r\n");
  EXPECT_EQ(FileCount(folder), 1) << "the temporary file was left behind";
}

TEST_F(AnsiTextSave, FailureOnANewFileLeavesNothing) {
  SafeSaveWriteHook = [](size_t) { return false; };
  EXPECT_THROW(SaveAnsiLines(path, {L"x"}), EWriteError);
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(FileCount(folder), 0);
}

TEST_F(AnsiTextSave, WritesInPlaceWhileAnotherProgramHoldsTheFile) {
  ScratchFolder::WriteBytes(path, "old content that is longer\r\n");
  // Shares reading and writing but not deletion, so the file cannot be replaced.
  TOwnedHandle other(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(other);
  SaveAnsiLines(path, {L"new"});
  EXPECT_EQ(ScratchFolder::ReadBytes(path), "new\r\n");
  // The other program's handle still reads the same file, now with the new text.
  char buffer[64] = {};
  DWORD got = 0;
  SetFilePointer(other.get(), 0, nullptr, FILE_BEGIN);
  ASSERT_TRUE(ReadFile(other.get(), buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(std::string(buffer, got), "new\r\n");
  EXPECT_EQ(FileCount(folder), 1);
}

TEST_F(AnsiTextSave, ExclusivelyHeldFileFailsAndKeepsItsContent) {
  ScratchFolder::WriteBytes(path, "old\r\n");
  TOwnedHandle other(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(other);
  EXPECT_THROW(SaveAnsiLines(path, {L"new"}), EFCreateError);
  other.Reset();
  EXPECT_EQ(ScratchFolder::ReadBytes(path), "old\r\n");
  EXPECT_EQ(FileCount(folder), 1);
}

TEST_F(AnsiTextSave, ReadOnlyTargetFailsAndKeepsItsContent) {
  ScratchFolder::WriteBytes(path, "old\r\n");
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  try {
    SaveAnsiLines(path, {L"new"});
    FAIL() << "no exception";
  } catch (const EStreamError& e) {
    EXPECT_NE(e.Message().find(path), String::npos);
  }
  EXPECT_EQ(ScratchFolder::ReadBytes(path), "old\r\n");
  EXPECT_EQ(FileCount(folder), 1);
}

TEST_F(AnsiTextSave, MissingFolderRaisesCreateError) {
  const String inMissing = folder.File(L"no\\such\\data.txt");
  EXPECT_THROW(SaveAnsiLines(inMissing, {L"x"}), EFCreateError);
}

}  // namespace
