#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/graphics/TriangleArrows.h"
#include "support/PixelHelpers.h"

namespace {

// The 11 x 11 picture as rows of '#' (arrow) and '.' (untouched).
std::vector<std::string> Picture(TBitmap& Bmp) {
  GdiFlush();
  std::vector<std::string> Rows;
  for (int y = 0; y < Bmp.Height(); ++y) {
    std::string Row;
    for (int x = 0; x < Bmp.Width(); ++x) Row += PixelAt(Bmp, x, y) != 0 ? '#' : '.';
    Rows.push_back(Row);
  }
  return Rows;
}

std::string Show(const std::vector<std::string>& Rows) {
  std::string s;
  for (auto& r : Rows) s += r + "\n";
  return s;
}

struct ArrowCase {
  uint8_t Direction;
  std::vector<std::string> Want;
};

}  // namespace

TEST(TriangleArrows, BitmapArrowsAtNinetySixPixelsPerInch) {
  const ArrowCase Cases[] = {
      {0,
       {"...........", "...........", "...........", "...........", "......#....", ".....##....", "....###....",
        ".....##....", "......#....", "...........", "..........."}},
      {2,
       {"...........", "...........", "...........", "....#......", "....##.....", "....###....", "....##.....",
        "....#......", "...........", "...........", "..........."}},
      {1,
       {"...........", "...........", "...........", "...........", ".....#.....", "....###....", "...#####...",
        "...........", "...........", "...........", "..........."}},
      {3,
       {"...........", "...........", "...........", "...........", "...#####...", "....###....", ".....#.....",
        "...........", "...........", "...........", "..........."}},
  };
  for (const auto& c : Cases) {
    std::unique_ptr<TBitmap> Bmp(FilledBitmap32(11, 11, 0));
    DrawTriangleArrowOnBitmap(*Bmp, 0xFF0000FF, RECT{0, 0, 11, 11}, c.Direction, 96);
    EXPECT_EQ(Show(Picture(*Bmp)), Show(c.Want)) << int(c.Direction);
    EXPECT_EQ(PixelAt(*Bmp, 5, 5), 0xFFFF0000u) << int(c.Direction);  // red, alpha from the top byte
  }
}

TEST(TriangleArrows, CanvasArrowsAtNinetySixPixelsPerInch) {
  const ArrowCase Cases[] = {
      {0,
       {"...........", "...........", "...........", ".......#...", "......##...", ".....###...", "....####...",
        ".....###...", "......##...", ".......#...", "..........."}},
      {3,
       {"...........", "...........", "...........", "..#######..", "...#####...", "....###....", ".....#.....",
        "...........", "...........", "...........", "..........."}},
  };
  for (const auto& c : Cases) {
    std::unique_ptr<TBitmap> Bmp(FilledBitmap32(11, 11, 0));
    TCanvas Canvas(Bmp->DC());
    DrawTriangleArrowOnCanvas(Canvas, clRed, RECT{0, 0, 11, 11}, c.Direction, 96);
    EXPECT_EQ(Show(Picture(*Bmp)), Show(c.Want)) << int(c.Direction);
  }
}

TEST(TriangleArrows, BitmapArrowThatDoesNotFitDrawsNothing) {
  const RECT Rects[] = {{-6, 0, 2, 11}, {0, -8, 11, 1}, {6, 0, 14, 11}, {0, 8, 11, 17}};
  for (const RECT& R : Rects)
    for (uint8_t Direction = 0; Direction < 4; ++Direction) {
      std::unique_ptr<TBitmap> Bmp(FilledBitmap32(11, 11, 0));
      DrawTriangleArrowOnBitmap(*Bmp, 0xFF0000FF, R, Direction, 96);
      for (auto& Row : Picture(*Bmp)) ASSERT_EQ(Row, "...........") << R.left << "," << R.top << " " << int(Direction);
    }
  // Twice the density: twice the size.
  std::unique_ptr<TBitmap> Big(FilledBitmap32(20, 20, 0));
  DrawTriangleArrowOnBitmap(*Big, 0xFF0000FF, RECT{0, 0, 20, 20}, 3, 192);
  int n = 0;
  for (auto& Row : Picture(*Big)) n += int(std::count(Row.begin(), Row.end(), '#'));
  EXPECT_EQ(n, 10 + 8 + 6 + 4 + 2);
}
