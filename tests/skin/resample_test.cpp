#include <gtest/gtest.h>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Resample.h"
#include "support/PixelHelpers.h"

namespace {

std::unique_ptr<TBitmap> Filled(int W, int H, uint32_t Argb) {
  return std::unique_ptr<TBitmap>(FilledBitmap32(W, H, Argb));
}

}  // namespace

// A wide filter on a source of two or three pixels, or onto a target of
// one, mirrors its taps past both ends: every tap must land inside the row.
TEST(Resample, EveryContributorLiesInsideTheSource) {
  for (int Kind = 0; Kind <= 6; ++Kind)
    for (int SrcSize : {2, 3, 7})
      for (int DstSize : {1, 2, 3, 5, 16}) {
        const TContributors List = BuildContributors(DstSize, SrcSize, 4, uint8_t(Kind));
        ASSERT_EQ(int(List.Counts.size()), DstSize);
        for (int i = 0; i < DstSize; ++i) {
          EXPECT_LE(List.Counts[i], List.Capacity);
          EXPECT_GT(List.Counts[i], 0) << "filter " << Kind << " " << SrcSize << "->" << DstSize << " pixel " << i;
          for (int n = 0; n < List.Counts[i]; ++n) {
            const ptrdiff_t Offset = List.Items[size_t(i) * List.Capacity + n].Offset;
            EXPECT_TRUE(Offset >= 0 && Offset <= (SrcSize - 1) * 4 && Offset % 4 == 0)
                << "filter " << Kind << " " << SrcSize << "->" << DstSize << " offset " << Offset;
          }
        }
      }
}

// Tiny pictures of exactly their size, every filter: each row keeps its
// own colour (a tap outside the row would bring in the other row's).
TEST(Resample, TinySourcesStayInTheirRows) {
  for (int Kind = 0; Kind <= 6; ++Kind)
    for (auto [SrcW, DstW] : {std::pair{2, 1}, std::pair{3, 1}, std::pair{2, 5}, std::pair{3, 8}}) {
      auto Src = Filled(SrcW, 2, 0xFFFF0000);
      for (int x = 0; x < SrcW; ++x) SetPixelAt(*Src, x, 1, 0xFF0000FF);
      auto Dst = NewBitmap32(0, 0);
      ResampleBitmap(*Src, *Dst, DstW, 1, uint8_t(Kind));
      ASSERT_EQ(Dst->Width(), DstW);
      ASSERT_EQ(Dst->Height(), 1);
      // Down to one row the two colours mix; no third colour may appear.
      for (int x = 0; x < DstW; ++x) EXPECT_EQ(PixelAt(*Dst, x, 0) >> 8 & 0xFF, 0u) << "filter " << Kind;
      auto Wide = NewBitmap32(0, 0);
      ResampleBitmap(*Src, *Wide, DstW, 2, 0);
      for (int x = 0; x < DstW; ++x) {
        EXPECT_EQ(PixelAt(*Wide, x, 0) & 0xFF, 0u) << "box keeps row 0 red";
        EXPECT_EQ(PixelAt(*Wide, x, 1) >> 16 & 0xFF, 0u) << "box keeps row 1 blue";
      }
    }
}

TEST(Resample, SizesAndBoxDoubling) {
  auto Line = Filled(1, 100, 0xFF102030);
  auto Dst = Filled(3, 3, 0xFF000000);
  ResampleBitmap(*Line, *Dst, 4, 4, 6);  // a source narrower than 2 does nothing
  EXPECT_EQ(Dst->Width(), 3);
  EXPECT_EQ(PixelAt(*Dst, 0, 0), 0xFF000000u);

  auto Src = Filled(2, 2, 0xFF000000);
  const uint32_t Colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  for (int i = 0; i < 4; ++i) SetPixelAt(*Src, i % 2, i / 2, Colours[i]);
  ResampleBitmap(*Src, *Dst, 2, 2, 3);  // same size: a copy
  for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelAt(*Dst, i % 2, i / 2), Colours[i]);
  ResampleBitmap(*Src, *Dst, 4, 4, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(*Dst, x, y), Colours[(y / 2) * 2 + x / 2]) << x << "," << y;
}

TEST(Resample, DownscaleEdgesTakeMirroredNeighbours) {
  auto Src = Filled(8, 8, 0xFFFFFFFF);
  auto Dst = NewBitmap32(0, 0);
  ResampleBitmap(*Src, *Dst, 3, 3, 5);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_GT(PixelAt(*Dst, x, y) & 0xFF, 0xC0u) << x << "," << y;
}
