// The see-through corners of a skin image item, from its own picture or
// the skin's master bitmap.
#include <gtest/gtest.h>

#include "skin/graphics/Bitmap32.h"
#include "skin/core/MaskKeyRects.h"
#include "support/PixelHelpers.h"

namespace {

// The routine only asks whether the item belongs to a skin manager.
TsSkinManager* const SomeManager = reinterpret_cast<TsSkinManager*>(alignof(std::max_align_t));

// An 8 x 8 picture, all opaque black but for the key-colour pixels given.
std::unique_ptr<TBitmap> Picture(std::initializer_list<POINT> KeyPixels) {
  std::unique_ptr<TBitmap> Bmp(FilledBitmap32(8, 8, 0xFF000000));
  for (POINT p : KeyPixels) SetPixelAt(*Bmp, p.x, p.y, 0xFF00FF);
  return Bmp;
}

// An item of 6 x 8 at (1, 0) with corners 2 wide and 1 high.
TsMaskData Item(TBitmap* Own, int MaskType) {
  TsMaskData m;
  m.Bmp = Own;
  m.Manager = SomeManager;
  m.SrcRect = RECT{1, 0, 7, 8};
  m.WL = 2, m.WT = 1, m.WR = 2, m.WB = 1;
  m.ImageCount = 1;
  m.MaskType = static_cast<int16_t>(MaskType);
  return m;
}

}  // namespace

TEST(MaskKeyRects, CornersOfTheItemsPictureInWindowCoordinates) {
  // Top-left and top-right corners; (1, 3) is the bottom row of the upper
  // half, where a masked item's frame ends; (6, 7) the last row of all.
  auto Own = Picture({{1, 0}, {6, 0}, {1, 3}, {6, 7}});
  auto Master = Picture({{2, 0}});
  struct {
    const char* Name;
    TBitmap* OwnBmp;
    TsSkinManager* Manager;
    int MaskType;
    bool FromBottom;
    std::vector<RECT> Want;
  } Cases[] = {
      {"top corners", Own.get(), SomeManager, 0, false, {{0, 20, 1, 21}, {99, 20, 100, 21}}},
      {"bottom of a plain item", Own.get(), SomeManager, 0, true, {{99, 20, 100, 21}}},
      {"bottom of a masked item is above its mask", Own.get(), SomeManager, 1, true, {{0, 20, 1, 21}}},
      {"no own picture: the master bitmap", nullptr, SomeManager, 0, false, {{1, 20, 2, 21}}},
      {"no skin manager", Own.get(), nullptr, 0, false, {}},
  };
  for (auto& c : Cases) {
    TsMaskData m = Item(c.OwnBmp, c.MaskType);
    m.Manager = c.Manager;
    std::vector<RECT> Rects;
    CollectMaskKeyRects(Rects, 100, m, 20, c.FromBottom, Master.get());
    ASSERT_EQ(Rects.size(), c.Want.size()) << c.Name;
    for (size_t i = 0; i < Rects.size(); ++i) EXPECT_TRUE(EqualRect(&Rects[i], &c.Want[i])) << c.Name << " " << i;
  }
}

TEST(MaskKeyRects, NoPictureAtAllGivesNothing) {
  std::vector<RECT> Rects;
  CollectMaskKeyRects(Rects, 100, Item(nullptr, 0), 0, false, nullptr);
  EXPECT_TRUE(Rects.empty());
}
