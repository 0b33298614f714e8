// Skin sections painted into small bitmaps: which state is painted, how
// transparency, texture, gradient and a custom colour mix, the plain border
// and its round corners, texture placement by mode, and the cases that
// must paint nothing (or only inside both bitmaps) rather than read or
// write outside.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>

#include "framework/Application.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/RoundCorners.h"
#include "skin/painting/SectionBitmap.h"
#include "skin/painting/SectionBorder.h"
#include "skin/painting/SectionPainting.h"
#include "skin/painting/SectionTextures.h"
#include "tests/skin/support/PixelHelpers.h"

namespace {

constexpr uint32_t kSentinel = 0x11223344;  // pixel order
constexpr int kSize = 16;
// Colour values (red in the low byte) and the pixels they become.
constexpr uint32_t kRed = 0x0000C0, kRedPixel = 0xFFC00000;
constexpr uint32_t kGreen = 0x00C000, kGreenPixel = 0xFF00C000;
constexpr uint32_t kBlue = 0xC00000, kBluePixel = 0xFF0000C0;
constexpr uint32_t kGrey = 0x404040, kGreyPixel = 0xFF404040;
constexpr uint32_t kParent = 0x008080, kParentPixel = 0xFF808000;

::testing::AssertionResult Near(uint32_t Actual, uint32_t Expected, int Tolerance = 1) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int(Actual >> shift & 0xFF) - int(Expected >> shift & 0xFF)) > Tolerance)
      return ::testing::AssertionFailure() << std::hex << Actual << " is not near " << Expected;
  return ::testing::AssertionSuccess();
}

TacBackgroundSource ColorSource(uint32_t Color) {
  TacBackgroundSource bg;
  bg.FillColor = Color;
  return bg;
}

class SectionPainting : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InitGdiPlus();
  }
  static void TearDownTestSuite() {
    FreeRoundCornerMasks();
    DoneGdiPlus();
  }

  void SetUp() override {
    Manager = std::make_unique<TsSkinManager>(nullptr);
    Data = std::make_unique<TacSkinData>(96);
    TsGeneralData sec;
    sec.States = 3;
    const uint32_t colors[3] = {kRed, kGreen, kBlue};
    for (int s = 0; s < 3; ++s) sec.Props[s].Color = colors[s];
    Data->GeneralDataArray.push_back(sec);
    Target = NewBitmap32(kSize, kSize);
    Clear();
  }

  TsGeneralData& Section() { return Data->GeneralDataArray[0]; }
  TsGenState& State0() { return Section().Props[0]; }
  void Clear() {
    FillRect32(*Target, RECT{0, 0, kSize, kSize}, ExchangeRedBlue(kSentinel & 0xFFFFFF), kSentinel >> 24);
  }
  uint32_t At(int X, int Y) { return PixelAt(*Target, X, Y); }
  bool Untouched() {
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        if (At(x, y) != kSentinel) return false;
    return true;
  }
  // A texture picture: each pixel tells its place (red column, green row).
  int AddTexture(int W, int H, int Mode, RECT SrcRect = {}) {
    Pictures.push_back(NewBitmap32(W, H));
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        SetPixelAt(*Pictures.back(), x, y, 0xFF000000u | uint32_t(x) << 16 | uint32_t(y) << 8 | 0x5A);
    TsMaskData item;
    item.Bmp = Pictures.back().get();
    item.Manager = Manager.get();
    item.SrcRect = IsRectEmpty(&SrcRect) ? RECT{0, 0, W, H} : SrcRect;
    item.FrameWidth = item.SrcRect.right - item.SrcRect.left;
    item.FrameHeight = item.SrcRect.bottom - item.SrcRect.top;
    item.ImageCount = 1;
    item.DrawMode = uint16_t(Mode);
    Data->MaskArray.push_back(item);
    return int(Data->MaskArray.size()) - 1;
  }
  static uint32_t TexturePixel(int X, int Y) { return 0xFF000000u | uint32_t(X) << 16 | uint32_t(Y) << 8 | 0x5A; }

  void Paint(int State, const TacBackgroundSource& Bg = ColorSource(0xFF00FF), RECT R = {0, 0, kSize, kSize}) {
    PaintSkinSection(0, Bg, State, R, POINT{0, 0}, Target.get(), Data.get());
  }

  std::unique_ptr<TsSkinManager> Manager;
  std::unique_ptr<TacSkinData> Data;
  std::unique_ptr<TBitmap> Target;
  std::vector<std::unique_ptr<TBitmap>> Pictures;
};

}  // namespace

// A state beyond the section's count paints its last state; the per-state
// fields stop at the third.
TEST_F(SectionPainting, StateIsLimitedToTheSectionsStates) {
  struct Case {
    int States, State;
    uint32_t Pixel;
  };
  for (Case c : {Case{3, 5, kBluePixel}, Case{3, 1, kGreenPixel}, Case{2, 2, kGreenPixel}, Case{1, 2, kRedPixel},
                 Case{5, 4, kBluePixel}, Case{3, -1, kRedPixel}}) {
    Section().States = c.States;
    Clear();
    Paint(c.State);
    EXPECT_EQ(At(7, 7), c.Pixel) << c.States << " states, state " << c.State;
  }
}

TEST_F(SectionPainting, FullTransparencyShowsTheParent) {
  State0().Transparency = 100;
  Paint(0, ColorSource(kParent));
  EXPECT_EQ(At(0, 0), kParentPixel);
  EXPECT_EQ(At(15, 15), kParentPixel);

  // A black parent is a parent colour like any other.
  Clear();
  Paint(0, ColorSource(0));
  EXPECT_EQ(At(7, 7), 0xFF000000u);

  // From a ready bitmap, R's pixels come from the source at its offset.
  std::unique_ptr<TBitmap> parent = NewBitmap32(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) SetPixelAt(*parent, x, y, TexturePixel(x, y));
  Clear();
  FillSectionBackground(0, BitmapBackgroundSource(parent.get(), 3, 4), 0, RECT{2, 2, 10, 10}, POINT{5, 6}, Target.get(),
                        Data.get());
  EXPECT_EQ(At(2, 2), TexturePixel(8, 10));
  EXPECT_EQ(At(9, 9), TexturePixel(15, 17));
  EXPECT_EQ(At(10, 10), kSentinel);

  // A source bitmap smaller than R: only the overlap is copied.
  Clear();
  FillSectionBackground(0, BitmapBackgroundSource(parent.get(), 0, 0), 0, RECT{0, 0, 16, 16}, POINT{30, 30},
                        Target.get(), Data.get());
  EXPECT_EQ(At(9, 9), TexturePixel(39, 39));
  EXPECT_EQ(At(10, 10), kSentinel);
}

TEST_F(SectionPainting, HalfTransparencyOverAColourIsAnEvenMix) {
  State0().Transparency = 50;
  Paint(0, ColorSource(kParent));
  // Parent 0x80 red and green, section 0xC0 red: each channel halfway.
  EXPECT_TRUE(Near(At(5, 5), 0xFFA04000, 2));

  // With a gradient share the fill is blended over the parent at weight 127.
  State0().GradientPercent = 100;
  State0().GradientData = ParseGradientString(L"$C00000;0;0;$C00000;100;0;B");
  Clear();
  Paint(0, ColorSource(kParent));
  EXPECT_TRUE(Near(At(5, 5), 0xFF404060, 2));
}

TEST_F(SectionPainting, CustomColourIgnoresGradientTextureAndTransparency) {
  State0().Transparency = 60;
  State0().ImagePercent = 50;
  State0().TextureIndex = AddTexture(4, 4, 0);
  State0().GradientPercent = 50;
  State0().GradientData = ParseGradientString(L"$C00000;0;0;$C00000;100;0;B");
  FillSectionBackground(0, ColorSource(kParent), 0, RECT{0, 0, kSize, kSize}, POINT{0, 0}, Target.get(), Data.get(), -1,
                        -1, kGrey);
  EXPECT_EQ(At(0, 0), kGreyPixel);
  EXPECT_EQ(At(15, 15), kGreyPixel);
}

TEST_F(SectionPainting, TextureModesPlaceThePictureAndFillTheRest) {
  State0().ImagePercent = 100;
  struct Case {
    int Mode;
    POINT Probe;
    uint32_t Pixel;
  };
  // A 4 x 3 picture in a 16 x 16 rectangle.
  for (Case c :
       {Case{0, {5, 4}, TexturePixel(1, 1)}, Case{2, {5, 2}, TexturePixel(1, 2)}, Case{2, {5, 3}, kRedPixel},
        Case{3, {3, 7}, TexturePixel(3, 1)}, Case{3, {4, 7}, kRedPixel}, Case{6, {5, 15}, TexturePixel(1, 2)},
        Case{6, {5, 12}, kRedPixel}, Case{7, {12, 5}, TexturePixel(0, 2)}, Case{7, {11, 5}, kRedPixel},
        Case{13, {15, 15}, TexturePixel(3, 2)}, Case{13, {0, 0}, TexturePixel(0, 2)}, Case{9, {5, 5}, kRedPixel}}) {
    Data->MaskArray.clear();
    Pictures.clear();
    State0().TextureIndex = AddTexture(4, 3, c.Mode);
    Clear();
    Paint(0);
    EXPECT_EQ(At(c.Probe.x, c.Probe.y), c.Pixel) << "mode " << c.Mode;
  }
}

// A texture whose rectangle claims more than its picture holds, or lies past
// it, reads only what is there.
TEST_F(SectionPainting, TextureRectangleBeyondItsPictureIsCut) {
  State0().ImagePercent = 100;
  State0().TextureIndex = AddTexture(4, 4, 0, RECT{2, 2, 40, 40});
  Paint(0);
  EXPECT_EQ(At(0, 0), TexturePixel(2, 2));
  EXPECT_EQ(At(2, 2), TexturePixel(2, 2));  // the cut picture, 2 x 2, tiles again

  Data->MaskArray[0].SrcRect = RECT{10, 10, 20, 20};  // nothing of it exists
  Clear();
  Paint(0);
  EXPECT_EQ(At(5, 5), kRedPixel);
  State0().TextureIndex = 7;  // past the items
  Clear();
  Paint(0);
  EXPECT_EQ(At(5, 5), kRedPixel);
}

TEST_F(SectionPainting, MaskedTextureInModeTenLeavesTheEdgesToTheBackground) {
  // 6 x 6 picture: the upper 6 x 3 the colour, the lower half the mask (0: picture alone).
  int index = AddTexture(6, 6, 10);
  for (int y = 3; y < 6; ++y)
    for (int x = 0; x < 6; ++x) SetPixelAt(*Pictures.back(), x, y, 0xFF000000);
  Data->MaskArray[index].MaskType = 1;
  RECT r{0, 0, 16, 16}, rest = r;
  DrawMaskedTexture(*Target, rest, Data->MaskArray[index], ColorSource(kParent));
  EXPECT_EQ(rest.right, -1);
  EXPECT_EQ(At(7, 2) & 0xFFFFFF, TexturePixel(1, 2) & 0xFFFFFF);
  EXPECT_EQ(At(12, 2), kParentPixel);  // 16 = 2 x 6 + 4: the last 4 columns
  EXPECT_EQ(At(2, 15), kParentPixel);  // 16 = 5 x 3 + 1: the last row

  Data->MaskArray[index].DrawMode = 3;  // other modes draw nothing
  Clear();
  rest = r;
  DrawMaskedTexture(*Target, rest, Data->MaskArray[index], ColorSource(kParent));
  EXPECT_EQ(rest.right, 16);
  EXPECT_TRUE(Untouched());
}

TEST_F(SectionPainting, ImageAndGradientSharesMixWithTheColour) {
  // Gradient 40 %, no image: the colour takes the rest, c := (c x 102 + colour x 153) shr 8.
  State0().GradientPercent = 40;
  State0().GradientData = ParseGradientString(L"$C8C8C8;0;0;$C8C8C8;100;0;B");
  Paint(0);
  uint32_t expect = 0xFF000000u | ((0xC8 * 102 + 0xC0 * 153) >> 8) << 16 | ((0xC8 * 102) >> 8) << 8 |
                    ((0xC8 * 102) >> 8);
  EXPECT_EQ(At(4, 4), expect);

  // Image 30 % and gradient 70 % over a mode-0 texture and a plain gradient:
  // one pass, channel = (76 x (t - g) + g x 256) shr 8.
  State0().ImagePercent = 30;
  State0().GradientPercent = 70;
  State0().TextureIndex = AddTexture(4, 4, 0);
  Clear();
  Paint(0);
  uint32_t t = TexturePixel(1, 2);
  auto mix = [](int tc, int gc) { return uint32_t((76 * (tc - gc) + gc * 256) >> 8); };
  uint32_t combined = 0xFF000000u | mix(t >> 16 & 0xFF, 0xC8) << 16 | mix(t >> 8 & 0xFF, 0xC8) << 8 |
                      mix(t & 0xFF, 0xC8);
  EXPECT_TRUE(Near(At(5, 6), combined));
}

TEST_F(SectionPainting, CornerGlyphsSitInTheirCorners) {
  int glyph = AddTexture(3, 2, 0);
  Data->MaskArray[glyph].FrameWidth = 3;
  Data->MaskArray[glyph].FrameHeight = 2;
  Section().ImgBottomRight = glyph;
  Section().ImgTopLeft = 42;  // past the items: skipped
  Paint(0, ColorSource(0xFF00FF), RECT{2, 2, 12, 10});
  EXPECT_EQ(At(9, 8), TexturePixel(0, 0));
  EXPECT_EQ(At(11, 9), TexturePixel(2, 1));
  EXPECT_EQ(At(8, 8), kRedPixel);
  EXPECT_EQ(At(2, 2), kRedPixel);
}

TEST_F(SectionPainting, NothingIsPaintedOutsideTheRules) {
  struct Case {
    const char* Name;
    RECT R;
    int Section;
  };
  for (Case c : {Case{"empty", {4, 4, 4, 10}, 0}, Case{"reaches right", {4, 4, 17, 10}, 0},
                 Case{"reaches below", {4, 4, 10, 17}, 0}, Case{"negative", {-1, 0, 5, 5}, 0},
                 Case{"section past the table", {0, 0, 8, 8}, 1}, Case{"negative section", {0, 0, 8, 8}, -1}}) {
    Clear();
    PaintSkinSection(c.Section, ColorSource(kParent), 0, c.R, POINT{0, 0}, Target.get(), Data.get());
    FillSectionBackground(c.Section, ColorSource(kParent), 0, c.R, POINT{0, 0}, Target.get(), Data.get());
    PaintSectionToBitmap(c.Section, 0, c.R, Target.get(), Data.get());
    EXPECT_TRUE(Untouched()) << c.Name;
  }
  PaintSkinSection(0, ColorSource(kParent), 0, RECT{0, 0, 8, 8}, POINT{0, 0}, nullptr, Data.get());
  PaintSkinSection(0, ColorSource(kParent), 0, RECT{0, 0, 8, 8}, POINT{0, 0}, Target.get(), nullptr);
  EXPECT_TRUE(Untouched());

  std::unique_ptr<TBitmap> empty = NewBitmap32(0, 0);
  PaintSkinSection(0, ColorSource(kParent), 0, RECT{0, 0, 1, 1}, POINT{0, 0}, empty.get(), Data.get());
}

TEST_F(SectionPainting, OverDCWithoutAnySectionPaintsNothing) {
  EXPECT_EQ(PaintSkinSectionOverDC(Target.get(), -1, -2, 0, Data.get(), RECT{0, 0, 4, 4}, kParent, nullptr), -2);
  EXPECT_TRUE(Untouched());
  // The fallback stands in for a missing section; without a DC the colour is the background.
  State0().Transparency = 100;
  EXPECT_EQ(PaintSkinSectionOverDC(Target.get(), -1, 0, 0, Data.get(), RECT{0, 0, 4, 4}, kParent, nullptr), 0);
  EXPECT_EQ(At(3, 3), kParentPixel);
}

TEST_F(SectionPainting, ToDCCopiesThePaintedSectionToItsPlace) {
  PaintSkinSectionToDC(0, ColorSource(0xFF00FF), 1, RECT{4, 4, 8, 8}, POINT{0, 0}, Target->DC(), Data.get());
  GdiFlush();
  EXPECT_EQ(At(4, 4) & 0xFFFFFF, kGreenPixel & 0xFFFFFF);
  EXPECT_EQ(At(7, 7) & 0xFFFFFF, kGreenPixel & 0xFFFFFF);
  EXPECT_EQ(At(8, 8), kSentinel);
  PaintSkinSectionToDC(0, ColorSource(0xFF00FF), 1, RECT{-1, 4, 8, 8}, POINT{0, 0}, Target->DC(), Data.get());
  GdiFlush();
  EXPECT_EQ(At(0, 5), kSentinel);
}

TEST_F(SectionPainting, PlainBorderLineAndRoundCorners) {
  // A 1-pixel line in the state's colour.
  Section().Props[0].BorderColor = kGrey;
  Paint(0);
  EXPECT_EQ(At(0, 7), kGreyPixel);
  EXPECT_EQ(At(7, 15), kGreyPixel);
  EXPECT_EQ(At(1, 7), kRedPixel);

  // The key colour with a radius: corners cut over the background, no line.
  Section().Props[0].BorderColor = 0xFF00FF;
  Section().BorderRadius = 4;
  Clear();
  FillRect32(*Target, RECT{0, 0, kSize, kSize}, kRed, 255);
  EXPECT_FALSE(DrawSectionBorder(*Target, RECT{0, 0, kSize, kSize}, Section(), 0, ColorSource(kParent), nullptr, 96));
  EXPECT_EQ(At(0, 0) & 0xFFFFFF, kParentPixel & 0xFFFFFF);
  EXPECT_EQ(At(15, 15) & 0xFFFFFF, kParentPixel & 0xFFFFFF);
  EXPECT_EQ(At(7, 0), kRedPixel);
  EXPECT_EQ(At(0, 7), kRedPixel);

  // A custom border: its own width (scaled) and its state colours.
  TacBorderValues custom;
  custom.Width = 1;
  custom.Colors = {kGreen, kBlue, 0x1FFFFFFF};
  custom.Radii = {0, 0, 0, 0};
  struct Case {
    int State;
    uint32_t Pixel;
  };
  for (Case c : {Case{0, kGreenPixel}, Case{1, kBluePixel}, Case{2, kBluePixel}}) {
    FillRect32(*Target, RECT{0, 0, kSize, kSize}, kRed, 255);
    EXPECT_TRUE(
        DrawSectionBorder(*Target, RECT{0, 0, kSize, kSize}, Section(), c.State, ColorSource(kParent), &custom, 192));
    EXPECT_EQ(At(1, 7), c.Pixel) << c.State;  // two pixels at 192 PPI
    EXPECT_EQ(At(2, 7), kRedPixel) << c.State;
  }
}

TEST_F(SectionPainting, CornerRadiiAreLimitedAlongTheShorterSide) {
  std::array<int, 4> radii{8, 8, 8, 8};
  LimitCornerRadii(10, 40, radii);
  EXPECT_EQ(radii, (std::array<int, 4>{4, 4, 4, 4}));
  radii = {8, 2, 8, 2};
  LimitCornerRadii(40, 10, radii);  // left pair 16 > 9, right pair 4 stays
  EXPECT_EQ(radii, (std::array<int, 4>{4, 2, 4, 2}));
  radii = {3, 3, 3, 3};
  LimitCornerRadii(10, 40, radii);
  EXPECT_EQ(radii, (std::array<int, 4>{3, 3, 3, 3}));
}

TEST_F(SectionPainting, SectionToBitmapClearsAFullySeeThroughWholeBitmap) {
  State0().Transparency = 100;
  PaintSectionToBitmap(0, 0, RECT{0, 0, kSize, kSize}, Target.get(), Data.get());
  EXPECT_EQ(At(0, 0), 0u);
  EXPECT_EQ(At(15, 15), 0u);
  Clear();
  PaintSectionToBitmap(0, 0, RECT{2, 2, 8, 8}, Target.get(), Data.get());
  EXPECT_TRUE(Untouched());
}

TEST_F(SectionPainting, SectionTextureFillsByWhatTheRectangleHolds) {
  // An empty pixel takes the state's opacity.
  State0().Transparency = 40;
  FillRect32(*Target, RECT{0, 0, kSize, kSize}, 0, 0);
  PaintSectionTexture(0, 0, RECT{0, 0, 8, 8}, Target.get(), Data.get(), 0xFF00FF);
  EXPECT_EQ(At(3, 3), 0x99C00000u);  // 60 % of 255
  EXPECT_EQ(At(9, 9), 0u);
  // A given colour replaces the state's.
  State0().Transparency = 0;
  PaintSectionTexture(0, 0, RECT{8, 8, 16, 16}, Target.get(), Data.get(), kGrey);
  EXPECT_EQ(At(9, 9), kGreyPixel);  // empty: alpha from the transparency, opaque here
}

// Under a separate border image transparency counts only against a ready
// bitmap; over a colour the fill is opaque, or the colour itself when the
// section is fully see-through.
TEST_F(SectionPainting, BasicFillHonoursTransparencyOnlyOverABitmap) {
  std::unique_ptr<TBitmap> parent = NewBitmap32(kSize, kSize);
  FillRect32(*parent, RECT{0, 0, kSize, kSize}, kParent, 255);
  struct Case {
    const char* Name;
    int Transparency;
    bool Bitmap;
    uint32_t Pixel;
  };
  for (Case c :
       {Case{"half over a colour", 50, false, kRedPixel}, Case{"clear over a colour", 100, false, kGreyPixel},
        Case{"clear over a bitmap", 100, true, kParentPixel}, Case{"half over a bitmap", 50, true, 0xFF9F3F00}}) {
    State0().Transparency = c.Transparency;
    Clear();
    TacBackgroundSource bg = c.Bitmap ? BitmapBackgroundSource(parent.get(), 0, 0) : ColorSource(kGrey);
    PaintSkinSectionWithBorderImage(0, 99, -1, -1, bg, 0, RECT{0, 0, kSize, kSize}, POINT{0, 0}, Target.get(),
                                    Data.get());
    EXPECT_TRUE(Near(At(6, 6), c.Pixel, 2)) << c.Name;
  }
}

// The border image goes over the section's fill; its see-through corner
// pixels show what the bitmap held there before.
TEST_F(SectionPainting, SectionToBitmapKeepsWhatWasUnderSeeThroughCorners) {
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) SetPixelAt(*Target, x, y, TexturePixel(x, y));
  int border = AddTexture(6, 6, 0);
  TsMaskData& item = Data->MaskArray[border];
  item.WL = item.WT = item.WR = item.WB = 2;
  item.DrawMode = 0;
  SetPixelAt(*Pictures.back(), 0, 0, 0xFFFF00FF);
  Section().BorderIndex = border;
  PaintSectionToBitmap(0, 0, RECT{2, 2, 14, 14}, Target.get(), Data.get());
  EXPECT_EQ(At(2, 2), TexturePixel(2, 2));  // see-through: what was there
  EXPECT_EQ(At(3, 2), TexturePixel(1, 0));  // the border image
  EXPECT_EQ(At(7, 7), kRedPixel);           // the fill inside
  EXPECT_EQ(At(1, 1), TexturePixel(1, 1));  // outside the rectangle
}

// A colour source that carries its bitmap: a see-through section shows the
// bitmap in the source's margins and the colour inside them.
TEST_F(SectionPainting, ColourSourceMarginsComeFromItsBitmap) {
  std::unique_ptr<TBitmap> parent = NewBitmap32(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) SetPixelAt(*parent, x, y, TexturePixel(x, y));
  TacBackgroundSource bg = ColorSource(kGrey);
  bg.Bmp = parent.get();
  bg.FillRect = RECT{2, 3, 4, 5};  // margin widths: left, top, right, bottom
  State0().Transparency = 100;
  Paint(0, bg);
  EXPECT_EQ(At(1, 8), TexturePixel(1, 8));
  EXPECT_EQ(At(8, 2), TexturePixel(8, 2));
  EXPECT_EQ(At(12, 8), TexturePixel(12, 8));
  EXPECT_EQ(At(8, 11), TexturePixel(8, 11));
  EXPECT_EQ(At(2, 3), kGreyPixel);
  EXPECT_EQ(At(11, 10), kGreyPixel);
}
