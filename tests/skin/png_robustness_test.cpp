#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

#include "skin/graphics/PngGraphic.h"
#include "support/PixelHelpers.h"
#include "support/PngWriter.h"

namespace {

// Recomputes the CRC of every chunk whose length still fits the file, so
// that damage reaches the decoder's deeper steps instead of its CRC test.
void FixCrcs(std::string& Png) {
  size_t At = 8;
  while (At + 12 <= Png.size()) {
    uint32_t Length = uint32_t(uint8_t(Png[At])) << 24 | uint8_t(Png[At + 1]) << 16 | uint8_t(Png[At + 2]) << 8 |
                      uint8_t(Png[At + 3]);
    if (Length > Png.size() - At - 12) return;
    uint32_t Crc = crc32(0, reinterpret_cast<const Bytef*>(Png.data() + At + 4), Length + 4);
    Png.replace(At + 8 + Length, 4, BigEndian(Crc));
    At += 12 + Length;
  }
}

PngRecipe Recipe(int Type, int Depth, bool Interlaced) {
  PngRecipe S;
  S.Width = 11;
  S.Height = 7;
  S.ColorType = Type;
  S.BitDepth = Depth;
  S.Interlaced = Interlaced;
  const uint32_t Max = (1u << Depth) - 1;
  if (Type == 3) {
    for (uint32_t i = 0; i <= Max; ++i) S.Palette.insert(S.Palette.end(), {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i)});
    S.Trns = {1, 2, 3};
  }
  S.Sample = [Max](int x, int y, int s) { return uint32_t(x * 5 + y * 3 + s) % (Max + 1); };
  S.IdatPieces = 2;
  return S;
}

}  // namespace

// Damaged pictures either load or fail with an exception of the decoder or
// the stream; none may crash or write outside its buffers.
TEST(PngRobustness, DamagedFilesNeverCrash) {
  const PngRecipe Kinds[] = {Recipe(0, 1, false), Recipe(0, 16, true),  Recipe(2, 8, true), Recipe(3, 2, false),
                             Recipe(3, 8, true),  Recipe(4, 16, false), Recipe(6, 8, false)};
  std::mt19937 Random(20261210);
  int Loaded = 0, Refused = 0;
  for (const PngRecipe& Kind : Kinds) {
    const std::string Original = MakePng(Kind);
    for (int Round = 0; Round < 250; ++Round) {
      std::string Damaged = Original;
      const int Flips = 1 + int(Random() % 4);
      for (int f = 0; f < Flips; ++f) {
        size_t At = 8 + Random() % (Damaged.size() - 8);
        Damaged[At] = char(Random());
      }
      if (Random() % 4) FixCrcs(Damaged);
      TPNGGraphic Png;
      try {
        LoadPngBytes(Png, Damaged);
        TBitmap Out;
        Out.Assign(Png);
        CopyPngToBitmap32(Out, Png);
        ++Loaded;
      } catch (const Exception&) {
        ++Refused;
      }
    }
  }
  EXPECT_GT(Loaded, 0);
  EXPECT_GT(Refused, 0);
}

TEST(PngRobustness, HeaderSizesThatWouldOverflowAreRefused) {
  const std::string Z = PngImageData(Recipe(6, 16, false));
  struct {
    uint32_t Width, Height;
    int Depth, Type;
  } Cases[] = {{0x7FFFFFFF, 1, 16, 6},
               {1, 0x7FFFFFFF, 8, 0},
               {0xFFFFFFFF, 0xFFFFFFFF, 16, 6},
               {16385, 16384, 8, 2},
               // a few bytes claiming a gigabyte, and one row past 64 megapixels
               {16384, 16384, 8, 6},
               {16384, 4097, 1, 0}};
  for (auto& c : Cases) {
    std::string Bytes = "\x89PNG\r\n\x1a\n" + PngIhdr(c.Width, c.Height, c.Depth, c.Type, 0) + PngChunk("IDAT", Z) +
                        PngChunk("IEND", "");
    TPNGGraphic Png;
    try {
      LoadPngBytes(Png, Bytes);
      ADD_FAILURE() << c.Width << " x " << c.Height << " loaded";
    } catch (const EPngError& e) {
      EXPECT_EQ(e.Message(), L"Cannot load image. Invalid or unexpected PNG image format.");
    }
  }
  // The largest sizes allowed still load (their data simply runs out).
  for (auto [Width, Height] : {std::pair{16384u, 2u}, std::pair{16384u, 4096u}}) {
    std::string Big = "\x89PNG\r\n\x1a\n" + PngIhdr(Width, Height, 1, 0, 0) + PngChunk("IEND", "");
    TPNGGraphic Png;
    EXPECT_NO_THROW(LoadPngBytes(Png, Big)) << Width << " x " << Height;
  }
}

namespace {

std::string FromHex(const char* Hex) {
  std::string Out;
  for (const char* p = Hex; p[0] && p[1]; p += 2) Out += char(std::stoi(std::string(p, 2), nullptr, 16));
  return Out;
}

}  // namespace

// Inputs the fuzz program (tests/skin/fuzz) once brought down with a
// divide-by-zero: a grey picture of bit depth 0 whose tRNS came first.
TEST(PngRobustness, InputsTheFuzzerFoundAreRefused) {
  struct {
    const char* Name;
    const char* Hex;
  } Cases[] = {
      {"input 6645",
       "89504e470d0a1a0a0000000d49484452000000050000000300000000ddb64f7f8c0000000467414d410000b18f0bfc61"
       "050000000274524e5300010194fdae0000000e49444154789c630860fcc114010004de01a4b2f70acb0000000049454e"
       "44ae426082"},
      {"input 6750",
       "89504e470d0a1a0a0000000d494844520000000500001003000000000029f34d2b0000000467414d4100004d8fb3f5cf"
       "b40000000274524e5300010194fdae0000000e"},
      {"input 21108",
       "89504e470d0a1a0a0000000d49484452000000080000000600000000019c19fb700000000467414d410000b18f0bfc61"
       "050000000274524e5300010194fdae0000003b49444154789c6360609461324960e65366b1d16190d2b10b6064e7e3e3"
       "63925150d160d693969567e1e580000675436b57ffc8e45c46471e080000bb87069be7535702000000004944415435af"
       "061e0000000049454e44ae426082"},
      {"input 27528",
       "89504e470d0a1a0a0000000d49484452000000080000000600000000019c19fb700000000467414d410000b18f0bfc61"
       "050000000274524e5300010194fdae0000003b49444154789c6360609461324960e65366b1d16190d2b10b6064e7e3e3"
       "63925150d160d693969567e1e580000675436b57ffc8e45c46471e080000bb87069be7535702000000004944415435af"
       "061e0000000049454e44ae426082"},
      {"input 36363",
       "89504e470d0a1a0a0000000d49484452000000080000000600000000019c19fb700000000467414d410000b18f0bfc61"
       "050000000274524e5300010194fdae0000003b49444154789c6360609461324960e65366b1d16190d2b10b606403e3e3"
       "63925150d160d693969567e1e580000675436b57ffc8e45c46471e080000bb87069bb9f82518000000004944415435af"
       "061e0000000049454e44ae426082"},
      {"input 50509",
       "89504e470d0a1a0a0000000d4948445200000009000000070000000000cf80737d0000000274524e5300010194fdae00"
       "00002f49444154789c636060606067e063106590615066d0623064b06064e065e040854c40213e067e16010641062106"
       "610611065166a0d1e8950000002f494441540629061ea0304802240594640172b8d1208323832f4324432a4321432d43"
       "27c35486858c0c7e606d481000739d078c1ac235480000000049454e44ae4260828000000049454e44ae426082"},
      {"input 61891",
       "89504e470d0a1a0a0000000d4948445200000006000000040000000001cf186ac80000000274524e5300010194fdae00"
       "000002624b47440101c49122e50000000d49444154789c63606064606a60ee60b9c3293099660000000d494441547087"
       "31f4375347030021d30526b2e55ec30000000049454e44ae426082"},
      {"input 64954",
       "89504e470d0a1a0a0000000d4948445200000009000000070000000000cf80737d0000000274524e5300010194fdae00"
       "00002f49444154789c636060606067e063106590615066d0623064b06064e065e040854c40213e067e06010641062106"
       "61061106516614d64e4f0000002f494441540629061ea0304802240594640172b88a208323832f4324432a4321432d43"
       "27c35486858c0c7e606d481000739d078c58f5dcee0000000049454e44ae426082"},
      {"input 76695",
       "89504e470d0a1a0a0000000d49484452000000050000000300000000004e2dd1e50000000467414d410100b18fb34006"
       "600000000274524e5300010194fdae0000000e49444154789c630860fcc1f2010004de01a4d28799e60000000049454e"
       "44ae426082"},
  };
  for (auto& c : Cases) {
    TPNGGraphic Png;
    EXPECT_THROW(LoadPngBytes(Png, FromHex(c.Hex)), EPngError) << c.Name;
  }
}
