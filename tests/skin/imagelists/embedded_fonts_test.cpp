// Fonts carried in memory: copies replace the bytes they are given (two
// font files never join into one), the stream form keeps them exactly, and
// a font is known to the process only while an item holds it.
#include "skin/imagelists/EmbeddedFonts.h"

#include <gtest/gtest.h>

#include <string>

#include "skin/imagelists/CharImageList.h"
#include "skin/imagelists/IconFont.h"

namespace {

std::string Bytes(const TacEmbeddedFont& font) {
  const auto* p = static_cast<const char*>(font.FontData().Memory());
  return std::string(p, p + font.FontData().Size());
}

void SetBytes(TacEmbeddedFont& font, const std::string& bytes) {
  font.FontData().Clear();
  font.FontData().WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

// The built-in icon font file as the program carries it.
std::string IconFontFile() {
  TResourceStream res(GetModuleHandleW(nullptr), L"AWFONT", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  std::string bytes(size_t(res.Size()), '\0');
  res.ReadBuffer(bytes.data(), res.Size());
  return bytes;
}

TEST(EmbeddedFont, AssignReplacesTheBytesTheTargetHeld) {
  TacEmbeddedFonts fonts(nullptr);
  TacEmbeddedFont* source = fonts.Add();
  TacEmbeddedFont* target = fonts.Add();
  source->SetFileName(L"b.ttf");
  source->SetFontName(L"Bee");
  SetBytes(*source, "BBB");
  SetBytes(*target, "AAAAAA");
  target->Assign(*source);
  EXPECT_EQ(Bytes(*target), "BBB");
  EXPECT_EQ(target->FileName(), L"b.ttf");
  EXPECT_EQ(target->FontName(), L"Bee");
  // Twice in a row still gives one file, and AssignTo is the same copy.
  source->AssignTo(target);
  EXPECT_EQ(Bytes(*target), "BBB");
  // A source without bytes leaves none behind either.
  TacEmbeddedFont* empty = fonts.Add();
  target->Assign(*empty);
  EXPECT_EQ(target->FontData().Size(), 0);
  EXPECT_THROW(source->AssignTo(nullptr), Exception);
}

TEST(EmbeddedFonts, CollectionAssignCopiesEveryItemInOrderUnregistered) {
  TacEmbeddedFonts source(nullptr), copy(nullptr);
  const char* names[] = {"one", "two", "three"};
  for (const char* n : names) {
    TacEmbeddedFont* f = source.Add();
    f->SetFontName(std::wstring(n, n + strlen(n)));
    SetBytes(*f, n);
  }
  copy.Add();  // thrown away by the assignment
  copy.Assign(source);
  ASSERT_EQ(copy.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Bytes(*copy.Items(i)), names[i]);
    EXPECT_EQ(copy.Items(i)->FontHandle(), nullptr);
  }
}

TEST(EmbeddedFonts, AListsCollectionBeginsWithTheBuiltInEntry) {
  TsCharImageList list(nullptr);
  TacEmbeddedFonts empty(nullptr), withBuiltIn(nullptr), withData(nullptr);
  withBuiltIn.Add()->SetFontName(kIconFontName);
  withBuiltIn.Add()->SetFontName(L"Other");
  TacEmbeddedFont* data = withData.Add();
  data->SetFontName(L"Other");
  SetBytes(*data, "font");
  struct Case {
    TacEmbeddedFonts* Source;
    std::vector<std::wstring> Names;
  } cases[] = {
      {&empty, {kIconFontName}},
      {&withBuiltIn, {kIconFontName, L"Other"}},
      {&withData, {kIconFontName, L"Other"}},
  };
  for (const Case& c : cases) {
    list.SetEmbeddedFonts(*c.Source);
    ASSERT_EQ(list.EmbeddedFonts().Count(), int(c.Names.size()));
    for (size_t i = 0; i < c.Names.size(); ++i) EXPECT_EQ(list.EmbeddedFonts().Items(int(i))->FontName(), c.Names[i]);
    EXPECT_EQ(list.EmbeddedFonts().Items(0)->FontData().Size(), 0);
  }
  // The skin's store (no owner) copies as it is.
  TacEmbeddedFonts store(nullptr);
  store.Assign(empty);
  EXPECT_EQ(store.Count(), 0);
}

TEST(EmbeddedFont, FontDataStreamsOutAndBackExactly) {
  struct Case {
    std::string Bytes;
  } cases[] = {{""}, {"x"}, {std::string("\0\1\2\3\xFF", 5)}, {IconFontFile()}};
  for (const Case& c : cases) {
    TacEmbeddedFonts fonts(nullptr);
    TacEmbeddedFont* out = fonts.Add();
    SetBytes(*out, c.Bytes);
    TMemoryStream stream;
    out->WriteFontData(stream);
    // Name, binary tag, little-endian count, the file from its first byte.
    const auto* p = static_cast<const uint8_t*>(stream.Memory());
    ASSERT_EQ(stream.Size(), int64_t(1 + 8 + 1 + 4 + c.Bytes.size()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 9), std::string("\x08"
                                                                            "FontData"));
    EXPECT_EQ(p[9], 0x0A);
    EXPECT_EQ(uint32_t(p[10] | p[11] << 8 | p[12] << 16 | uint32_t(p[13]) << 24), c.Bytes.size());

    TacEmbeddedFont* in = fonts.Add();
    SetBytes(*in, "old bytes");
    stream.SetPosition(0);
    ASSERT_TRUE(in->ReadFontData(stream));
    EXPECT_EQ(Bytes(*in), c.Bytes);
  }
}

TEST(EmbeddedFont, DamagedFontDataIsRefused) {
  TacEmbeddedFonts fonts(nullptr);
  TacEmbeddedFont* item = fonts.Add();
  SetBytes(*item, "kept");
  struct Case {
    const char* Why;
    std::string Stream;
  } cases[] = {
      {"count beyond the stream", std::string("\x08"
                                              "FontData\x0A\xFF\xFF\xFF\x7F"
                                              "ab",
                                              16)},
      {"another property", std::string("\x08"
                                       "FontDatX\x0A\0\0\0\0",
                                       14)},
      {"not binary", std::string("\x08"
                                 "FontData\x06\0\0\0\0",
                                 14)},
      {"cut short", std::string("\x08"
                                "Font",
                                5)},
  };
  for (const Case& c : cases) {
    TMemoryStream stream;
    stream.WriteBuffer(c.Stream.data(), int64_t(c.Stream.size()));
    stream.SetPosition(0);
    EXPECT_FALSE(item->ReadFontData(stream)) << c.Why;
    EXPECT_EQ(Bytes(*item), "kept") << c.Why;
  }
}

TEST(EmbeddedFont, RegisteredWhileHeldAndReleasedAfter) {
  TacEmbeddedFonts fonts(nullptr);
  TacEmbeddedFont* empty = fonts.Add();
  EXPECT_FALSE(RegisterEmbeddedFont(*empty));
  EXPECT_EQ(empty->FontHandle(), nullptr);

  TacEmbeddedFont* font = fonts.Add();
  SetBytes(*font, IconFontFile());
  ASSERT_TRUE(RegisterEmbeddedFont(*font));
  ASSERT_NE(font->FontHandle(), nullptr);
  // Replacing the bytes drops the registration of the old ones.
  TacEmbeddedFont* other = fonts.Add();
  font->Assign(*other);
  EXPECT_EQ(font->FontHandle(), nullptr);
}

TEST(EmbeddedFont, ListRegistersItsFontsWhenLoaded) {
  TsCharImageList list(nullptr);
  TacEmbeddedFonts source(nullptr);
  SetBytes(*source.Add(), IconFontFile());
  list.BeginLoading();
  list.SetEmbeddedFonts(source);
  list.EndLoading();
  ASSERT_EQ(list.EmbeddedFonts().Count(), 2);
  EXPECT_EQ(list.EmbeddedFonts().Items(0)->FontHandle(), nullptr) << "the built-in entry has no bytes";
  EXPECT_NE(list.EmbeddedFonts().Items(1)->FontHandle(), nullptr);
}

}  // namespace
