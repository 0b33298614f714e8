#include <gtest/gtest.h>

#include <functional>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/MaskedCopies.h"
#include "skin/graphics/PixelEffects.h"
#include "support/PixelHelpers.h"

namespace {

std::unique_ptr<TBitmap> Filled(int W, int H, uint32_t Argb) {
  return std::unique_ptr<TBitmap>(FilledBitmap32(W, H, Argb));
}

// '#' where a pixel differs from Background, '.' where it is untouched.
std::vector<std::string> Changed(TBitmap& Bmp, uint32_t Background) {
  std::vector<std::string> Rows;
  for (int y = 0; y < Bmp.Height(); ++y) {
    std::string Row;
    for (int x = 0; x < Bmp.Width(); ++x) Row += PixelAt(Bmp, x, y) == Background ? '.' : '#';
    Rows.push_back(Row);
  }
  return Rows;
}

constexpr uint32_t kNone = 0x1FFFFFFF;

}  // namespace

// One pixel in, one pixel out: the arithmetic of each effect, with values
// chosen so that a swapped operand, a lost shift or a sign slip shows.
TEST(PixelEffects, ArithmeticOnChosenPixels) {
  struct {
    const char* Name;
    uint32_t Dst, Other, Third;
    std::function<void(TBitmap&, TBitmap&, TBitmap&)> Apply;
    uint32_t Want;
  } Cases[] = {
      // (c x 64 + colour x 191) shr 8 with colour 0x0000FF red
      {"tint", 0x80204060, 0, 0, [](TBitmap& d, TBitmap&, TBitmap&) { TintBitmapExceptKey(d, 64, 0x0000FF); },
       0x80C61018},
      {"tint leaves the key", 0x00FF00FF, 0, 0,
       [](TBitmap& d, TBitmap&, TBitmap&) { TintBitmapExceptKey(d, 64, 0x0000FF); }, 0x00FF00FF},
      // c := C + (c - C) x m / 256, per channel mask 0 / 128 / 255
      {"colour through mask", 0x11FFFFFF, 0x0000807F, 0,
       [](TBitmap& d, TBitmap& m, TBitmap&) { BlendColorThroughMask(d, m, 0x000000); }, 0x11007F7E},
      // d := s + (d - s) x 64 / 256
      {"mix", 0x7FC8C8C8, 0x10000000, 0, [](TBitmap& d, TBitmap& s, TBitmap&) { MixBitmaps(d, s, 64); }, 0x7F323232},
      // d := d + (s - d) x s.alpha / 256
      {"by alpha", 0x33000000, 0x80FF8000, 0, [](TBitmap& d, TBitmap& s, TBitmap&) { BlendBitmapByAlpha(d, s); },
       0x337F4000},
      // B - (Amount x (B - A) + 255) shr 8, B - A negative in blue
      {"amount", 0x44000000, 0x00FF0000, 0x000000F0,
       [](TBitmap& d, TBitmap& a, TBitmap& b) { MixBitmapsByAmountOrMask(d, a, b, nullptr, 128); }, 0x447F0078},
      {"grey except colour", 0x80102030, 0, 0,
       [](TBitmap& d, TBitmap&, TBitmap&) { GrayscaleBitmapExceptColor(d, 0x00FF00FF); }, 0x801D1D1D},
      {"grey skips the exception", 0x00FF00FF, 0, 0,
       [](TBitmap& d, TBitmap&, TBitmap&) { GrayscaleBitmapExceptColor(d, 0x00FF00FF); }, 0x00FF00FF},
      // all four bytes d := s + (d - s) x 64 / 256
      {"constant", 0x00C8C8C8, 0xFF000000, 0,
       [](TBitmap& d, TBitmap& s, TBitmap&) {
         BlendRectConstant(d, s, 64, RECT{0, 0, 0, 0}, POINT{0, 0});
       },
       0xBF323232},
  };
  for (auto& c : Cases) {
    auto Dst = Filled(1, 1, c.Dst), Other = Filled(1, 1, c.Other), Third = Filled(1, 1, c.Third);
    c.Apply(*Dst, *Other, *Third);
    EXPECT_EQ(PixelAt(*Dst, 0, 0), c.Want) << c.Name << " " << std::hex << PixelAt(*Dst, 0, 0);
  }
}

TEST(PixelEffects, MixThroughMaskAndSizeMismatch) {
  auto Dst = Filled(3, 1, 0x55000000);
  auto A = Filled(3, 1, 0x00FFFFFF), B = Filled(3, 1, 0x00000000), Mask = Filled(3, 1, 0);
  SetPixelAt(*Mask, 1, 0, 0x00808080);
  SetPixelAt(*Mask, 2, 0, 0x00FFFFFF);
  MixBitmapsByAmountOrMask(*Dst, *A, *B, Mask.get(), 0);
  EXPECT_EQ(PixelAt(*Dst, 0, 0), 0x55000000u);  // mask 0 keeps B
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0x557F7F7Fu);
  EXPECT_EQ(PixelAt(*Dst, 2, 0), 0x55FEFEFEu);

  // Bitmaps that must share a size leave the target alone when they do not.
  auto Small = Filled(2, 1, 0xFFFFFFFF);
  auto Target = Filled(3, 1, 0xFF000000);
  MixBitmaps(*Target, *Small, 0);
  BlendBitmapByAlpha(*Target, *Small);
  BlendColorThroughMask(*Target, *Small, 0xFFFFFF);
  MixBitmapsByAmountOrMask(*Target, *A, *Small, nullptr, 0);
  EXPECT_EQ(Changed(*Target, 0xFF000000), std::vector<std::string>{"..."});
}

TEST(PixelEffects, BlendRectConstantTakesRightAndBottomInclusive) {
  auto Dst = Filled(12, 12, 0xFF000000);
  auto Src = Filled(12, 12, 0xFFFFFFFF);
  BlendRectConstant(*Dst, *Src, 0, RECT{0, 0, 9, 9}, POINT{0, 0});
  int Blended = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) Blended += PixelAt(*Dst, x, y) != 0xFF000000;
  EXPECT_EQ(Blended, 100);
}

// Mask values 0, 128 and 255 under three picture pixels, in every mode of
// the masked copy: 0 takes the picture, 255 keeps (nearly all of) the target.
TEST(PixelEffects, CopyThroughMaskImage) {
  auto Src = Filled(3, 2, 0xFFC86400);
  SetPixelAt(*Src, 0, 1, 0xFF000000);
  SetPixelAt(*Src, 1, 1, 0xFF808080);
  SetPixelAt(*Src, 2, 1, 0xFFFFFFFF);
  auto Bg = Filled(3, 1, 0xFF123456);
  TacBackgroundSource Ready;
  Ready.Bmp = Bg.get();
  Ready.Ready = true;
  TacBackgroundSource Fill;
  Fill.FillColor = 0x0000FF;
  const TacMaskedImage Image{1, false, true};
  struct {
    const char* Name;
    const TacBackgroundSource* Bg;
    bool UseBg;
    uint32_t Want[3];
  } Cases[] = {
      // s + (d - s) x m / 256 per channel, d = 0x40 everywhere
      {"ready, no background", &Ready, false, {0xFFC86400, 0xFF845220, 0xFF40403F}},
      {"ready with background", &Ready, true, {0xFFC86400, 0xFF845220, 0xFF40403F}},
      {"no source", &Fill, false, {0x77C86400, 0x77845220, 0x7740403F}},
  };
  for (auto& c : Cases) {
    auto Dst = Filled(3, 1, 0x77404040);
    CopyThroughMaskImage(RECT{0, 0, 3, 1}, RECT{0, 0, 3, 1}, *Dst, *Src, *c.Bg, c.UseBg, Image);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(*Dst, x, 0), c.Want[x]) << c.Name << " " << x;
  }

  // See-through picture pixels: background, fill colour, or left alone.
  SetPixelAt(*Src, 1, 0, 0x00FF00FF);
  auto Dst = Filled(3, 1, 0x77404040);
  CopyThroughMaskImage(RECT{0, 0, 3, 1}, RECT{0, 0, 3, 1}, *Dst, *Src, Ready, true, Image);
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0xFF123456u);
  Dst = Filled(3, 1, 0x77404040);
  CopyThroughMaskImage(RECT{0, 0, 3, 1}, RECT{0, 0, 3, 1}, *Dst, *Src, Fill, true, Image);
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0x00FF0000u);  // the fill colour in pixel order
  Dst = Filled(3, 1, 0x77404040);
  CopyThroughMaskImage(RECT{0, 0, 3, 1}, RECT{0, 0, 3, 1}, *Dst, *Src, Fill, false, Image);
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0x77404040u);

  // A picture with its own alpha: alpha 0 takes the background, others
  // s + (s.alpha - 255) x (s - d) shr 8.
  auto Own = Filled(2, 2, 0x80FF0000);
  SetPixelAt(*Own, 1, 0, 0x00000000);
  Dst = Filled(2, 1, 0x00000000);
  CopyThroughMaskImage(RECT{0, 0, 2, 1}, RECT{0, 0, 2, 1}, *Dst, *Own, Ready, true, TacMaskedImage{1, true, true});
  EXPECT_EQ(PixelAt(*Dst, 0, 0), 0xFF800000u);
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0xFF123456u);
}

TEST(PixelEffects, CopyRectTransparent) {
  auto Bg = Filled(4, 4, 0xFF0A0B0C);
  TacBackgroundSource Ready;
  Ready.Bmp = Bg.get();
  Ready.Ready = true;
  const TacBackgroundSource None;
  struct {
    const char* Name;
    uint32_t Dst, Src;
    const TacBackgroundSource* Bg;
    uint32_t Color;
    int Percent;
    uint32_t Want;
  } Cases[] = {
      {"percent 100 draws nothing", 0x20000000, 0xFFFFFFFF, &None, kNone, 100, 0x20000000},
      {"percent 0 lifts alpha to the source's", 0x20000000, 0x80FFFFFF, &None, kNone, 0, 0x807F7F7F},
      {"percent 0 keeps a higher alpha", 0xF0000000, 0x80FFFFFF, &None, kNone, 0, 0xF07F7F7F},
      {"percent 50 keeps alpha", 0x20000000, 0xFFFFFFFF, &None, kNone, 50, 0x207E7E7E},  // O = 128, a = 127
      {"alpha 16 is see-through with a background", 0x20000000, 0x10FFFFFF, &Ready, kNone, 0, 0x200A0B0C},
      {"alpha 17 is drawn", 0x20000000, 0x11FFFFFF, &Ready, kNone, 0, 0x20101010},
      {"alpha 16 is blended without one", 0x20000000, 0x10FFFFFF, &None, kNone, 0, 0x200F0F0F},
      // T = red 255; white: K = 253, tinted red 252; weight 255
      {"red tint", 0xFF000000, 0xFFFFFFFF, &None, 0x0000FF, 0, 0xFFFB0000},
      {"tint covers alpha", 0x00000000, 0x80FFFFFF, &None, 0x0000FF, 0, 0x7F7E0000},
      {"tint keeps alpha over a background", 0x00000000, 0x80FFFFFF, &Ready, 0x0000FF, 0, 0x007E0000},
  };
  for (auto& c : Cases) {
    auto Dst = Filled(1, 1, c.Dst), Src = Filled(1, 1, c.Src);
    CopyRectTransparent(RECT{0, 0, 1, 1}, RECT{0, 0, 1, 1}, *Dst, Src.get(), *c.Bg, true, c.Color, c.Percent, false);
    EXPECT_EQ(PixelAt(*Dst, 0, 0), c.Want) << c.Name << " " << std::hex << PixelAt(*Dst, 0, 0);
  }

  // The mirror image: none for a source of height 2, fading rows below a
  // taller one (the row right under the image is skipped).
  auto Short = Filled(2, 2, 0xFFFFFFFF);
  auto Dst = Filled(2, 6, 0xFF000000);
  CopyRectTransparent(RECT{0, 0, 2, 2}, RECT{0, 0, 2, 2}, *Dst, Short.get(), None, false, kNone, 0, true);
  EXPECT_EQ(Changed(*Dst, 0xFF000000), (std::vector<std::string>{"##", "##", "..", "..", "..", ".."}));
  auto Tall = Filled(2, 6, 0xFFFFFFFF);
  Dst = Filled(2, 9, 0xFF000000);
  CopyRectTransparent(RECT{0, 0, 2, 3}, RECT{0, 0, 2, 3}, *Dst, Tall.get(), None, false, kNone, 0, true);
  // N = min(6 div 2 - 1, 9 - 3 - 1) = 2: row 4 at weight 255 x 1 div 2 x 255 shr 9, row 5 at 0.
  EXPECT_EQ(Changed(*Dst, 0xFF000000),
            (std::vector<std::string>{"##", "##", "##", "..", "##", "..", "..", "..", ".."}));
  EXPECT_EQ(PixelAt(*Dst, 0, 4), 0xFF3E3E3Eu);

  // Nothing at all for a missing source.
  CopyRectTransparent(RECT{0, 0, 2, 3}, RECT{0, 0, 2, 3}, *Dst, nullptr, None, false, kNone, 0, false);
}

// Every copy on a picture hanging over the target's edges and onto a
// background bitmap smaller than the target: only the overlap is written,
// nothing outside either bitmap is read.
TEST(PixelEffects, CopiesClipToTargetSourceAndBackground) {
  const uint32_t Black = 0xFF000000;
  auto Src = Filled(3, 3, 0xFFFFFFFF);
  auto Keyed = Filled(3, 3, 0x00FF00FF);
  auto Bg = Filled(1, 1, 0xFF0000FF);
  TacBackgroundSource Ready;
  Ready.Bmp = Bg.get();
  Ready.Ready = true;
  struct {
    const char* Name;
    std::function<void(TBitmap& Dst)> Copy;
    std::vector<std::string> Want;
  } Cases[] = {
      {"blend constant",
       [&](TBitmap& d) {
         BlendRectConstant(d, *Src, 0, RECT{0, 0, 2, 2}, POINT{-1, 2});
       },
       {"...", "...", "##."}},
      {"alpha except ref",
       [&](TBitmap& d) {
         DrawBitmapAlphaExceptRef(d, *Src, Bg.get(), 0, RECT{-1, 0, 9, 9}, POINT{1, -1}, POINT{0, 0}, 255);
       },
       {"..#", "..#", "..."}},
      {"alpha over background",
       [&](TBitmap& d) {
         DrawAlphaOverBackground(RECT{2, 1, 9, 9}, RECT{0, 0, 3, 3}, d, *Src, Ready, true);
       },
       {"...", "..#", "..#"}},
      {"transparent",
       [&](TBitmap& d) {
         CopyRectTransparent(RECT{-2, -2, 1, 1}, RECT{0, 0, 3, 3}, d, Src.get(), Ready, true, kNone, 0, false);
       },
       {"#..", "...", "..."}},
      {"transparent, background only at (0, 0)",
       [&](TBitmap& d) {
         CopyRectTransparent(RECT{0, 0, 3, 3}, RECT{0, 0, 3, 3}, d, Keyed.get(), Ready, true, kNone, 0, false);
       },
       {"#..", "...", "..."}},
      {"through mask",
       [&](TBitmap& d) {
         CopyThroughMaskImage(RECT{1, 1, 4, 4}, RECT{0, 0, 3, 3}, d, *Keyed, Ready, true,
                              TacMaskedImage{9, false, true});
       },
       {"...", "...", "..."}},
      {"key to background",
       [&](TBitmap& d) {
         CopyRectKeyToBackground(d, *Keyed, -1, -1, RECT{0, 0, 5, 5}, 0xFF00FF, Ready, true);
       },
       {"#..", "...", "..."}},
      {"except colour blend, negative X clipped",
       [&](TBitmap& d) {
         CopyRectExceptColorBlend(d, *Src, -2, 1, RECT{0, 0, 9, 9}, 0xFF00FF, 0);
       },
       {"...", "#..", "#.."}},
      {"except colour", [&](TBitmap& d) { CopyBitmapExceptColor(d, *Src, 2, -2, 0xFF00FF); }, {"..#", "...", "..."}},
      {"diagonal",
       [&](TBitmap& d) {
         CopyRectDiagonal(d, *Src, 1000, RECT{0, 0, 2, 2}, POINT{2, 2});
       },
       {"...", "...", "..#"}},
      {"scaled",
       [&](TBitmap& d) { DrawBitmapAlphaScaled(d, 1, 1, 3, 3, *Src, 0, 0, 3, 3, 255); },
       {"...", ".##", ".##"}},
  };
  for (auto& c : Cases) {
    auto Dst = Filled(3, 3, Black);
    c.Copy(*Dst);
    EXPECT_EQ(Changed(*Dst, Black), c.Want) << c.Name;
  }
}

TEST(PixelEffects, KeyToBackgroundModes) {
  auto Src = Filled(2, 1, 0xFF102030);
  SetPixelAt(*Src, 1, 0, 0x00FF00FF);
  auto Bg = Filled(2, 1, 0xFF0000FF);
  TacBackgroundSource Ready;
  Ready.Bmp = Bg.get();
  Ready.Ready = true;
  TacBackgroundSource Fill;
  Fill.FillColor = 0x00FF00;
  auto Dst = Filled(2, 1, 0x44000000);
  CopyRectKeyToBackground(*Dst, *Src, 0, 0, RECT{0, 0, 1, 0}, 0xFF00FF, Ready, true);
  EXPECT_EQ(PixelAt(*Dst, 0, 0), 0xFF102030u);
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0xFF0000FFu);
  Dst = Filled(2, 1, 0x44000000);
  CopyRectKeyToBackground(*Dst, *Src, 0, 0, RECT{0, 0, 1, 0}, 0xFF00FF, Ready, false);
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0x44000000u);
  Dst = Filled(2, 1, 0x44000000);
  CopyRectKeyToBackground(*Dst, *Src, 0, 0, RECT{0, 0, 1, 0}, 0xFF00FF, Fill, true);
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0x4400FF00u);  // alpha of the target's pixel (0, 0)
  // Onto the background itself: opaque copies, key pixels left alone.
  auto Self = Filled(2, 1, 0x00000000);
  SetPixelAt(*Src, 0, 0, 0x00102030);
  TacBackgroundSource Own;
  Own.Bmp = Self.get();
  Own.Ready = true;
  CopyRectKeyToBackground(*Self, *Src, 0, 0, RECT{0, 0, 1, 0}, 0xFF00FF, Own, true);
  EXPECT_EQ(PixelAt(*Self, 0, 0), 0xFF102030u);
  EXPECT_EQ(PixelAt(*Self, 1, 0), 0x00000000u);
}

TEST(PixelEffects, ExceptColourBlendAndDiagonal) {
  auto Src = Filled(2, 1, 0x20FFFFFF);
  SetPixelAt(*Src, 1, 0, 0x00FF00FF);
  auto Dst = Filled(2, 1, 0x10000000);
  CopyRectExceptColorBlend(*Dst, *Src, 0, 0, RECT{0, 0, 1, 0}, 0xFF00FF, 128);
  EXPECT_EQ(PixelAt(*Dst, 0, 0), 0x807F7F7Fu);  // alpha max(0x10, 128)
  EXPECT_EQ(PixelAt(*Dst, 1, 0), 0x10000000u);

  // Position 1 uncovers only the lower-left pixel, 3 the lower-left half.
  auto Square = Filled(3, 3, 0xFFFFFFFF);
  for (auto [Position, Want] : {std::pair{1, std::vector<std::string>{"...", "...", "#.."}},
                                std::pair{3, std::vector<std::string>{"#..", "##.", "###"}}}) {
    auto Out = Filled(3, 3, 0xFF000000);
    CopyRectDiagonal(*Out, *Square, Position, RECT{0, 0, 2, 2}, POINT{0, 0});
    EXPECT_EQ(Changed(*Out, 0xFF000000), Want) << Position;
  }
}

TEST(PixelEffects, FillSoftRoundRect) {
  auto Bmp = Filled(20, 20, 0xFF808080);
  FillSoftRoundRect(*Bmp, RECT{0, 0, 20, 20}, 100, 0x0000FF, 4, 6);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      // Only the rounding of a 255 / 256 blend may show.
      const uint32_t p = PixelAt(*Bmp, x, y);
      for (int i = 0; i < 3; ++i) EXPECT_NEAR(int(p >> (8 * i) & 0xFF), 0x80, 1) << x << "," << y;
    }
  Bmp = Filled(20, 20, 0xFF000000);
  FillSoftRoundRect(*Bmp, RECT{0, 0, 20, 20}, 0, 0x0000FF, 4, 6);
  EXPECT_GE(PixelAt(*Bmp, 10, 10) >> 16 & 0xFF, 0xFEu);  // full colour inside
  EXPECT_EQ(PixelAt(*Bmp, 0, 0) & 0xFFFFFF, 0u);         // outside the rounded corner
  EXPECT_LT(PixelAt(*Bmp, 10, 0) >> 16 & 0xFF, 0x40u);   // faded at the border
}

TEST(PixelEffects, ScaledDrawFromTheOriginScalesTheWholeSource) {
  auto Src = Filled(4, 4, 0xFFFF0000);
  for (int y = 0; y < 4; ++y)
    for (int x = 2; x < 4; ++x) SetPixelAt(*Src, x, y, 0xFF0000FF);
  auto Dst = Filled(8, 8, 0xFF000000);
  DrawBitmapAlphaScaled(*Dst, 0, 0, 8, 8, *Src, 0, 0, 2, 2, 255);
  EXPECT_GT(PixelAt(*Dst, 7, 4) & 0xFF, 0xC0u);  // blue reaches the right edge
  EXPECT_GT(PixelAt(*Dst, 0, 4) >> 16 & 0xFF, 0xC0u);
}
