// The packed skin reader over packages made here, good and damaged.
#include "skin/manager/PackedSkin.h"
#include "tests/skin/manager/support/packages.h"

#include <gtest/gtest.h>

namespace {

TEST(PackedSkin, ReadsEntriesBackToBackAndSortsThemByKind) {
  const std::string options = "[GLOBALINFO]\r\nVERSION=16.00\r\n";
  const std::string png(3000, 'p'), font(700, 'f');
  const std::string package = Package(
      {{"NIGHT.PNG", png}, {"options.DAT", options}, {"Mono.ttf", font}, {"plain.bmp", "B"}}, "trailing");
  TacSkinConvertor reader;
  ASSERT_EQ(ReadPackedSkin(package.data(), package.size(), reader), TacPackedError::None);
  ASSERT_TRUE(reader.Options);
  EXPECT_EQ(*reader.Options, options);
  ASSERT_EQ(reader.Files.size(), 3u);
  EXPECT_EQ(reader.Files[0].Name, L"NIGHT.PNG");
  EXPECT_EQ(reader.Files[0].Kind, 2);
  EXPECT_EQ(reader.Files[0].Data, png);
  EXPECT_EQ(reader.Files[1].Kind, 1);
  EXPECT_EQ(reader.Files[1].Data, font);
  EXPECT_EQ(reader.Files[2].Kind, 0);
  EXPECT_EQ(reader.EntryCount, 4);
}

TEST(PackedSkin, EmptyPackageReadsWithNothingInIt) {
  const std::string package = Package({});
  TacSkinConvertor reader;
  EXPECT_EQ(ReadPackedSkin(package.data(), package.size(), reader), TacPackedError::None);
  EXPECT_FALSE(reader.Options);
  EXPECT_TRUE(reader.Files.empty());
}

TEST(PackedSkin, LaterOptionsEntryReplacesTheEarlierOne) {
  const std::string package = Package({{"Options.dat", "first"}, {"OPTIONS.DAT", "second"}});
  TacSkinConvertor reader;
  ASSERT_EQ(ReadPackedSkin(package.data(), package.size(), reader), TacPackedError::None);
  EXPECT_EQ(*reader.Options, "second");
}

TEST(PackedSkin, EveryCutOfAGoodPackageIsRefusedCleanly) {
  const std::string package = Package({{"Options.dat", "[A]\r\nB=1\r\n"}, {"X.PNG", std::string(200, 'x')}});
  for (size_t cut = 0; cut < package.size(); ++cut) {
    TacSkinConvertor reader;
    TacPackedError e = ReadPackedSkin(package.data(), cut, reader);
    EXPECT_NE(e, TacPackedError::None) << cut;
    EXPECT_FALSE(reader.Options) << cut;
    EXPECT_TRUE(reader.Files.empty()) << cut;
  }
}

struct DamageCase {
  const char* what;
  std::string bytes;
  TacPackedError expected;
};

std::string WithU32(std::string s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = char((v >> (8 * i)) & 0xFF);
  return s;
}

TEST(PackedSkin, DamagedFieldsGiveTheirErrorWithoutTakingMemoryFromThem) {
  const std::string good = Package({{"Options.dat", "0123456789"}});
  // Offsets: count at 4, name length at 8, name at 12 (11 bytes), size at 23.
  const DamageCase cases[] = {
      {"bad signature", "SKzx" + good.substr(4), TacPackedError::NotPacked},
      {"not a package at all", "hello", TacPackedError::NotPacked},
      {"huge entry count", WithU32(good, 4, 0xFFFFFFFFu), TacPackedError::Truncated},
      {"count beyond the entries", WithU32(good, 4, 2), TacPackedError::Truncated},
      {"huge name length", WithU32(good, 8, 0xFFFFFFF0u), TacPackedError::Truncated},
      {"name length past the end", WithU32(good, 8, uint32_t(good.size())), TacPackedError::Truncated},
      {"size above the cap", WithU32(good, 23, MaxPackedEntrySize + 1), TacPackedError::Oversize},
      {"size larger than the data", WithU32(good, 23, 11), TacPackedError::BadStream},
      {"size smaller than the data", WithU32(good, 23, 9), TacPackedError::BadStream},
      {"corrupt stream", good.substr(0, 29) + "\xFF\xFF\xFF" + good.substr(32), TacPackedError::BadStream},
  };
  for (const auto& c : cases) {
    TacSkinConvertor reader;
    EXPECT_EQ(ReadPackedSkin(c.bytes.data(), c.bytes.size(), reader), c.expected) << c.what;
    EXPECT_FALSE(reader.Options) << c.what;
  }
}

TEST(PackedSkin, PreviewIsTheFirstOneAndItsLengthIsBoundedByTheData) {
  auto block = [](const std::string& picture, uint32_t length) {
    std::string s = "previewimg";
    PutU32(s, length);
    return s + picture;
  };
  const std::string base = Package({{"Options.dat", "x"}});
  std::string picture;
  const std::string twice = base + block("FIRST", 5) + block("SECOND", 6);
  ASSERT_TRUE(ExtractPreviewImage(twice.data(), twice.size(), picture));
  EXPECT_EQ(picture, "FIRST");

  const std::string overlong = base + block("SHORT", 0x7FFFFFFF);
  ASSERT_TRUE(ExtractPreviewImage(overlong.data(), overlong.size(), picture));
  EXPECT_EQ(picture, "SHORT");

  const std::string cutLength = base + "previewimg\x01";
  EXPECT_FALSE(ExtractPreviewImage(cutLength.data(), cutLength.size(), picture));
  EXPECT_FALSE(ExtractPreviewImage(base.data(), base.size(), picture));
}

}  // namespace
