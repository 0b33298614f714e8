#include <gtest/gtest.h>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/MarginStretch.h"
#include "support/PixelHelpers.h"

namespace {

std::unique_ptr<TBitmap> Filled(int W, int H, uint32_t Argb) {
  return std::unique_ptr<TBitmap>(FilledBitmap32(W, H, Argb));
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF, kGrey = 0xFF808080,
                   kBlack = 0xFF000000;

// 9 x 9: 3-pixel corners red, green, blue, white; top edge columns
// alternating black and grey; the rest grey.
std::unique_ptr<TBitmap> Framed() {
  auto Src = Filled(9, 9, kGrey);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      SetPixelAt(*Src, x, y, kRed);
      SetPixelAt(*Src, 6 + x, y, kGreen);
      SetPixelAt(*Src, x, 6 + y, kBlue);
      SetPixelAt(*Src, 6 + x, 6 + y, kWhite);
      SetPixelAt(*Src, 3 + x, y, x == 1 ? kGrey : kBlack);
    }
  return Src;
}

}  // namespace

TEST(MarginStretch, CornersKeepTheirSizeAndAtMostHalfTheTarget) {
  auto Src = Framed();
  const RECT Margins{3, 3, 3, 3};
  auto Small = Filled(4, 4, 0);
  StretchBitmapByMargins(*Small, *Src, RECT{0, 0, 4, 4}, RECT{0, 0, 9, 9}, Margins, Margins, RECT{1, 1, 1, 1}, true,
                         true);
  EXPECT_EQ(PixelAt(*Small, 0, 0), kRed);
  EXPECT_EQ(PixelAt(*Small, 1, 1), kRed);
  EXPECT_EQ(PixelAt(*Small, 2, 1), kGreen);
  EXPECT_EQ(PixelAt(*Small, 1, 2), kBlue);
  EXPECT_EQ(PixelAt(*Small, 2, 2), kWhite);

  auto Big = Filled(20, 20, 0);
  StretchBitmapByMargins(*Big, *Src, RECT{0, 0, 20, 20}, RECT{0, 0, 9, 9}, Margins, Margins, RECT{0, 0, 0, 0}, true,
                         true);
  EXPECT_EQ(PixelAt(*Big, 2, 2), kRed);
  EXPECT_EQ(PixelAt(*Big, 3, 3), kGrey);
  EXPECT_EQ(PixelAt(*Big, 17, 2), kGreen);
  EXPECT_EQ(PixelAt(*Big, 2, 17), kBlue);
  EXPECT_EQ(PixelAt(*Big, 17, 17), kWhite);
  EXPECT_EQ(PixelAt(*Big, 10, 10), kGrey);
  // The top edge is tiled (mode 0): black, grey, black repeating from the corner on.
  for (int x = 3; x < 17; ++x) EXPECT_EQ(PixelAt(*Big, x, 0), (x - 3) % 3 == 1 ? kGrey : kBlack) << x;
}

TEST(MarginStretch, CentreLeftAloneWithoutDrawCenterAndStretchedEdges) {
  auto Src = Framed();
  const RECT Margins{3, 3, 3, 3};
  auto Big = Filled(18, 9, 0x12345678);
  StretchBitmapByMargins(*Big, *Src, RECT{0, 0, 18, 9}, RECT{0, 0, 9, 9}, Margins, Margins, RECT{1, 1, 1, 1}, false,
                         false);
  EXPECT_EQ(PixelAt(*Big, 9, 4), 0x12345678u);
  // Stretched twice as wide (12 over 3): the grey middle column lands in the middle.
  EXPECT_EQ(PixelAt(*Big, 3, 0), kBlack);
  EXPECT_EQ(PixelAt(*Big, 8, 0), kGrey);
  EXPECT_EQ(PixelAt(*Big, 14, 0), kBlack);
}

TEST(MarginStretch, DrawBitmapOnCanvasAlpha) {
  auto Picture = Filled(2, 2, 0x80FFFFFF);
  SetPixelAt(*Picture, 1, 1, 0x00FFFFFF);
  for (int Size : {2, 4}) {
    auto Canvas = Filled(6, 6, kBlack);
    DrawBitmapOnCanvasAlpha(Canvas->DC(), *Picture, RECT{1, 1, 1 + Size, 1 + Size}, false);
    EXPECT_EQ(PixelAt(*Canvas, 1, 1) & 0xFFFFFF, 0x7F7F7Fu) << Size;  // half covered
    EXPECT_EQ(PixelAt(*Canvas, Size, Size) & 0xFFFFFF, 0u) << Size;   // alpha 0 shows the canvas
    EXPECT_EQ(PixelAt(*Canvas, 0, 0), kBlack) << Size;                // outside R untouched
  }
}
