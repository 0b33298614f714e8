// Round corners: which corner pixels take the background, from a colour or
// a bitmap, and what a rectangle reaching out of the bitmap changes.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/graphics/GdiPlus.h"
#include "skin/painting/RoundCorners.h"
#include "tests/skin/support/PixelHelpers.h"

namespace {

constexpr uint32_t kPicture = 0xFF102030;

std::unique_ptr<TBitmap> Picture(int W, int H) { return std::unique_ptr<TBitmap>(FilledBitmap32(W, H, kPicture)); }

// Every pixel tells where it lies, so a copied background pixel shows its source.
std::unique_ptr<TBitmap> Marked(int W, int H) {
  std::unique_ptr<TBitmap> Bmp(FilledBitmap32(W, H, 0));
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) SetPixelAt(*Bmp, x, y, 0xFF000000u | uint32_t(x) << 8 | uint32_t(y));
  return Bmp;
}

// A pixel of a corner at (dx, dy) from that corner's outer edges.
POINT CornerPixel(const RECT& R, int Corner, int dx, int dy) {
  return POINT{Corner & 1 ? R.right - 1 - dx : R.left + dx, Corner & 2 ? R.bottom - 1 - dy : R.top + dy};
}

class RoundCorners : public ::testing::Test {
 protected:
  void SetUp() override { InitGdiPlus(); }
  void TearDown() override {
    FreeRoundCornerMasks();
    DoneGdiPlus();
  }
};

}  // namespace

TEST_F(RoundCorners, MasksAreMadeOncePerRadius) {
  TBitmap* Three = GetRoundCornerMask(3);
  EXPECT_EQ(GetRoundCornerMask(3), Three);
  TBitmap* Six = GetRoundCornerMask(6);
  TBitmap* Seven = GetRoundCornerMask(7);
  ASSERT_TRUE(Six && Seven);
  EXPECT_NE(Six, Seven);
  EXPECT_EQ(GetRoundCornerMask(6), Six);
  EXPECT_EQ(GetRoundCornerMask(0), nullptr);
  for (int r : {1, 2, 3, 4, 5, 6, 7, 12}) {
    TBitmap* M = GetRoundCornerMask(r);
    ASSERT_EQ(M->Width(), 2 * r + 1) << r;
    ASSERT_EQ(M->Height(), 2 * r + 1) << r;
    EXPECT_EQ(PixelAt(*M, 0, 0), 0xFFFFFFFFu) << r;
    EXPECT_EQ(PixelAt(*M, 2 * r, 2 * r), 0xFFFFFFFFu) << r;
    EXPECT_EQ(PixelAt(*M, r, r) & 0xFFFFFF, 0u) << r;
  }
}

TEST_F(RoundCorners, OutsideTheCircleTakesTheColourInsideKeepsThePicture) {
  struct {
    int Radius;
    uint32_t Fill;      // engine colour, top byte the alpha
    uint32_t WantArgb;  // the pixel a see-through corner gets
  } Cases[] = {
      {3, 0xFF00FF, 0x00FF00FF},  // the key colour: see-through
      {5, 0xFF00FF, 0x00FF00FF},
      {8, 0xFF0000FF, 0xFFFF0000},  // opaque red
  };
  for (auto& c : Cases) {
    auto Bmp = Picture(40, 30);
    const RECT R{0, 0, 40, 30};
    TacBackgroundSource Bg;
    Bg.FillColor = c.Fill;
    const int Radii[4] = {c.Radius, c.Radius, c.Radius, c.Radius};
    PaintRoundCorners(TsGeneralData{}, *Bmp, R, Bg, Radii, false);
    const int r = c.Radius;
    for (int Corner = 0; Corner < 4; ++Corner) {
      std::vector<POINT> Outside{{0, 0}};
      if (r >= 5) Outside.insert(Outside.end(), {{1, 0}, {0, 1}});  // clear of the rim on any rasteriser
      for (POINT Out : Outside) {
        POINT p = CornerPixel(R, Corner, Out.x, Out.y);
        EXPECT_EQ(PixelAt(*Bmp, p.x, p.y), c.WantArgb) << r << " corner " << Corner << " " << Out.x << "," << Out.y;
      }
      for (POINT In : {POINT{r, r}, POINT{r, 2}, POINT{2, r}, POINT{r + 1, 0}, POINT{0, r + 1}}) {
        POINT p = CornerPixel(R, Corner, In.x, In.y);
        EXPECT_EQ(PixelAt(*Bmp, p.x, p.y), kPicture) << r << " corner " << Corner << " " << In.x << "," << In.y;
      }
    }
    EXPECT_EQ(PixelAt(*Bmp, 20, 15), kPicture);
  }
}

TEST_F(RoundCorners, EachCornerReadsTheBackgroundUnderIt) {
  auto Bg = Marked(50, 40);
  TacBackgroundSource Src;
  Src.Bmp = Bg.get();
  Src.Ready = true;
  Src.X = 3;
  Src.Y = 2;
  const RECT R{0, 0, 40, 30};
  TsGeneralData Section;
  Section.BorderRadius = 6;
  const int Radii[4] = {6, 6, 6, 6};
  // A radii record, and the section's own radius, give the same corners.
  for (const int* Given : {static_cast<const int*>(Radii), static_cast<const int*>(nullptr)}) {
    auto Bmp = Picture(40, 30);
    PaintRoundCorners(Section, *Bmp, R, Src, Given, false);
    for (int Corner = 0; Corner < 4; ++Corner) {
      POINT p = CornerPixel(R, Corner, 0, 0);
      EXPECT_EQ(PixelAt(*Bmp, p.x, p.y), PixelAt(*Bg, p.x + 3, p.y + 2)) << Corner << (Given ? " radii" : " own");
      POINT q = CornerPixel(R, Corner, 6, 6);
      EXPECT_EQ(PixelAt(*Bmp, q.x, q.y), kPicture) << Corner;
    }
  }
}

TEST_F(RoundCorners, FollowRectReadsTheBackgroundsOwnEdges) {
  auto Bg = Marked(50, 40);
  TacBackgroundSource Src;
  Src.Bmp = Bg.get();
  Src.Ready = true;
  auto Bmp = Picture(40, 30);
  const int Radii[4] = {0, 4, 0, 4};
  PaintRoundCorners(TsGeneralData{}, *Bmp, RECT{0, 0, 40, 30}, Src, Radii, true);
  EXPECT_EQ(PixelAt(*Bmp, 39, 0), PixelAt(*Bg, 49, 0));    // right-top from the background's right edge
  EXPECT_EQ(PixelAt(*Bmp, 39, 29), PixelAt(*Bg, 49, 39));  // right-bottom from its bottom-right
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), kPicture);                // radius 0: square
  EXPECT_EQ(PixelAt(*Bmp, 0, 29), kPicture);
}

TEST_F(RoundCorners, OnlyPixelsInsideTheRectangleAndTheBitmapChange) {
  struct {
    RECT R;
    int Radius;
  } Cases[] = {
      {{-3, 0, 17, 10}, 8},     // reaching out on the left
      {{4, 4, 6, 6}, 5},        // smaller than its corners
      {{8, 8, 30, 30}, 4},      // reaching out on the right and bottom
      {{-20, -20, -5, -5}, 3},  // wholly outside
      {{2, 2, 8, 8}, 0},
  };
  for (auto& c : Cases) {
    auto Bmp = Picture(10, 10);
    TacBackgroundSource Bg;
    Bg.FillColor = 0xFF0000FF;
    TsGeneralData Section;
    Section.BorderRadius = c.Radius;
    PaintRoundCorners(Section, *Bmp, c.R, Bg, nullptr, false);
    int Changed = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) {
        const bool In = x >= c.R.left && x < c.R.right && y >= c.R.top && y < c.R.bottom;
        if (PixelAt(*Bmp, x, y) != kPicture) {
          ++Changed;
          EXPECT_TRUE(In) << c.R.left << "," << c.R.top << " pixel " << x << "," << y;
        }
      }
    if (c.Radius == 8) {
      // The left-top quarter shows only its columns 3 and on.
      EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0xFFFF0000u);
      EXPECT_EQ(PixelAt(*Bmp, 0, 5), kPicture);
    }
    if (c.Radius == 5) {
      EXPECT_GT(Changed, 0);
    }
    if (c.Radius == 0 || c.R.right < 0) {
      EXPECT_EQ(Changed, 0);
    }
  }
}

TEST_F(RoundCorners, ABackgroundBitmapTooSmallIsReadOnlyWhereItHasPixels) {
  auto Bg = Marked(5, 5);
  TacBackgroundSource Src;
  Src.Bmp = Bg.get();
  Src.Ready = true;
  auto Bmp = Picture(20, 20);
  const int Radii[4] = {4, 4, 4, 4};
  PaintRoundCorners(TsGeneralData{}, *Bmp, RECT{0, 0, 20, 20}, Src, Radii, false);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), PixelAt(*Bg, 0, 0));
  EXPECT_EQ(PixelAt(*Bmp, 19, 19), kPicture);  // no background there
}
