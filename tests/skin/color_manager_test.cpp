#include <gtest/gtest.h>

#include <vector>

#include "skin/graphics/ColorManager.h"

namespace {

void Configure(TColorManager& cm, TPixelLayout From, TPixelLayout To, int SourceBits, int TargetBits, int SourceSamples,
               int TargetSamples, uint8_t SourceFlags = cfBigEndian) {
  cm.SetSourceLayout(From);
  cm.SetTargetLayout(To);
  cm.SetSourceBits(uint8_t(SourceBits));
  cm.SetTargetBits(uint8_t(TargetBits));
  cm.SetSourceSamples(uint8_t(SourceSamples));
  cm.SetTargetSamples(uint8_t(TargetSamples));
  cm.SourceFlags = SourceFlags;
}

void Convert(TColorManager& cm, const std::vector<uint8_t>& Source, std::vector<uint8_t>& Target, int Count,
             uint8_t Mask) {
  const void* s = Source.data();
  cm.ConvertRow(&s, Target.data(), Count, Mask);
}

std::vector<PALETTEENTRY> Entries(HPALETTE Palette) {
  std::vector<PALETTEENTRY> e(GetPaletteEntries(Palette, 0, 0, nullptr));
  GetPaletteEntries(Palette, 0, UINT(e.size()), e.data());
  DeleteObject(Palette);
  return e;
}

}  // namespace

TEST(ColorManager, MaskSpreadsConsecutiveSourcePixelsOverTheSelectedColumns) {
  TColorManager cm;
  Configure(cm, plRGB, plBGR, 8, 8, 3, 3);
  std::vector<uint8_t> Source;
  for (int i = 0; i < 8; ++i) Source.insert(Source.end(), {uint8_t(i), uint8_t(10 + i), uint8_t(20 + i)});
  std::vector<uint8_t> Target(16 * 3, 0xEE);
  Convert(cm, Source, Target, 16, 0x55);
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    if (i % 2 == 1) {
      int n = i / 2;
      EXPECT_EQ(Target[3 * i], 20 + n);  // blue first
      EXPECT_EQ(Target[3 * i + 1], 10 + n);
      EXPECT_EQ(Target[3 * i + 2], n);
    } else {
      EXPECT_EQ(Target[3 * i], 0xEE);
    }
  }
}

TEST(ColorManager, SixteenBitSamplesReduceByTruncation) {
  struct {
    uint8_t Flags;
    std::vector<uint8_t> Bytes;
    uint8_t Want;
  } Cases[] = {{cfBigEndian, {0x12, 0x34}, 0x12},
               {0, {0x34, 0x12}, 0x12},
               {cfBigEndian, {0xFF, 0xFF}, 255},
               {cfBigEndian, {0xFF, 0xFE}, 254},
               {cfBigEndian, {0xFF, 0x00}, 254}};
  for (auto& c : Cases) {
    TColorManager cm;
    Configure(cm, plGray, plGray, 16, 8, 1, 1, c.Flags);
    std::vector<uint8_t> Target(1);
    Convert(cm, c.Bytes, Target, 1, 0xFF);
    EXPECT_EQ(Target[0], c.Want);
  }
}

TEST(ColorManager, RgbaKeepsAlphaWithoutGammaAndRgbLeavesTargetAlphaAlone) {
  TColorManager cm;
  cm.ComputeGammaTable(1.0f, 2.2f);
  cm.TargetFlags = cfGamma;
  Configure(cm, plRGBA, plBGRA, 8, 8, 4, 4);
  std::vector<uint8_t> Target(4);
  Convert(cm, {100, 0, 255, 100}, Target, 1, 0xFF);
  const uint8_t* G = cm.GammaTable();
  EXPECT_EQ(Target, (std::vector<uint8_t>{255, 0, G[100], 100}));

  Configure(cm, plRGB, plBGRA, 8, 8, 3, 4);
  cm.TargetFlags = 0;
  Target = {9, 9, 9, 77};
  Convert(cm, {1, 2, 3}, Target, 1, 0xFF);
  EXPECT_EQ(Target, (std::vector<uint8_t>{3, 2, 1, 77}));
}

TEST(ColorManager, GreyWithAlphaToIndexedKeepsOnlyTheGrey) {
  TColorManager cm;
  Configure(cm, plGrayAlpha, plIndexed, 8, 8, 2, 1);
  std::vector<uint8_t> Target(3);
  Convert(cm, {10, 200, 20, 201, 30, 202}, Target, 3, 0xFF);
  EXPECT_EQ(Target, (std::vector<uint8_t>{10, 20, 30}));
}

TEST(ColorManager, PackedSamplesScaleIntoWiderFieldsAndKeepOtherBits) {
  TColorManager cm;
  Configure(cm, plGray, plGray, 2, 4, 1, 1);
  std::vector<uint8_t> Target(2, 0);
  Convert(cm, {0x1B}, Target, 4, 0xFF);  // samples 0, 1, 2, 3
  EXPECT_EQ(Target, (std::vector<uint8_t>{0x05, 0xAF}));

  // Only the odd pixels, from two consecutive source samples; the rest stays.
  Target = {0xCC, 0xCC};
  Convert(cm, {0xC0}, Target, 4, 0x55);  // samples 3, 0
  EXPECT_EQ(Target, (std::vector<uint8_t>{0xCF, 0xC0}));
}

TEST(ColorManager, SettersValidateAndOnlyChangesMakeItDirty) {
  TColorManager cm;
  const void* s = "\0\0\0";
  uint8_t t[3];
  cm.ConvertRow(&s, t, 1, 0xFF);
  EXPECT_FALSE(cm.Dirty());
  cm.SetTargetBits(8);
  EXPECT_FALSE(cm.Dirty());
  EXPECT_THROW(cm.SetTargetBits(0), EColorConversionError);
  EXPECT_THROW(cm.SetTargetBits(17), EColorConversionError);
  EXPECT_THROW(cm.SetSourceSamples(5), EColorConversionError);
  EXPECT_EQ(cm.TargetBits(), 8);
  EXPECT_FALSE(cm.Dirty());
  cm.SetTargetBits(3);  // accepted, though no converter handles it
  EXPECT_TRUE(cm.Dirty());
}

TEST(ColorManager, ConversionErrorsNameTheirCause) {
  TColorManager cm;
  Configure(cm, plRGB, plIndexed, 8, 8, 3, 1);
  std::vector<uint8_t> Target(4);
  try {
    Convert(cm, {1, 2, 3}, Target, 1, 0xFF);
    FAIL();
  } catch (const EColorConversionError& e) {
    EXPECT_EQ(e.Message(), L"Conversion between indexed and non-indexed pixel formats is not supported.");
  }
  Configure(cm, plIndexed, plIndexed, 16, 8, 1, 1);
  try {
    Convert(cm, {1, 2, 3}, Target, 1, 0xFF);
    FAIL();
  } catch (const EColorConversionError& e) {
    EXPECT_EQ(e.Message(), L"Color conversion failed. Could not find a proper method.");
  }
}

TEST(ColorManager, PixelFormatsFollowBitsAndSamples) {
  struct {
    int Bits, Samples;
    TPixelFormat Want;
  } Cases[] = {{1, 1, pf1bit},  {2, 1, pf4bit},  {4, 1, pf4bit},  {8, 1, pf8bit},   {16, 1, pf8bit},
               {5, 3, pf15bit}, {8, 3, pf24bit}, {8, 4, pf32bit}, {4, 4, pfCustom}, {8, 2, pfCustom}};
  for (auto& c : Cases) {
    TColorManager cm;
    cm.SetTargetBits(uint8_t(c.Bits));
    cm.SetTargetSamples(uint8_t(c.Samples));
    EXPECT_EQ(cm.PixelFormatFor(true), c.Want) << c.Bits << "/" << c.Samples;
  }
}

TEST(ColorManager, GammaTableIsTheIdentityForTheDisplaysOwnGamma) {
  TColorManager cm;
  cm.ComputeGammaTable(1.0f / 2.2f, 2.2f);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(cm.GammaTable()[i], i);
  cm.ComputeGammaTable(1.0f, 0.0f);  // a display gamma of 0 means 2.2
  EXPECT_FLOAT_EQ(cm.DisplayGamma(), 2.2f);
  EXPECT_EQ(cm.GammaTable()[0], 0);
  EXPECT_EQ(cm.GammaTable()[255], 255);
  EXPECT_EQ(cm.GammaTable()[128], 186);  // (128/255)^(1/2.2) x 255 = 185.8
}

TEST(ColorManager, PalettesSpreadToTheTargetDepth) {
  TColorManager cm;
  Configure(cm, plIndexed, plIndexed, 2, 4, 1, 1);
  const uint8_t Rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const void* s = Rgb;
  auto e = Entries(cm.BuildPalette(&s, 0, 4, false));
  ASSERT_EQ(e.size(), 16u);
  for (int n : {0, 5, 10, 15}) EXPECT_EQ(e[n].peRed, Rgb[3 * (n / 5)]) << n;
  EXPECT_EQ(e[4].peRed, 1);  // 4 x 3 div 15 = 0
  EXPECT_EQ(e[14].peBlue, 9);

  auto Swapped = Entries(cm.BuildPalette(&s, 0, 4, true));
  EXPECT_EQ(Swapped[0].peRed, 3);

  Configure(cm, plGray, plGray, 2, 4, 1, 1);
  auto Grey = Entries(cm.BuildGrayPalette(false));
  ASSERT_EQ(Grey.size(), 16u);
  EXPECT_EQ(Grey[5].peGreen, 85);
  auto Reversed = Entries(cm.BuildGrayPalette(true));
  EXPECT_EQ(Reversed[0].peGreen, 255);
  EXPECT_EQ(Reversed[15].peGreen, 0);
}
