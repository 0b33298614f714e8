#include <gtest/gtest.h>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/PixelRoutines.h"
#include "support/PixelHelpers.h"

namespace {

std::unique_ptr<TBitmap> Filled(int W, int H, uint32_t Argb) {
  return std::unique_ptr<TBitmap>(FilledBitmap32(W, H, Argb));
}

// The pixels of a bitmap as text rows, '#' where they equal Mark, '.' elsewhere.
std::vector<std::string> Picture(TBitmap& Bmp, uint32_t Mark) {
  std::vector<std::string> Rows;
  for (int y = 0; y < Bmp.Height(); ++y) {
    std::string Row;
    for (int x = 0; x < Bmp.Width(); ++x) Row += PixelAt(Bmp, x, y) == Mark ? '#' : '.';
    Rows.push_back(Row);
  }
  return Rows;
}

}  // namespace

TEST(PixelRoutines, ByteOrderHelpers) {
  EXPECT_EQ(ExchangeRedBlue(0xAA112233), 0xAA332211u);
  EXPECT_EQ(SwapColor(0xAA112233), 0xAA332211u);
  EXPECT_EQ(SwapBytes32(0x11223344), 0x44332211u);
  uint32_t Values[2] = {0x01020304, 0xA0B0C0D0};
  SwapBytes32Array(Values, 0);
  EXPECT_EQ(Values[0], 0x01020304u);
  SwapBytes32Array(Values, 2);
  EXPECT_EQ(Values[1], 0xD0C0B0A0u);
  uint32_t Cells[3] = {1, 2, 3};
  FillDwords(Cells, -1, 9);
  EXPECT_EQ(Cells[0], 1u);
  FillDwords(Cells, 2, 9);
  EXPECT_EQ(Cells[1], 9u);
  EXPECT_EQ(Cells[2], 3u);
}

TEST(PixelRoutines, FillsAreCutToTheBitmap) {
  struct {
    const char* Name;
    RECT R;
    std::vector<std::string> Want;
  } Cases[] = {
      {"inside", {1, 1, 3, 2}, {"....", ".##.", "...."}},
      {"past right and bottom", {2, 1, 9, 9}, {"....", "..##", "..##"}},
      {"negative corner", {-5, -5, 1, 1}, {"#...", "....", "...."}},
      {"wholly outside", {5, 0, 9, 3}, {"....", "....", "...."}},
      {"inverted", {3, 2, 1, 1}, {"....", "....", "...."}},
  };
  for (auto& c : Cases) {
    auto Bmp = Filled(4, 3, 0);
    FillRect32(*Bmp, c.R, 0x0000FF, 0x80);
    EXPECT_EQ(Picture(*Bmp, 0x80FF0000), c.Want) << c.Name;
  }
}

TEST(PixelRoutines, FrameFillsPaintTheBandOnly) {
  auto Bmp = Filled(5, 4, 0);
  FillRectFrame32(*Bmp, RECT{0, 0, 5, 4}, RECT{1, 1, 4, 3}, 0xFFFFFF, 255);
  std::vector<std::string> Band = {"#####", "#...#", "#...#", "#####"};
  EXPECT_EQ(Picture(*Bmp, 0xFFFFFFFF), Band);
  auto Sides = Filled(5, 4, 0);
  FillFrameSides(*Sides, RECT{0, 0, 5, 4}, 1, 1, 2, 1, 0x00FF00);
  std::vector<std::string> Wide = {"#####", "#..##", "#..##", "#####"};
  EXPECT_EQ(Picture(*Sides, 0xFF00FF00), Wide);
}

TEST(PixelRoutines, BlendRectWithColourIsInclusiveAndKeepsAlpha) {
  auto Bmp = Filled(3, 2, 0x40FF8000);
  BlendRectWithColor(*Bmp, RECT{1, 0, 1, 0}, 128, 0x0000FF);  // one pixel: right and bottom included
  // red (255 x 128 + 255 x 127) shr 8, green (128 x 128) shr 8, blue 0
  EXPECT_EQ(PixelAt(*Bmp, 1, 0), 0x40FE4000u);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0x40FF8000u);
  EXPECT_EQ(PixelAt(*Bmp, 1, 1), 0x40FF8000u);
  BlendRectWithColor(*Bmp, RECT{-3, -3, 10, 10}, 255, 0);  // clipped, not rejected
  EXPECT_EQ(PixelAt(*Bmp, 2, 1), uint32_t(0x40 << 24 | ((255 * 255) >> 8) << 16 | ((128 * 255) >> 8) << 8));
}

TEST(PixelRoutines, BlendRectWithColorTable) {
  struct {
    uint32_t Pixel;
    uint8_t Keep;
    uint32_t Color;
    uint32_t Want;
  } Cases[] = {
      {0xFF000000, 0, 0xFFFFFF, 0xFFFEFEFE},    // 255 x 255 shr 8 = 254
      {0x7FFFFFFF, 255, 0x000000, 0x7FFEFEFE},  // keep all: still a trace lower
      {0x00808080, 102, 0x0000FF, 0x00CB3333},  // c x 102 + colour x 153
  };
  for (auto& c : Cases) {
    auto Bmp = Filled(1, 1, c.Pixel);
    BlendRectWithColor(*Bmp, RECT{0, 0, 0, 0}, c.Keep, c.Color);
    EXPECT_EQ(PixelAt(*Bmp, 0, 0), c.Want) << std::hex << c.Pixel;
  }
}

TEST(PixelRoutines, FillRectBlendAlphaTruncatesTowardZero) {
  // channel 10 toward 255 by 33 %: 10 - 33 x (10 - 255) div 100 = 10 + 80 = 90 (80.85 truncated)
  // channel 200 toward 0 by 33 %: 200 - 66 = 134
  auto Bmp = Filled(2, 1, 0x120AC80A);
  FillRectBlendAlpha(*Bmp, RECT{0, 0, 1, 1}, 0xFF00FF, 33, 0x99);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0x995A865Au);
  EXPECT_EQ(PixelAt(*Bmp, 1, 0), 0x120AC80Au);
}

TEST(PixelRoutines, SetAlphaRectSkipsColourAndExclusions) {
  auto Bmp = Filled(4, 2, 0x00123456);
  SetPixelAt(*Bmp, 1, 0, 0x00FF00FF);
  std::vector<RECT> Exclude = {{3, 0, 4, 2}};
  SetAlphaRect(*Bmp, RECT{-2, -2, 9, 9}, 0x80, 0x00FF00FF, &Exclude);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0x80123456u);
  EXPECT_EQ(PixelAt(*Bmp, 1, 0), 0x00FF00FFu);
  EXPECT_EQ(PixelAt(*Bmp, 3, 1), 0x00123456u);
  SetAlphaRect(*Bmp, RECT{0, 0, 4, 2}, 0xFF);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(*Bmp, x, 1) >> 24, 0xFFu);
}

TEST(PixelRoutines, PremultiplyCapsWhiteWithoutComposition) {
  ASSERT_FALSE(IsDwmCompositionEnabled());  // Wine has no compositor
  struct {
    uint32_t Pixel, Want;
  } Cases[] = {
      {0xFFFFFFFF, 0xFFF4F4F4},                            // opaque white becomes 244 grey
      {0x00FFFFFF, 0x00000000}, {0x80FF8040, 0x807F4020},  // c x 128 shr 8
      {0xFF102030, 0xFF0F1F2F},                            // 255 keeps a trace lower
      {0x80F5F5F5, 0x807A7A7A},                            // above 244 but the product is already lower
  };
  auto Bmp = Filled(5, 1, 0);
  for (int i = 0; i < 5; ++i) SetPixelAt(*Bmp, i, 0, Cases[i].Pixel);
  PremultiplyAlphaRect(*Bmp, RECT{0, 0, 9, 9});
  for (int i = 0; i < 5; ++i) EXPECT_EQ(PixelAt(*Bmp, i, 0), Cases[i].Want) << i;
}

TEST(PixelRoutines, ClearEqualPixelsComparesColourOnly) {
  auto Bmp = Filled(2, 1, 0xFF101010);
  auto Ref = Filled(2, 1, 0x00101010);
  SetPixelAt(*Ref, 1, 0, 0x00101011);
  ClearEqualPixels(*Bmp, *Ref);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0u);
  EXPECT_EQ(PixelAt(*Bmp, 1, 0), 0xFF101010u);
  auto Other = Filled(3, 1, 0x00101010);
  auto Untouched = Filled(2, 1, 0xFF101010);
  ClearEqualPixels(*Untouched, *Other);
  EXPECT_EQ(PixelAt(*Untouched, 0, 0), 0xFF101010u);
}

TEST(PixelRoutines, AlphaFromKeyColourOnlyWithoutAlpha) {
  auto Bmp = Filled(2, 2, 0x00FF0000);
  SetPixelAt(*Bmp, 1, 0, 0x00000001);
  MakeAlphaFromKeyColor(*Bmp);  // key = bottom-left = red
  EXPECT_EQ(PixelAt(*Bmp, 1, 0), 0xFF000001u);
  EXPECT_EQ(PixelAt(*Bmp, 0, 1), 0x00FF0000u);
  auto HasAlpha = Filled(2, 1, 0x00FF0000);
  SetPixelAt(*HasAlpha, 1, 0, 0x01000001);
  MakeAlphaFromKeyColor(*HasAlpha);
  EXPECT_EQ(PixelAt(*HasAlpha, 0, 0), 0x00FF0000u);
}

TEST(PixelRoutines, IconMaskComesFromAlpha) {
  auto Bmp = Filled(4, 4, 0x80402010);
  HICON Icon = MakeIconFromBitmap32(*Bmp);
  ASSERT_NE(Icon, nullptr);
  DestroyIcon(Icon);
}

TEST(PixelRoutines, TextInAlphaModeTouchesGlyphsOnly) {
  auto Bmp = Filled(60, 20, 0x00000000);
  HFONT Font = CreateFontW(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial");
  HGDIOBJ Old = SelectObject(Bmp->DC(), Font);
  DrawTextAlpha(*Bmp, L"WW", true, RECT{-3, 2, 57, 22}, DT_SINGLELINE | DT_LEFT | DT_TOP, 0x0000FF);
  SelectObject(Bmp->DC(), Old);
  DeleteObject(Font);
  int Glyph = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      uint32_t p = PixelAt(*Bmp, x, y);
      if (p == 0) continue;
      ++Glyph;
      ASSERT_GE(p >> 24, 254u) << x << "," << y;
      ASSERT_EQ(p & 0xFFFF, 0u);  // only red
    }
  EXPECT_GT(Glyph, 20);
  for (int x = 0; x < 60; ++x) EXPECT_EQ(PixelAt(*Bmp, x, 0), 0u);  // above the rectangle
}

TEST(PixelRoutines, TextWithoutAlphaModeIsOpaque) {
  auto Bmp = Filled(40, 20, 0x00FFFFFF);
  HFONT Font = CreateFontW(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial");
  SelectObject(Bmp->DC(), Font);
  DrawTextAlpha(*Bmp, L"W", false, RECT{0, 0, 40, 20}, DT_SINGLELINE, 0x00FF00);
  SelectObject(Bmp->DC(), GetStockObject(SYSTEM_FONT));
  DeleteObject(Font);
  int Green = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      uint32_t p = PixelAt(*Bmp, x, y);
      if (p == 0x00FFFFFF) continue;
      EXPECT_EQ(p >> 24, 255u);
      if (p == 0xFF00FF00) ++Green;
    }
  EXPECT_GT(Green, 10);
}

TEST(DrawBitmapAlpha, BlendsBySourceAlphaAndNeverLowersDestinationAlpha) {
  struct {
    uint32_t Dst, Src;
    uint8_t Opacity;
    uint32_t Want;
  } Cases[] = {
      // c := ((s - d) x a + d x 256) shr 8; alpha := max(da, da + (sa - da) x sa / 256)
      {0xFF000000, 0x80FFFFFF, 255, 0xFF7F7F7F}, {0x00000000, 0x80FFFFFF, 255, 0x407F7F7F},
      {0x40102030, 0x00FFFFFF, 255, 0x40102030}, {0x00000000, 0xFF0000FF, 255, 0xFE0000FE},
      {0xFF000000, 0xFFFFFFFF, 128, 0xFF7E7E7E},  // v = 255 x 128 shr 8 = 127
      {0x80FFFFFF, 0x10000000, 255, 0x80EFEFEF},  // alpha would drop to 121: stays 0x80
  };
  for (auto& c : Cases) {
    auto Dst = Filled(1, 1, c.Dst);
    auto Src = Filled(1, 1, c.Src);
    DrawBitmapAlpha(*Dst, *Src, RECT{0, 0, 0, 0}, POINT{0, 0}, c.Opacity);
    EXPECT_EQ(PixelAt(*Dst, 0, 0), c.Want) << std::hex << c.Dst << " " << c.Src;
  }
}

TEST(DrawBitmapAlpha, ClipsSourceAndDestinationTogether) {
  auto Src = Filled(3, 3, 0xFFFFFFFF);
  SetPixelAt(*Src, 0, 0, 0xFF0000FF);
  struct {
    POINT At;
    RECT SrcRect;
    std::vector<std::string> Want;
  } Cases[] = {
      {{1, 1}, {0, 0, 2, 2}, {"....", ".###", ".###", ".###"}},
      {{-1, -1}, {0, 0, 2, 2}, {"##..", "##..", "....", "...."}},
      {{2, 2}, {0, 0, 9, 9}, {"....", "....", "..##", "..##"}},
      {{0, 0}, {-2, 0, 0, 0}, {"..#.", "....", "....", "...."}},
      {{4, 0}, {0, 0, 2, 2}, {"....", "....", "....", "...."}},
      {{0, 0}, {2, 0, 1, 0}, {"....", "....", "....", "...."}},
  };
  for (auto& c : Cases) {
    auto Dst = Filled(4, 4, 0xFF000000);
    DrawBitmapAlpha(*Dst, *Src, c.SrcRect, c.At, 255);
    // '#': painted (anything but the black background).
    std::vector<std::string> Got;
    for (int y = 0; y < 4; ++y) {
      std::string Row;
      for (int x = 0; x < 4; ++x) Row += PixelAt(*Dst, x, y) == 0xFF000000 ? '.' : '#';
      Got.push_back(Row);
    }
    EXPECT_EQ(Got, c.Want) << c.At.x << "," << c.At.y;
  }
}

TEST(PixelRoutines, GreyscaleAndBlendExceptColour) {
  auto Bmp = Filled(2, 1, 0x80102030);
  SetPixelAt(*Bmp, 1, 0, 0xFFFFFFFF);
  GrayscaleBitmap(*Bmp);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0x801D1D1Du);  // 0.299 x 16 + 0.587 x 32 + 0.114 x 48 = 29.04
  EXPECT_EQ(PixelAt(*Bmp, 1, 0), 0xFFFFFFFFu);

  auto Dst = Filled(3, 2, 0xFF000000);
  SetPixelAt(*Dst, 1, 1, 0x00FF00FF);
  auto Src = Filled(4, 4, 0xFFFFFFFF);
  BlendRectExceptColor(*Dst, 1, 0, *Src, RECT{0, 0, 9, 9}, 100, 0x00FF00FF);
  EXPECT_EQ(PixelAt(*Dst, 0, 0), 0xFF000000u);  // left of the destination point
  EXPECT_EQ(PixelAt(*Dst, 2, 0), 0xFE9A9A9Au);  // (255 x 155 + d x 100) shr 8
  EXPECT_EQ(PixelAt(*Dst, 1, 1), 0x00FF00FFu);  // the key colour is left alone
}

TEST(PixelRoutines, DisabledLook) {
  ASSERT_EQ(DisabledGrayLevel(), -90);
  ASSERT_EQ(DisabledBlendLevel(), 100);
  TacBackgroundSource None;
  struct {
    const char* Name;
    uint8_t Kind;
    uint32_t FillColor;
    uint32_t Want;
  } Cases[] = {
      {"blended into the fill colour", dkBlended, 0x0000FF, 0xFF9A0000},
      {"blended into the control colour", dkBlended, 0xFF00FF, 0xFF009A00},
      {"greyed", dkGrayed, 0xFF00FF, 0},
  };
  for (auto& c : Cases) {
    auto Bmp = Filled(2, 1, 0xFF000000);
    SetPixelAt(*Bmp, 1, 0, 0x00FF00FF);
    TacBackgroundSource Source = None;
    Source.FillColor = c.FillColor;
    ApplyDisabledKind(*Bmp, c.Kind, Source, POINT{0, 0}, 0x00FF00);
    if (c.Kind == dkGrayed) {
      EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0xFF000000u) << c.Name;
      EXPECT_EQ(PixelAt(*Bmp, 1, 0), 0x00FF00FFu) << c.Name;  // key pixels keep their colour
    } else {
      EXPECT_EQ(PixelAt(*Bmp, 0, 0), c.Want) << c.Name;
    }
  }
  auto Colourful = Filled(1, 1, 0xFFFF0000);
  ApplyDisabledKind(*Colourful, dkGrayed, None, POINT{0, 0}, 0);
  uint32_t p = PixelAt(*Colourful, 0, 0);
  EXPECT_LT(p >> 16 & 0xFF, 0x80u);  // most of the colour is gone
  EXPECT_GT(p & 0xFF, 0x40u);
  SetDisabledGrayLevel(-100);
  ApplyDisabledKind(*Colourful, dkGrayed, None, POINT{0, 0}, 0);
  p = PixelAt(*Colourful, 0, 0);
  EXPECT_EQ(p >> 16 & 0xFF, p & 0xFF);
  SetDisabledGrayLevel(-90);

  // From a background bitmap at the source's offset plus the control's offset.
  auto Background = Filled(10, 10, 0xFF000000);
  SetPixelAt(*Background, 5, 4, 0xFFFFFFFF);
  TacBackgroundSource FromBitmap;
  FromBitmap.Bmp = Background.get();
  FromBitmap.X = 2;
  FromBitmap.Y = 1;
  FromBitmap.Ready = true;
  auto Control = Filled(2, 2, 0xFF000000);
  ApplyDisabledKind(*Control, dkBlended, FromBitmap, POINT{3, 3}, 0);
  EXPECT_EQ(PixelAt(*Control, 0, 0), 0xFE9A9A9Au);
  EXPECT_EQ(PixelAt(*Control, 1, 1), 0xFE000000u);
}
