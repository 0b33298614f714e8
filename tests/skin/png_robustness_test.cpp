#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

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
  const PngRecipe Kinds[] = {Recipe(0, 1, false), Recipe(0, 16, true), Recipe(2, 8, true), Recipe(3, 2, false),
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
  } Cases[] = {{0x7FFFFFFF, 1, 16, 6}, {1, 0x7FFFFFFF, 8, 0}, {0xFFFFFFFF, 0xFFFFFFFF, 16, 6}, {16385, 16384, 8, 2},
               // a few bytes claiming a gigabyte, and one row past 64 megapixels
               {16384, 16384, 8, 6}, {16384, 4097, 1, 0}};
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
