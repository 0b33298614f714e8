#include "framework/Streams.h"

#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(MemoryStream, WriteSeekReadAndGrow) {
  TMemoryStream s;
  s.WriteBuffer("hello", 5);
  EXPECT_EQ(s.Size(), 5);
  EXPECT_EQ(s.Position(), 5);
  EXPECT_EQ(s.Seek(-2, soFromEnd), 3);
  char two[2];
  s.ReadBuffer(two, 2);
  EXPECT_EQ(std::string(two, 2), "lo");
  EXPECT_EQ(s.Read(two, 2), 0);                    // at the end
  EXPECT_THROW(s.ReadBuffer(two, 1), EReadError);  // short reads raise
  s.SetPosition(7);                                // past the end: the gap is filled on write
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 8);
  EXPECT_EQ(std::memcmp(s.Memory(), "hello\0\0!", 8), 0);
  s.SetSize(2);
  EXPECT_EQ(s.Position(), 2);
  EXPECT_EQ(s.Seek(-10, soFromCurrent), 0);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
}

TEST(MemoryStream, CopyFromAndLoadFromStream) {
  TMemoryStream source;
  std::string big(200000, 'x');
  big[199999] = 'y';
  source.WriteBuffer(big.data(), int64_t(big.size()));
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 0), int64_t(big.size()));  // 0: all of it, from the start
  EXPECT_EQ(std::string(static_cast<const char*>(target.Memory()), size_t(target.Size())), big);
  source.SetPosition(199990);
  TMemoryStream part;
  part.CopyFrom(source, 10);
  EXPECT_EQ(std::string(static_cast<const char*>(part.Memory()), 10), "xxxxxxxxxy");
  EXPECT_THROW(part.CopyFrom(source, 1), EReadError);
  TMemoryStream loaded;
  loaded.LoadFromStream(part);
  EXPECT_EQ(loaded.Size(), 10);
  EXPECT_EQ(loaded.Position(), 0);
}

TEST(FileStream, ModesAndErrors) {
  ScratchFolder folder;
  const String path = folder.File(L"bytes.bin");
  EXPECT_THROW(TFileStream(path, fmOpenRead), EFOpenError);
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("abcdef", 6);
    f.SetSize(4);
    EXPECT_EQ(f.Size(), 4);
  }
  EXPECT_EQ(ScratchFolder::ReadBytes(path), "abcd");
  {
    TFileStream reader(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_THROW(TFileStream(path, fmOpenWrite | fmShareDenyNone), EFOpenError);
    TFileStream second(path, fmOpenRead | fmShareDenyWrite);  // readers share
    char buffer[8];
    EXPECT_EQ(reader.Read(buffer, 8), 4);
    EXPECT_THROW(reader.WriteBuffer("x", 1), EWriteError);
  }
  {
    TFileStream exclusive(path, fmOpenReadWrite | fmShareExclusive);
    EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyNone), EFOpenError);
    exclusive.Seek(0, soFromEnd);
    exclusive.WriteBuffer("ef", 2);
  }
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(std::string(static_cast<const char*>(m.Memory()), size_t(m.Size())), "abcdef");
  m.SaveToFile(folder.File(L"copy.bin"));
  EXPECT_EQ(ScratchFolder::ReadBytes(folder.File(L"copy.bin")), "abcdef");
  try {
    TFileStream(folder.File(L"no\\such.bin"), fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find(L"such.bin"), String::npos);
  }
}

TEST(ResourceStream, MissingResourceRaises) {
  EXPECT_THROW(TResourceStream(GetModuleHandleW(nullptr), L"NO_SUCH_RESOURCE", MAKEINTRESOURCEW(10)), EResNotFound);
}

TEST(ResourceStream, ReadsAResourceOfAModule) {
  // kernel32 carries version information, resource type RT_VERSION, id 1.
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  ASSERT_NE(kernel32, nullptr);
  TResourceStream s(kernel32, L"#1", MAKEINTRESOURCEW(16));
  ASSERT_GT(s.Size(), 6);
  uint16_t length;
  s.ReadBuffer(&length, 2);
  EXPECT_EQ(length, s.Size());  // a version block starts with its own length
  EXPECT_THROW(s.WriteBuffer("x", 1), EStreamError);
}

}  // namespace
