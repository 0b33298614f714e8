// Nine-piece painting of a small hand-made image item: which source pixel
// lands where for each piece, tiling against stretching, the centre and
// state-0 flags, mask blending and the key colour at the corners, and the
// cases that must paint nothing rather than read or write outside.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "framework/Application.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/SkinRect.h"

namespace {

constexpr uint32_t kSentinel = 0x11223344;
constexpr uint32_t kKey = 0xFFFF00FF;
constexpr int kFrame = 6;   // frame width and height
constexpr int kFrames = 2;  // states in the strip

// Every source pixel of the picture half tells where it came from: red the
// column, green the row, blue 0x5A.
uint32_t SourcePixel(int X, int Y) { return 0xFF000000u | uint32_t(X) << 16 | uint32_t(Y) << 8 | 0x5A; }

// The blends that weigh by 255 shr 8 round a channel down by one.
::testing::AssertionResult Near(uint32_t Actual, uint32_t Expected) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int(Actual >> shift & 0xFF) - int(Expected >> shift & 0xFF)) > 1)
      return ::testing::AssertionFailure() << std::hex << Actual << " is not near " << Expected;
  return ::testing::AssertionSuccess();
}

class SkinRect : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }

  void SetUp() override {
    Manager = std::make_unique<TsSkinManager>(nullptr);
    Picture = NewBitmap32(kFrame * kFrames, kFrame * 2);
    for (int y = 0; y < kFrame; ++y)
      for (int x = 0; x < kFrame * kFrames; ++x) {
        SetPixel32(*Picture, x, y, SourcePixel(x, y));
        SetPixel32(*Picture, x, y + kFrame, 0);  // mask 0: the picture alone
      }
    Item.Bmp = Picture.get();
    Item.Manager = Manager.get();
    Item.SrcRect = RECT{0, 0, kFrame * kFrames, kFrame * 2};
    Item.ImageCount = kFrames;
    Item.MaskType = 1;
    Item.WL = Item.WT = Item.WR = Item.WB = 2;
    Item.FrameWidth = Item.FrameHeight = kFrame;
    Rect = RECT{2, 2, 22, 22};  // 20 x 20
    Target = NewBitmap32(24, 24);
    FillRect32(*Target, RECT{0, 0, 24, 24}, ExchangeRedBlue(kSentinel & 0xFFFFFF), kSentinel >> 24);
  }

  void SetMask(int X, int Y, uint8_t M) { SetPixel32(*Picture, X, Y + kFrame, 0xFF000000u | M * 0x010101u); }
  uint32_t At(int X, int Y) { return GetPixel32(*Target, X, Y); }
  bool Untouched() {
    for (int y = 0; y < Target->Height(); ++y)
      for (int x = 0; x < Target->Width(); ++x)
        if (At(x, y) != kSentinel) return false;
    return true;
  }
  void Paint(int State = 1, const TacBackgroundSource& Bg = EmptyBackgroundSource, bool UseBg = false) {
    DrawSkinRect(*Target, Rect, Bg, Item, State, UseBg);
  }

  std::unique_ptr<TsSkinManager> Manager;
  std::unique_ptr<TBitmap> Picture, Target;
  TsMaskData Item;
  RECT Rect;
};

// Frame 1 starts at source column 6.
TEST_F(SkinRect, CornersOneToOneAndSidesTiledFromTheirBorderPieces) {
  Paint();
  EXPECT_EQ(At(2, 2), SourcePixel(6, 0));  // left-top corner
  EXPECT_EQ(At(3, 3), SourcePixel(7, 1));
  EXPECT_EQ(At(21, 2), SourcePixel(11, 0));  // right-top corner, last column
  EXPECT_EQ(At(2, 21), SourcePixel(6, 5));   // left-bottom corner, last row
  EXPECT_EQ(At(21, 21), SourcePixel(11, 5));
  // Top side: two-pixel tiles from columns 8 and 9, the last one cut.
  EXPECT_EQ(At(4, 2), SourcePixel(8, 0));
  EXPECT_EQ(At(5, 2), SourcePixel(9, 0));
  EXPECT_EQ(At(18, 2), SourcePixel(8, 0));
  EXPECT_EQ(At(19, 2), SourcePixel(9, 0));
  // Left side tiles rows 2 and 3; right side from columns 10 and 11.
  EXPECT_EQ(At(2, 9), SourcePixel(6, 3));
  EXPECT_EQ(At(20, 10), SourcePixel(10, 2));
  // No centre flag: the centre keeps what was there, and so does all
  // outside the rectangle.
  EXPECT_EQ(At(12, 12), kSentinel);
  EXPECT_EQ(At(1, 1), kSentinel);
  EXPECT_EQ(At(22, 22), kSentinel);
}

TEST_F(SkinRect, CentreIsTiledOnlyWithItsFlag) {
  Item.DrawMode = dmPaintCentre;
  Paint();
  EXPECT_EQ(At(4, 4), SourcePixel(8, 2));
  EXPECT_EQ(At(13, 11), SourcePixel(9, 3));
  EXPECT_EQ(At(19, 19), SourcePixel(9, 3));
}

TEST_F(SkinRect, StretchedSidesSpreadTheirSourceOverTheBand) {
  Item.DrawMode = dmStretch;
  Paint();
  EXPECT_EQ(At(2, 2), SourcePixel(6, 0));  // corners still one to one
  EXPECT_EQ(At(4, 2), SourcePixel(8, 0));  // first half of the band: column 8
  EXPECT_EQ(At(11, 2), SourcePixel(8, 0));
  EXPECT_EQ(At(12, 2), SourcePixel(9, 0));  // second half: column 9
  EXPECT_EQ(At(19, 2), SourcePixel(9, 0));
  EXPECT_EQ(At(12, 12), kSentinel);
}

TEST_F(SkinRect, StatesChooseTheFrameAndStateZeroMaySkip) {
  Paint(0);
  EXPECT_EQ(At(2, 2), SourcePixel(0, 0));
  Paint(7);  // past the strip: the last frame
  EXPECT_EQ(At(2, 2), SourcePixel(6, 0));

  SetUp();
  Item.DrawMode = dmNothingInState0;
  Paint(0);
  EXPECT_TRUE(Untouched());
  Paint(1);
  EXPECT_EQ(At(2, 2), SourcePixel(6, 0));
}

TEST_F(SkinRect, BordersTooWideShareTheLossOddPixelFromTheRight) {
  Item.WL = Item.WR = 10;
  Item.FrameWidth = 20;
  auto wide = NewBitmap32(40, 12);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 40; ++x) SetPixel32(*wide, x, y, SourcePixel(x, y)), SetPixel32(*wide, x, y + 6, 0);
  Item.Bmp = wide.get();
  Item.SrcRect = RECT{0, 0, 40, 12};
  Rect = RECT{0, 0, 15, 10};
  Paint();
  // Left 8 from the frame's left edge, right 7 from its right edge.
  EXPECT_EQ(At(7, 0), SourcePixel(27, 0));
  EXPECT_EQ(At(8, 0), SourcePixel(33, 0));
  EXPECT_EQ(At(14, 0), SourcePixel(39, 0));
}

// Borders that take the whole frame height leave side tiles of height 0:
// the masked kind copies nothing there, the others cut one piece, and
// the painting ends.
TEST_F(SkinRect, SideTilesOfHeightZeroEndNormally) {
  for (int16_t maskType : {1, 0}) {
    SetUp();
    Item.MaskType = maskType;
    Item.WT = Item.WB = 3;
    Paint();
    EXPECT_EQ(At(2, 2), SourcePixel(6, 0)) << maskType;
    if (maskType != 0) EXPECT_EQ(At(2, 10), kSentinel);
  }
}

// A one-pixel source piece whose mask is 0 fills its whole band with its
// colour at alpha 255.
TEST_F(SkinRect, OnePixelStretchedSideFillsItsBand) {
  Item.WL = Item.WT = Item.WR = Item.WB = 1;
  Item.FrameWidth = Item.FrameHeight = 3;
  Item.ImageCount = 4;
  Item.SrcRect = RECT{0, 0, 12, 6};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 12; ++x) SetPixel32(*Picture, x, y, SourcePixel(x, y)), SetPixel32(*Picture, x, y + 3, 0);
  Item.DrawMode = dmStretch;
  Paint();
  // Frame 1 starts at column 3: its left side is the pixel (3, 1).
  for (int y = 3; y < 21; ++y) ASSERT_EQ(At(2, y), SourcePixel(3, 1)) << y;
  EXPECT_EQ(At(3, 10), kSentinel);
}

TEST_F(SkinRect, MaskSaysHowMuchOfTheDestinationSurvives) {
  SetMask(6, 0, 255);
  SetMask(7, 0, 128);
  Paint();
  uint32_t kept = At(2, 2), half = At(3, 2);
  // 255 keeps the destination (the blend rounds down by at most one).
  for (int shift = 0; shift < 24; shift += 8) {
    EXPECT_NEAR(int(kept >> shift & 0xFF), int(kSentinel >> shift & 0xFF), 1) << shift;
    int expected = ((int(kSentinel >> shift & 0xFF) - int(SourcePixel(7, 0) >> shift & 0xFF)) * 128 +
                    int(SourcePixel(7, 0) >> shift & 0xFF) * 256) >>
                   8;
    EXPECT_EQ(int(half >> shift & 0xFF), expected) << shift;
  }
  EXPECT_EQ(half >> 24, 255u);
}

// The corners' see-through pixels take the background only when the
// caller allows it and the item's corner mode does; the sides' never.
TEST_F(SkinRect, KeyColourTakesTheBackgroundOnlyWhereCornersMay) {
  struct Case {
    const char* Name;
    int16_t MaskType;
    bool UseBg;
    int CornerMode;
    bool BgReady;
    bool TakesBg;
  };
  const Case cases[] = {
      {"masked, allowed", 1, true, 1, true, true},          {"masked, corner mode 2", 1, true, 2, true, true},
      {"masked, caller says no", 1, false, 1, true, false}, {"masked, item says no", 1, true, 0, true, false},
      {"masked, not ready", 1, true, 1, false, false},      {"plain, allowed", 0, true, 3, true, true},
      {"plain, caller says no", 0, false, 3, true, false},
  };
  constexpr uint32_t kBg = 0xFF0000AA;
  for (const Case& c : cases) {
    SetUp();
    Item.MaskType = c.MaskType;
    Item.CornerMode = c.CornerMode;
    SetPixel32(*Picture, 6, 0, kKey);  // left-top corner
    SetPixel32(*Picture, 8, 0, kKey);  // top side
    auto background = NewBitmap32(30, 30);
    FillRect32(*background, RECT{0, 0, 30, 30}, ExchangeRedBlue(kBg & 0xFFFFFF), 255);
    TacBackgroundSource bg = BitmapBackgroundSource(background.get(), 5, 5);
    bg.Ready = c.BgReady;
    Paint(1, bg, c.UseBg);
    EXPECT_EQ(At(2, 2), c.TakesBg ? kBg : kSentinel) << c.Name;
    // Sides never look at the background: masked ones keep the destination,
    // plain ones are copied as they are.
    EXPECT_EQ(At(4, 2), c.MaskType != 0 ? kSentinel : kKey) << c.Name;
    EXPECT_EQ(At(3, 2), SourcePixel(7, 0)) << c.Name;
  }
}

TEST_F(SkinRect, OverMakesSeeThroughSidesTransparent) {
  SetPixel32(*Picture, 8, 0, kKey);
  DrawSkinRectOver(*Target, Rect, EmptyBackgroundSource, Item, 1);
  EXPECT_EQ(At(4, 2), kSentinel & 0x00FFFFFF);
  EXPECT_TRUE(Near(At(5, 2), SourcePixel(9, 0)));
}

TEST_F(SkinRect, LimitedPaintsOnlyTheBandAlongTheEdges) {
  DrawSkinRectLimited(*Target, Rect, EmptyBackgroundSource, Item, 1, TacLimits{1, 1, 1, 1}, 255);
  EXPECT_TRUE(Near(At(2, 2), SourcePixel(6, 0)));
  EXPECT_TRUE(Near(At(3, 2), SourcePixel(7, 0)));   // the band row of the corner
  EXPECT_EQ(At(3, 3), kSentinel);                   // inside the corner, past the band
  EXPECT_TRUE(Near(At(2, 10), SourcePixel(6, 2)));  // left side, outer column only
  EXPECT_EQ(At(3, 10), kSentinel);
  EXPECT_TRUE(Near(At(21, 10), SourcePixel(11, 2)));
  EXPECT_TRUE(Near(At(10, 21), SourcePixel(8, 5)));
  EXPECT_EQ(At(10, 10), kSentinel);
}

TEST_F(SkinRect, OwnAlphaItemsBlendByTheirAlpha) {
  Item.MaskType = 0;
  Item.DrawMode = dmOwnAlpha;
  SetPixel32(*Picture, 6, 0, 0x00FFFFFF);  // fully transparent
  Paint();
  EXPECT_EQ(At(2, 2), kSentinel);
  EXPECT_TRUE(Near(At(3, 2), SourcePixel(7, 0)));
}

// Every case leaves the bitmap as it was: nothing outside the target or
// the picture is touched.
TEST_F(SkinRect, ItemsOrRectanglesThatDoNotFitPaintNothing) {
  struct Case {
    const char* Name;
    void (*Spoil)(TsMaskData& Item, RECT& Rect);
  };
  const Case cases[] = {
      {"one pixel wide",
       [](TsMaskData&, RECT& r) {
         r = RECT{2, 2, 3, 22};
       }},
      {"one pixel high",
       [](TsMaskData&, RECT& r) {
         r = RECT{2, 2, 22, 3};
       }},
      {"zero size",
       [](TsMaskData&, RECT& r) {
         r = RECT{5, 5, 5, 5};
       }},
      {"upside down",
       [](TsMaskData&, RECT& r) {
         r = RECT{22, 22, 2, 2};
       }},
      {"wholly outside the target",
       [](TsMaskData&, RECT& r) {
         r = RECT{100, 100, 140, 140};
       }},
      {"wholly before the target",
       [](TsMaskData&, RECT& r) {
         r = RECT{-60, -60, -20, -20};
       }},
      {"no manager", [](TsMaskData& m, RECT&) { m.Manager = nullptr; }},
      {"no states", [](TsMaskData& m, RECT&) { m.ImageCount = 0; }},
      {"borders wider than the frame", [](TsMaskData& m, RECT&) { m.WL = m.WR = 4; }},
      {"strip longer than the picture", [](TsMaskData& m, RECT&) { m.ImageCount = 5; }},
      {"rectangle past the picture", [](TsMaskData& m, RECT&) { m.SrcRect.left = 9; }},
      {"frame taller than the picture", [](TsMaskData& m, RECT&) { m.FrameHeight = 13; }},
      {"negative picture rectangle", [](TsMaskData& m, RECT&) { m.SrcRect.top = -3; }},
      {"zero frame", [](TsMaskData& m, RECT&) { m.FrameWidth = 0; }},
  };
  for (const Case& c : cases) {
    for (int16_t maskType : {1, 0}) {
      SetUp();
      Item.MaskType = maskType;
      Item.DrawMode = dmPaintCentre;
      c.Spoil(Item, Rect);
      Paint(4);
      EXPECT_TRUE(Untouched()) << c.Name << ", mask type " << maskType;
    }
  }
}

TEST_F(SkinRect, RectangleReachingPastTheTargetIsCut) {
  Item.DrawMode = dmPaintCentre;
  for (RECT r : {RECT{-7, -9, 13, 11}, RECT{15, 17, 35, 37}}) {
    SetUp();
    Item.DrawMode = dmPaintCentre;
    Rect = r;
    Paint();
    if (r.left < 0) {
      EXPECT_EQ(At(12, 10), SourcePixel(11, 5));  // right-bottom corner
      EXPECT_EQ(At(13, 11), kSentinel);
    } else {
      EXPECT_EQ(At(15, 17), SourcePixel(6, 0));
      EXPECT_EQ(At(14, 16), kSentinel);
    }
  }
}

}  // namespace
