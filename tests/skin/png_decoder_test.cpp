#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <memory>

#include "framework/Streams.h"
#include "skin/graphics/PngGraphic.h"
#include "support/PixelHelpers.h"
#include "support/PngWriter.h"
#include "support/WicDecoder.h"

namespace {

uint32_t Pattern(int x, int y, int s, int Depth) {
  uint32_t Max = (1u << Depth) - 1;
  return uint32_t(x * 37 + y * 101 + s * 59 + x * y * 7) % (Max + 1);
}

std::vector<uint8_t> TestPalette(int Entries) {
  std::vector<uint8_t> P;
  for (int i = 0; i < Entries; ++i) {
    P.push_back(uint8_t(i * 53 + 7));
    P.push_back(uint8_t(255 - i * 29));
    P.push_back(uint8_t(i * 91 + 3));
  }
  return P;
}

struct CorpusCase {
  int ColorType;
  int Depth;
  bool Interlaced;
  bool WithTrns;
  int Width;
  int Height;
};

PngRecipe RecipeFor(const CorpusCase& c) {
  PngRecipe S;
  S.Width = c.Width;
  S.Height = c.Height;
  S.ColorType = c.ColorType;
  S.BitDepth = c.Depth;
  S.Interlaced = c.Interlaced;
  int Depth = c.Depth;
  if (c.ColorType == 3) {
    int Entries = std::min(1 << Depth, 200);
    S.Palette = TestPalette(Entries);
    S.Sample = [Depth, Entries](int x, int y, int s) { return Pattern(x, y, s, Depth) % Entries; };
    if (c.WithTrns) S.Trns = {0, 128, 255, 17};  // fewer entries than the palette
  } else {
    S.Sample = [Depth](int x, int y, int s) { return Pattern(x, y, s, Depth); };
    if (c.WithTrns && c.ColorType == 0) S.Trns = {0, 0, 0, 0};  // grey level 0 is see-through
    if (c.WithTrns && c.ColorType == 2) {
      uint32_t r = Pattern(1, 1, 0, Depth), g = Pattern(1, 1, 1, Depth), b = Pattern(1, 1, 2, Depth);
      for (uint32_t v : {r, g, b}) S.Trns.push_back(uint8_t(v >> 8)), S.Trns.push_back(uint8_t(v));
    }
  }
  return S;
}

// What a pixel must become, worked out from the samples alone.
uint32_t ExpectedPixel(const PngRecipe& S, int x, int y) {
  auto Level = [&](uint32_t v) -> uint32_t {
    if (S.BitDepth == 16) return v * 255 / 65535;
    return v * 255 / ((1u << S.BitDepth) - 1);
  };
  switch (S.ColorType) {
    case 0: {
      uint32_t v = S.Sample(x, y, 0), g = Level(v);
      // Transparency goes by the decoded colour, so 16-bit levels that reduce alike match alike.
      bool Key = S.Trns.size() >= 2 && g == Level(S.Trns[0] << 8 | S.Trns[1]);
      return (Key ? 0u : 0xFF000000u) | g << 16 | g << 8 | g;
    }
    case 2: {
      uint32_t r = S.Sample(x, y, 0), g = S.Sample(x, y, 1), b = S.Sample(x, y, 2);
      bool Key = S.Trns.size() >= 6 && Level(r) == Level(S.Trns[0] << 8 | S.Trns[1]) &&
                 Level(g) == Level(S.Trns[2] << 8 | S.Trns[3]) && Level(b) == Level(S.Trns[4] << 8 | S.Trns[5]);
      return (Key ? 0u : 0xFF000000u) | Level(r) << 16 | Level(g) << 8 | Level(b);
    }
    case 3: {
      uint32_t i = S.Sample(x, y, 0);
      uint32_t a = i < S.Trns.size() ? S.Trns[i] : 255;
      return a << 24 | uint32_t(S.Palette[3 * i]) << 16 | uint32_t(S.Palette[3 * i + 1]) << 8 | S.Palette[3 * i + 2];
    }
    case 4: {
      uint32_t g = Level(S.Sample(x, y, 0)), a = Level(S.Sample(x, y, 1));
      return a << 24 | g << 16 | g << 8 | g;
    }
    default: {
      uint32_t r = Level(S.Sample(x, y, 0)), g = Level(S.Sample(x, y, 1)), b = Level(S.Sample(x, y, 2)),
               a = Level(S.Sample(x, y, 3));
      return a << 24 | r << 16 | g << 8 | b;
    }
  }
}

std::string Describe(const CorpusCase& c) {
  return "type " + std::to_string(c.ColorType) + " depth " + std::to_string(c.Depth) +
         (c.Interlaced ? " interlaced" : "") + (c.WithTrns ? " tRNS" : "") + " " + std::to_string(c.Width) + "x" +
         std::to_string(c.Height);
}

std::vector<CorpusCase> Corpus() {
  const std::pair<int, std::vector<int>> Depths[] = {
      {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  std::vector<CorpusCase> Cases;
  for (auto& [Type, List] : Depths)
    for (int Depth : List)
      for (bool Interlaced : {false, true})
        for (bool Trns : {false, true}) {
          if (Trns && (Type == 4 || Type == 6)) continue;
          Cases.push_back({Type, Depth, Interlaced, Trns, 13, 11});
          if (Interlaced && !Trns) Cases.push_back({Type, Depth, true, false, 3, 2});
        }
  return Cases;
}

bool SameWithin(uint32_t a, uint32_t b, int Tolerance) {
  for (int Shift = 0; Shift < 32; Shift += 8)
    if (std::abs(int(a >> Shift & 0xFF) - int(b >> Shift & 0xFF)) > Tolerance) return false;
  return true;
}

}  // namespace

TEST(PngDecoder, CorpusDecodesToTheSamplesAndAgreesWithWindows) {
  std::vector<std::string> DisagreeWithWindows;
  for (const CorpusCase& c : Corpus()) {
    SCOPED_TRACE(Describe(c));
    PngRecipe S = RecipeFor(c);
    std::string Bytes = MakePng(S);
    TBitmap Ours;
    ASSERT_NO_THROW(DecodePngTo32(Bytes, Ours));
    ASSERT_EQ(Ours.PixelFormat(), pf32bit);
    ASSERT_EQ(Ours.Width(), c.Width);
    ASSERT_EQ(Ours.Height(), c.Height);
    for (int y = 0; y < c.Height; ++y)
      for (int x = 0; x < c.Width; ++x) ASSERT_EQ(PixelAt(Ours, x, y), ExpectedPixel(S, x, y)) << x << "," << y;
    WicPicture Wic;
    ASSERT_TRUE(DecodeWithWic(Bytes, Wic));
    // Windows reduces 16-bit samples by rounding, we truncate: one step apart at most.
    int Tolerance = c.Depth == 16 ? 1 : 0;
    // Wine's decoder ignores tRNS of grey and of 1-bit palette pictures, and
    // matches a 16-bit colour key before reduction where ours matches the
    // decoded colour; the sample oracle above checks alpha there.
    bool AlphaDiffers = c.WithTrns &&
                        (c.ColorType == 0 || (c.ColorType == 2 && c.Depth == 16) || (c.ColorType == 3 && c.Depth == 1));
    uint32_t Mask = AlphaDiffers ? 0x00FFFFFFu : 0xFFFFFFFFu;
    bool Same = true;
    for (int y = 0; y < c.Height && Same; ++y)
      for (int x = 0; x < c.Width && Same; ++x)
        Same = SameWithin(PixelAt(Ours, x, y) & Mask, Wic.Pixels[size_t(y) * Wic.Width + x] & Mask, Tolerance);
    if (!Same) DisagreeWithWindows.push_back(Describe(c));
  }
  std::vector<std::string> Want = {};
  EXPECT_EQ(DisagreeWithWindows, Want);
}

TEST(PngDecoder, NativeFormatsAreTheSmallestThatHoldThePicture) {
  struct {
    int Type, Depth;
    TPixelFormat Format;
  } Cases[] = {{0, 1, pf1bit},  {0, 2, pf4bit},   {0, 4, pf4bit},  {0, 8, pf8bit}, {0, 16, pf8bit},
               {2, 8, pf24bit}, {2, 16, pf24bit}, {3, 1, pf1bit},  {3, 2, pf4bit}, {3, 4, pf4bit},
               {3, 8, pf8bit},  {4, 8, pf32bit},  {6, 16, pf32bit}};
  for (auto& c : Cases) {
    SCOPED_TRACE(std::to_string(c.Type) + "/" + std::to_string(c.Depth));
    TPNGGraphic Png;
    LoadPngBytes(Png, MakePng(RecipeFor({c.Type, c.Depth, false, false, 5, 4})));
    EXPECT_EQ(Png.PixelFormat(), c.Format);
  }
}

TEST(PngDecoder, TwoBitGreyIsStoredAsFourBitValuesSpreadByFive) {
  PngRecipe S;
  S.Width = 4;
  S.Height = 1;
  S.ColorType = 0;
  S.BitDepth = 2;
  S.Sample = [](int x, int, int) { return uint32_t(x); };
  TPNGGraphic Png;
  LoadPngBytes(Png, MakePng(S));
  auto* Row = static_cast<uint8_t*>(Png.ScanLine(0));
  EXPECT_EQ(Row[0], 0x05);  // values 0 and 5
  EXPECT_EQ(Row[1], 0xAF);  // values 10 and 15
}

TEST(PngDecoder, SixteenBitSamplesAreReducedByTruncation) {
  PngRecipe S;
  S.Width = 3;
  S.Height = 1;
  S.ColorType = 2;
  S.BitDepth = 16;
  const uint32_t Values[3] = {65535, 65534, 0x1234};
  S.Sample = [&](int x, int, int) { return Values[x]; };
  TBitmap Out;
  DecodePngTo32(MakePng(S), Out);
  EXPECT_EQ(PixelAt(Out, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(Out, 1, 0), 0xFFFEFEFEu);
  EXPECT_EQ(PixelAt(Out, 2, 0), 0xFF121212u);
}

TEST(PngDecoder, ImageDataSplitOverManyChunksAndLowerCaseNames) {
  PngRecipe S = RecipeFor({6, 8, true, false, 9, 9});
  S.IdatPieces = 7;
  S.EmptyIdat = true;
  S.ExtraBeforeIdat = {{"tEXt", std::string("Comment\0x", 9)}, {"PLTE", std::string(6, '\x10')}};
  S.ExtraAfterIdat = {{"zzzz", "ancillary after the data"}};
  PngRecipe Lower = S;
  Lower.IdatName = "idat";
  for (const PngRecipe* Recipe : {&S, &Lower}) {
    TBitmap Out;
    ASSERT_NO_THROW(DecodePngTo32(MakePng(*Recipe), Out));
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) ASSERT_EQ(PixelAt(Out, x, y), ExpectedPixel(*Recipe, x, y));
  }
}

TEST(PngDecoder, TransparencyChunkOfRgbaIsIgnored) {
  PngRecipe S = RecipeFor({6, 8, false, false, 4, 4});
  S.ExtraBeforeIdat = {{"tRNS", std::string(6, '\0')}};
  TPNGGraphic Png;
  LoadPngBytes(Png, MakePng(S));
  EXPECT_EQ(Png.TransparentKey(), 0x1FFFFFFFu);
  EXPECT_FALSE(Png.Transparent());
}

TEST(PngDecoder, GreyWithAlphaKeepsItsAlpha) {
  PngRecipe S;
  S.Width = 2;
  S.Height = 1;
  S.ColorType = 4;
  S.BitDepth = 8;
  S.Sample = [](int x, int, int s) { return s == 0 ? uint32_t(100 + x) : uint32_t(x ? 0 : 200); };
  TBitmap Out;
  DecodePngTo32(MakePng(S), Out);
  EXPECT_EQ(PixelAt(Out, 0, 0), 0xC8646464u);
  EXPECT_EQ(PixelAt(Out, 1, 0), 0x00656565u);
}

TEST(PngDecoder, PaletteImageWithGammaKeepsItsCorrectedColours) {
  PngRecipe S;
  S.Width = 3;
  S.Height = 1;
  S.ColorType = 3;
  S.BitDepth = 8;
  S.Palette = {200, 100, 50, 0, 0, 0, 255, 255, 255};
  S.Gamma = 100000;  // file gamma 1.0: the display gamma brightens mid-tones
  S.Sample = [](int x, int, int) { return uint32_t(x); };
  for (bool WithTrns : {false, true}) {
    SCOPED_TRACE(WithTrns);
    S.Trns = WithTrns ? std::vector<uint8_t>{77} : std::vector<uint8_t>{};
    TPNGGraphic Png;
    LoadPngBytes(Png, MakePng(S));
    TBitmap Out;
    Out.Assign(Png);
    CopyPngToBitmap32(Out, Png);
    const uint8_t* G = Png.ColorManager().GammaTable();
    EXPECT_GT(G[100], 100);
    uint32_t A = WithTrns ? 77u : 255u;
    EXPECT_EQ(PixelAt(Out, 0, 0), A << 24 | uint32_t(G[200]) << 16 | uint32_t(G[100]) << 8 | G[50]);
    EXPECT_EQ(PixelAt(Out, 1, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(Out, 2, 0), 0xFFFFFFFFu);
  }
}

// Grey pictures with a gAMA chunk keep their grey, corrected, and are
// opaque but where the tRNS key says otherwise.
TEST(PngDecoder, GreyImageWithGammaStaysGrey) {
  for (int Depth : {1, 2, 4, 8, 16}) {
    SCOPED_TRACE(Depth);
    const uint32_t Max = (1u << Depth) - 1;
    PngRecipe S;
    S.Width = 3;
    S.Height = 2;
    S.ColorType = 0;
    S.BitDepth = Depth;
    S.Gamma = 45455;  // the display's own: levels come out unchanged
    S.Sample = [Max](int x, int y, int) { return x == 0 ? 0u : x == 1 ? Max : y == 0 ? 0u : Max; };
    TBitmap Out;
    DecodePngTo32(MakePng(S), Out);
    EXPECT_EQ(PixelAt(Out, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(Out, 1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(Out, 2, 1), 0xFFFFFFFFu);

    S.Trns = {uint8_t(Max >> 8), uint8_t(Max)};  // white is see-through
    DecodePngTo32(MakePng(S), Out);
    EXPECT_EQ(PixelAt(Out, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(Out, 1, 0) >> 24, 0u);
    EXPECT_EQ(PixelAt(Out, 2, 0), 0xFF000000u);
  }
  // A file gamma of 1.0 lightens the middle grey; the ends stay put.
  PngRecipe Mid;
  Mid.Width = 3;
  Mid.Height = 1;
  Mid.ColorType = 0;
  Mid.Gamma = 100000;
  Mid.Sample = [](int x, int, int) { return x == 0 ? 0u : x == 1 ? 128u : 255u; };
  TBitmap Out;
  DecodePngTo32(MakePng(Mid), Out);
  EXPECT_EQ(PixelAt(Out, 0, 0), 0xFF000000u);
  EXPECT_EQ(PixelAt(Out, 1, 0), 0xFFBABABAu);  // (128 / 255) ^ (1 / 2.2) x 255 = 186
  EXPECT_EQ(PixelAt(Out, 2, 0), 0xFFFFFFFFu);
}

TEST(PngDecoder, GammaIsSwitchedOffForTheNextLoad) {
  PngRecipe WithGamma = RecipeFor({2, 8, false, false, 4, 4});
  WithGamma.Gamma = 100000;
  PngRecipe Plain = RecipeFor({2, 8, false, false, 4, 4});
  TPNGGraphic Png;
  LoadPngBytes(Png, MakePng(WithGamma));
  EXPECT_TRUE(Png.ImageInfo().Flags & pngGammaSeen);
  LoadPngBytes(Png, MakePng(Plain));
  EXPECT_FALSE(Png.ImageInfo().Flags & pngGammaSeen);
  TBitmap Out;
  Out.Assign(Png);
  CopyPngToBitmap32(Out, Png);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(PixelAt(Out, x, y), ExpectedPixel(Plain, x, y));
}

TEST(PngDecoder, ReloadingAGraphicStartsFromScratch) {
  TPNGGraphic Png;
  LoadPngBytes(Png, MakePng(RecipeFor({3, 2, false, true, 6, 5})));
  PngRecipe Rgb = RecipeFor({2, 8, true, false, 7, 3});
  LoadPngBytes(Png, MakePng(Rgb));
  EXPECT_TRUE(Png.AlphaTable().empty());
  EXPECT_EQ(Png.PixelFormat(), pf24bit);
  TBitmap Out;
  Out.Assign(Png);
  CopyPngToBitmap32(Out, Png);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(PixelAt(Out, x, y), ExpectedPixel(Rgb, x, y));
}

TEST(PngDecoder, ReportsProgressInStages) {
  TPNGGraphic Png;
  std::vector<std::pair<TProgressStage, String>> Seen;
  Png.OnProgress = [&](TObject*, TProgressStage Stage, uint8_t, bool, const RECT&, const String& Msg) {
    Seen.emplace_back(Stage, Msg);
  };
  LoadPngBytes(Png, MakePng(RecipeFor({2, 8, false, false, 4, 4})));
  std::vector<std::pair<TProgressStage, String>> Want = {
      {psStarting, L"Preparing..."}, {psEnding, L""}, {psStarting, L"Transfering..."}, {psEnding, L""}};
  EXPECT_EQ(Seen, Want);
}

TEST(PngDecoder, CrcFollowsThePngPolynomial) {
  EXPECT_EQ(UpdateCrc(0, "IEND", 4), 0xAE426082u);
  EXPECT_EQ(UpdateCrc(UpdateCrc(0, "IE", 2), "ND", 2), 0xAE426082u);
  EXPECT_EQ(UpdateCrc(0, nullptr, 4), 0u);
}

namespace {

const std::string Signature = "\x89PNG\r\n\x1a\n";

std::string Replace(std::string s, size_t At, const std::string& With) { return s.replace(At, With.size(), With); }

std::string Deflated(const std::string& Raw) {
  uLongf Size = compressBound(uLong(Raw.size()));
  std::string Out(Size, '\0');
  compress(reinterpret_cast<Bytef*>(Out.data()), &Size, reinterpret_cast<const Bytef*>(Raw.data()), uLong(Raw.size()));
  Out.resize(Size);
  return Out;
}

std::string Header(uint32_t Width, uint32_t Height, int Depth, int Type, int Compression, int Filter, int Interlace) {
  return PngChunk("IHDR", BigEndian(Width) + BigEndian(Height) + char(Depth) + char(Type) + char(Compression) +
                              char(Filter) + char(Interlace));
}

String LoadError(const std::string& Bytes) {
  TPNGGraphic Png;
  try {
    LoadPngBytes(Png, Bytes);
  } catch (const EPngError& e) {
    return e.Message();
  } catch (const Exception& e) {
    return L"other: " + e.Message();
  }
  return L"loaded";
}

}  // namespace

TEST(PngDecoder, MalformedFilesFailWithTheDecodersOwnMessages) {
  const String Invalid = L"Cannot load image. Invalid or unexpected PNG image format.";
  const String ColorFormat = L"Invalid color format in PNG file.";
  const String BadPalette = L"Cannot load image. Palette in PNG file is invalid.";
  const String Truncated = L"Cannot load image. Unexpected end of PNG file.";
  const std::string Good = MakePng(RecipeFor({2, 8, false, false, 4, 4}));
  const std::string Z = PngImageData(RecipeFor({2, 8, false, false, 4, 4}));
  const std::string Ihdr = PngIhdr(4, 4, 8, 2, 0);
  auto Png = [&](const std::string& Middle, const std::string& Header) {
    return Signature + Header + Middle + PngChunk("IEND", "");
  };
  std::string HugeLength = Signature + Ihdr + BigEndian(0x80000000u) + "tEXt" + "abcd";
  std::string LongerThanFile = Signature + Ihdr + BigEndian(5000) + "tEXt" + std::string(40, 'x');
  std::string BadCrc = Png(PngChunk("PLTE", std::string(6, 1)), Ihdr);
  BadCrc[BadCrc.size() - 12 - 1] ^= 1;  // last CRC byte of PLTE
  // Rows of 4 pixels where the header promises 5: the stream ends inside the last row.
  std::string ShortStream = Png(PngChunk("IDAT", Z), PngIhdr(5, 4, 8, 2, 0));
  std::string TrailingInput = Png(PngChunk("IDAT", Z + "junk"), Ihdr);
  std::string Garbage = Z;
  for (size_t i = 2; i < Garbage.size(); ++i) Garbage[i] = char(0xFF);

  struct {
    const char* Name;
    std::string Bytes;
    String Message;
  } Cases[] = {
      {"bad signature", Replace(Good, 1, "Q"), Invalid},
      {"first chunk not IHDR", Signature + PngChunk("tEXt", "x") + Good.substr(8), Invalid},
      {"zero width", Png(PngChunk("IDAT", Z), PngIhdr(0, 4, 8, 2, 0)), Invalid},
      {"width over the limit", Png(PngChunk("IDAT", Z), PngIhdr(16385, 4, 8, 2, 0)), Invalid},
      {"row size beyond 32 bits", Png(PngChunk("IDAT", Z), PngIhdr(0x40000000, 1, 16, 6, 0)), Invalid},
      {"chunk length above 2^31-1", HugeLength, Invalid},
      {"chunk length beyond the stream", LongerThanFile, Invalid},
      {"crc mismatch", BadCrc, L"Cannot load image. CRC error found in PNG file."},
      {"palette length", Png(PngChunk("PLTE", std::string(7, 1)) + PngChunk("IDAT", Z), Ihdr),
       L"Cannot load image. Palette in PNG file is invalid."},
      {"critical chunk before data", Png(PngChunk("ABCD", "") + PngChunk("IDAT", Z), Ihdr),
       L"Cannot load PNG image. Unexpected but critical chunk detected."},
      {"critical chunk after data", Png(PngChunk("IDAT", Z) + PngChunk("QXYZ", "1"), Ihdr),
       L"Cannot load PNG image. Unexpected but critical chunk detected."},
      {"colour format", Png(PngChunk("IDAT", Z), PngIhdr(4, 4, 4, 2, 0)), ColorFormat},
      {"colour type 5", Png(PngChunk("IDAT", Z), PngIhdr(4, 4, 8, 5, 0)), ColorFormat},
      // Rows out of step with the header soon meet a byte that is no filter type.
      {"rows shorter than the header says", ShortStream, L"Cannot load image. Invalid filter type found in PNG file."},
      {"input after the stream end", TrailingInput, L"Cannot load image. Extra compressed data found in PNG file."},
      {"corrupt deflate data", Png(PngChunk("IDAT", Garbage), Ihdr),
       L"Cannot load image. Compression error found in PNG file."},
      // The header is checked whole as soon as it is read.
      {"zero height", Png(PngChunk("IDAT", Z), PngIhdr(4, 0, 8, 2, 0)), Invalid},
      {"16384 x 16384 pixels", Png(PngChunk("IDAT", Z), PngIhdr(16384, 16384, 1, 0, 0)), Invalid},
      {"one row over 64 megapixels", Png(PngChunk("IDAT", Z), PngIhdr(8192, 8193, 1, 0, 0)), Invalid},
      {"grey of depth 0, then tRNS", Png(PngChunk("tRNS", std::string(2, '\0')), PngIhdr(1, 1, 0, 0, 0)), ColorFormat},
      {"RGB of depth 0, then tRNS", Png(PngChunk("tRNS", std::string(6, '\0')), PngIhdr(1, 1, 0, 2, 0)), ColorFormat},
      {"grey of depth 3", Png(PngChunk("IDAT", Z), PngIhdr(4, 4, 3, 0, 0)), ColorFormat},
      {"indexed of depth 16", Png(PngChunk("IDAT", Z), PngIhdr(4, 4, 16, 3, 0)), ColorFormat},
      {"grey with alpha of depth 4", Png(PngChunk("IDAT", Z), PngIhdr(4, 4, 4, 4, 0)), ColorFormat},
      {"RGBA of depth 1", Png(PngChunk("IDAT", Z), PngIhdr(4, 4, 1, 6, 0)), ColorFormat},
      {"filter method 1", Png(PngChunk("IDAT", Z), Header(4, 4, 8, 2, 0, 1, 0)), Invalid},
      {"interlace method 2", Png(PngChunk("IDAT", Z), Header(4, 4, 8, 2, 0, 0, 2)), Invalid},
      // What the header promises, the rest must keep.
      {"filter type 5", Png(PngChunk("IDAT", Deflated(std::string("\x05\x01\x02\x03", 4))), PngIhdr(1, 1, 8, 2, 0)),
       L"Cannot load image. Invalid filter type found in PNG file."},
      {"palette of no entries", Png(PngChunk("PLTE", "") + PngChunk("IDAT", Z), PngIhdr(4, 4, 8, 3, 0)), BadPalette},
      {"palette of 257 entries",
       Png(PngChunk("PLTE", std::string(771, 'p')) + PngChunk("IDAT", Z), PngIhdr(4, 4, 8, 3, 0)), BadPalette},
      {"3 entries for 1-bit indices",
       Png(PngChunk("PLTE", std::string(9, 'p')) + PngChunk("IDAT", Z), PngIhdr(4, 4, 1, 3, 0)), BadPalette},
      {"indexed without palette", Png(PngChunk("IDAT", Z), PngIhdr(4, 4, 8, 3, 0)),
       L"Cannot load image. Palette missing in PNG file."},
      {"no IEND", Signature + Ihdr + PngChunk("IDAT", Z), Truncated},
      {"ends inside the signature", Signature.substr(0, 5), Truncated},
      {"ends between chunks", Signature + Ihdr, Truncated},
  };
  for (auto& c : Cases) EXPECT_EQ(LoadError(c.Bytes), c.Message) << c.Name;

  // A compression method other than deflate, with a correct CRC.
  std::string Header = BigEndian(4) + BigEndian(4) + std::string("\x08\x02\x01\x00\x00", 5);
  EXPECT_EQ(LoadError(Png(PngChunk("IDAT", Z), PngChunk("IHDR", Header))),
            L"Cannot load image. The compression scheme is not supported for PNG files.");
}

TEST(PngDecoder, TruncatedFilesFailAtEveryChunkBoundaryAndInside) {
  PngRecipe S = RecipeFor({3, 4, true, true, 17, 9});
  S.Gamma = 45455;
  S.IdatPieces = 3;
  S.ExtraBeforeIdat = {{"bKGD", std::string(1, '\x02')}};
  const std::string Full = MakePng(S);
  std::vector<size_t> Cuts;
  for (size_t At : PngChunkOffsets(Full)) {
    if (At >= Full.size()) continue;
    for (size_t Extra : {size_t(0), size_t(3), size_t(9)})
      if (At + Extra < Full.size()) Cuts.push_back(At + Extra);
  }
  for (size_t Cut : {size_t(0), size_t(5), Full.size() - 1}) Cuts.push_back(Cut);
  for (size_t Cut : Cuts) {
    SCOPED_TRACE(Cut);
    TPNGGraphic Png;
    EXPECT_THROW(LoadPngBytes(Png, Full.substr(0, Cut)), EPngError);
  }
}

TEST(PngDecoder, MissingRowsAreNotAnError) {
  // The image data stops early without ending its stream: the picture keeps
  // the background in the rows that never came.
  PngRecipe S = RecipeFor({2, 8, false, false, 4, 4});
  std::string Z = PngImageData(S);
  std::string Flushed;
  {
    // Compress only the first two rows with a sync flush, no stream end.
    std::string Raw;
    PngRecipe Two = S;
    Two.Height = 2;
    z_stream zs = {};
    deflateInit(&zs, 6);
    std::string Rows;
    // Rebuild the two raw rows with filter 0.
    for (int y = 0; y < 2; ++y) {
      Rows += char(0);
      for (int x = 0; x < 4; ++x)
        for (int s = 0; s < 3; ++s) Rows += char(S.Sample(x, y, s));
    }
    Flushed.resize(256);
    zs.next_in = reinterpret_cast<Bytef*>(Rows.data());
    zs.avail_in = uInt(Rows.size());
    zs.next_out = reinterpret_cast<Bytef*>(Flushed.data());
    zs.avail_out = uInt(Flushed.size());
    deflate(&zs, Z_SYNC_FLUSH);
    Flushed.resize(Flushed.size() - zs.avail_out);
    deflateEnd(&zs);
  }
  std::string Bytes = Signature + PngIhdr(4, 4, 8, 2, 0) + PngChunk("bKGD", std::string("\0\x10\0\x20\0\x30", 6)) +
                      PngChunk("IDAT", Flushed) + PngChunk("IEND", "");
  TBitmap Out;
  ASSERT_NO_THROW(DecodePngTo32(Bytes, Out));
  EXPECT_EQ(PixelAt(Out, 1, 1), ExpectedPixel(S, 1, 1));
  EXPECT_EQ(PixelAt(Out, 2, 3), 0xFF102030u);  // the bKGD colour
}

TEST(PngDecoder, PicturesShippedWithTheSystemAgreeWithWindows) {
  const wchar_t* Folders[] = {L"Z:\\usr\\share\\icons\\Adwaita\\48x48\\legacy\\",
                              L"Z:\\usr\\share\\icons\\hicolor\\48x48\\apps\\", L"Z:\\usr\\share\\pixmaps\\"};
  int Compared = 0;
  for (const wchar_t* Folder : Folders) {
    WIN32_FIND_DATAW Found;
    HANDLE Find = FindFirstFileW((std::wstring(Folder) + L"*.png").c_str(), &Found);
    if (Find == INVALID_HANDLE_VALUE) continue;
    do {
      std::wstring Path = std::wstring(Folder) + Found.cFileName;
      std::string Bytes = ReadFileBytes(Path);
      if (Bytes.find("gAMA") != std::string::npos || Bytes.find("iCCP") != std::string::npos ||
          Bytes.find("sRGB") != std::string::npos)
        continue;
      WicPicture Wic;
      if (!DecodeWithWic(Bytes, Wic)) continue;
      SCOPED_TRACE(std::string(Path.begin(), Path.end()));
      TBitmap Ours;
      ASSERT_NO_THROW(DecodePngTo32(Bytes, Ours));
      ASSERT_EQ(Ours.Width(), Wic.Width);
      ASSERT_EQ(Ours.Height(), Wic.Height);
      bool Deep = Bytes[24] == 16;
      for (int y = 0; y < Wic.Height; ++y)
        for (int x = 0; x < Wic.Width; ++x)
          ASSERT_TRUE(SameWithin(PixelAt(Ours, x, y), Wic.Pixels[size_t(y) * Wic.Width + x], Deep ? 1 : 0))
              << x << "," << y;
      ++Compared;
    } while (FindNextFileW(Find, &Found));
    FindClose(Find);
  }
  if (Compared == 0) GTEST_SKIP() << "no PNG pictures on this machine";
  RecordProperty("compared", Compared);
}
