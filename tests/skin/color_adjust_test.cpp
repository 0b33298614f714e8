#include <gtest/gtest.h>

#include <cmath>

#include "skin/graphics/ColorAdjust.h"

TEST(ColorAdjust, MixAndLightnessOnColourValues) {
  struct {
    uint32_t (*Fn)(uint32_t, uint32_t, int);
    uint32_t A, B;
    int N;
    uint32_t Want;
  } Cases[] = {
      {[](uint32_t a, uint32_t b, int w) { return MixColors(a, b, uint8_t(w)); }, 0xFFFFFF, 0, 128, 0x7F7F7F},
      {[](uint32_t a, uint32_t b, int w) { return MixColors(a, b, uint8_t(w)); }, 0xAA0000FF, 0x11FF0000, 255,
       0xAA0000FE},  // weight 255 is not an exact copy; Color1's top byte stays
      {[](uint32_t a, uint32_t b, int w) { return MixColors(a, b, uint8_t(w)); }, 0x000000, 0x804020, 0, 0x7F3F1F},
      {[](uint32_t c, uint32_t, int n) { return ChangeColorLightness(c, n); }, 0x808080, 0, 256, 0xFFFFFF},
      {[](uint32_t c, uint32_t, int n) { return ChangeColorLightness(c, n); }, 0x808080, 0, -256, 0x000000},
      {[](uint32_t c, uint32_t, int n) { return ChangeColorLightness(c, n); }, 0x40C810, 0, 64, 0x50FA14},
      {[](uint32_t c, uint32_t, int n) { return ChangeColorLightness(c, n); }, 0x40C810, 0, -64, 0x30960C},
      {[](uint32_t c, uint32_t, int n) { return ChangeColorLightness(c, n); }, 0x12345678, 0, 0, 0x12345678},
  };
  for (auto& c : Cases) EXPECT_EQ(c.Fn(c.A, c.B, c.N), c.Want) << std::hex << c.A << " " << c.N;
}

TEST(ColorAdjust, SaturationUsesTiesToEvenLuminance) {
  EXPECT_EQ(SaturatePixel(0xFF336699, 0), 0xFF336699u);
  // -255: every channel becomes 255 x L shr 8, a grey just below L.
  uint32_t r = 0x33, g = 0x66, b = 0x99;
  int L = int(std::nearbyint(0.299 * r + 0.587 * g + 0.114 * b));
  uint32_t Grey = uint32_t(255 * L) >> 8;
  EXPECT_EQ(SaturatePixel(0xFF336699, -255), 0xFF000000u | Grey << 16 | Grey << 8 | Grey);
  // Positive amounts push away from L and are limited to 0..255.
  EXPECT_EQ(SaturatePixel(0x00FF0000, 255), 0x00FF0000u);
  EXPECT_EQ(ApplyColorSaturation(0x336699, 0), 0x336699u);
  EXPECT_EQ(ApplyColorSaturation(0x996633, -255), Grey << 16 | Grey << 8 | Grey);
}

TEST(ColorAdjust, HueShiftsThroughHsv) {
  struct {
    uint32_t Pixel;
    int Amount;
    uint32_t Want;
  } Cases[] = {
      {0xFF808080, 90, 0xFF808080},                                   // grey stays
      {0x00FF0000, 120, 0x0000FF00},                                  // red to green
      {0x00FF0000, 240, 0x000000FF},                                  // red to blue
      {0x00FF0000, -120, 0x000000FF}, {0x7F00FF00, 480, 0x7F0000FF},  // 480 + 120 = 600 mod 360 = 240
      {0x00000000, 45, 0x00000000},
  };
  for (auto& c : Cases)
    EXPECT_EQ(HuePixel(c.Pixel, c.Amount), c.Want) << std::hex << c.Pixel << std::dec << " " << c.Amount;
  EXPECT_EQ(ApplyColorHue(120, 0x0000FF), 0x00FF00u);  // colour values: red is the low byte
  EXPECT_EQ(ApplyColorHue(0, 0x123456), 0x123456u);
}

TEST(ColorAdjust, ToneKeepsBrightnessAndAlpha) {
  EXPECT_EQ(ApplyColorTone(0x40808080, 0x0000FF), 0x407F0000u);
  EXPECT_EQ(ApplyColorTone(0xFF204080, 0xFF8000), 0xFF00407Fu);  // m = 128; tone red 0, green 128, blue 255
  uint32_t p = 0xFF808080;
  TonePixelProc(&p, 0x00FF00);
  EXPECT_EQ(p, 0xFF007F00u);
  p = 0x00404040;
  LightenPixelProc(&p, 256);
  EXPECT_EQ(p, 0x00808080u);
  EXPECT_EQ(SwapRedBlueBytes(0x00112233), 0x00332211u);
}

TEST(ColorAdjust, LayeredWindowsAndLayoutBindByName) {
  EXPECT_FALSE(LayeredWindowsAvailable());
  EXPECT_EQ(GetDCLayout(nullptr), 0u);
  InitGraphUtils();
  InitGraphUtils();
  EXPECT_TRUE(LayeredWindowsAvailable());
  EXPECT_NE(GraphUtilsBindings().GetLayout, nullptr);
  HDC DC = CreateCompatibleDC(nullptr);
  SetDCLayout(DC, LAYOUT_RTL);
  EXPECT_EQ(GetDCLayout(DC), DWORD(LAYOUT_RTL));
  DeleteDC(DC);
  DoneGraphUtils();
  EXPECT_TRUE(LayeredWindowsAvailable());  // nested: still bound
  DoneGraphUtils();
  EXPECT_FALSE(LayeredWindowsAvailable());
}
