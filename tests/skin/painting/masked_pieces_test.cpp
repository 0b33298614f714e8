// One piece of a masked picture cut to both bitmaps: rows whose mask row
// lies past the picture, columns past its edges, and positions before 0 on
// either side.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/Application.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/MaskedPieces.h"

namespace {

constexpr uint32_t kSentinel = 0x11223344;
constexpr int kSide = 12;  // picture 12 x 6 over its mask 12 x 6

uint32_t SourcePixel(int X, int Y) { return 0xFF000000u | uint32_t(X) << 16 | uint32_t(Y) << 8 | 0x5A; }

struct Probe {
  int X, Y;
  int SrcX, SrcY;  // -1: the destination stays as it was
};

TEST(MaskedPieces, PiecesAreCutToThePictureItsMaskAndTheTarget) {
  InitApplication();
  auto picture = NewBitmap32(kSide, kSide);
  for (int y = 0; y < kSide / 2; ++y)
    for (int x = 0; x < kSide; ++x) SetPixel32(*picture, x, y, SourcePixel(x, y)), SetPixel32(*picture, x, y + 6, 0);
  TsMaskData item;
  item.Bmp = picture.get();
  item.SrcRect = RECT{0, 0, kSide, kSide};
  item.MaskType = 1;
  struct Case {
    const char* Name;
    RECT Dst, Src;
    std::vector<Probe> Probes;
  };
  const Case cases[] = {
      {"mask rows past the picture", {0, 0, 3, 3}, {0, 4, 3, 7}, {{0, 0, 0, 4}, {2, 1, 2, 5}, {0, 2, -1, -1}}},
      {"columns past the picture", {0, 0, 4, 2}, {10, 0, 14, 2}, {{1, 0, 11, 0}, {2, 0, -1, -1}}},
      {"source before 0", {0, 0, 4, 2}, {-2, 0, 2, 2}, {{0, 0, -1, -1}, {1, 1, -1, -1}, {2, 0, 0, 0}}},
      {"target before 0", {-2, -2, 2, 2}, {0, 0, 4, 4}, {{0, 0, 2, 2}, {1, 1, 3, 3}, {2, 2, -1, -1}}},
      {"target past its edge", {9, 9, 13, 13}, {0, 0, 4, 4}, {{9, 9, 0, 0}, {9, 8, -1, -1}}},
      {"wholly outside", {20, 20, 30, 30}, {0, 0, 4, 4}, {{9, 9, -1, -1}}},
      {"empty", {3, 3, 3, 6}, {0, 0, 0, 3}, {{3, 3, -1, -1}}},
  };
  for (const Case& c : cases) {
    auto target = NewBitmap32(10, 10);
    FillRect32(*target, RECT{0, 0, 10, 10}, ExchangeRedBlue(kSentinel & 0xFFFFFF), kSentinel >> 24);
    CopyMaskedPiece(c.Dst, c.Src, *target, *picture, EmptyBackgroundSource, false, item);
    for (const Probe& p : c.Probes) {
      uint32_t expected = p.SrcX < 0 ? kSentinel : SourcePixel(p.SrcX, p.SrcY);
      EXPECT_EQ(GetPixel32(*target, p.X, p.Y), expected) << c.Name << " at " << p.X << "," << p.Y;
    }
  }
}

// A stretched piece whose mask would lie past the picture is not painted.
TEST(MaskedPieces, StretchNeedsItsMaskInThePicture) {
  InitApplication();
  auto picture = NewBitmap32(4, 8);
  FillRect32(*picture, RECT{0, 0, 4, 8}, 0, 255);
  auto target = NewBitmap32(10, 10);
  FillRect32(*target, RECT{0, 0, 10, 10}, ExchangeRedBlue(kSentinel & 0xFFFFFF), kSentinel >> 24);
  StretchMaskedPiece(0, 0, 10, 10, 0, 2, 4, 4, *target, *picture, 4, false);
  StretchMaskedPiece(0, 0, 10, 10, 2, 0, 4, 4, *target, *picture, 4, true);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(GetPixel32(*target, x, y), kSentinel) << x << "," << y;
  StretchMaskedPiece(0, 0, 10, 10, 0, 0, 4, 4, *target, *picture, 4, false);
  EXPECT_EQ(GetPixel32(*target, 9, 9), 0xFF000000u);
}

}  // namespace
