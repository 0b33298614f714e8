#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/TextGlow.h"
#include "support/PixelHelpers.h"

namespace {

struct GlowTarget {
  std::unique_ptr<TBitmap> Bmp;
  TOwnedFont Font;
  HGDIOBJ Old;
  GlowTarget(int W, int H)
      : Bmp(FilledBitmap32(W, H, 0)),
        Font(CreateFontW(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial")) {
    Old = SelectObject(Bmp->DC(), Font.get());
  }
  ~GlowTarget() { SelectObject(Bmp->DC(), Old); }
  // The box of pixels with any alpha, and how many there are.
  RECT Covered(int* Count = nullptr) {
    RECT Box{Bmp->Width(), Bmp->Height(), -1, -1};
    int n = 0;
    for (int y = 0; y < Bmp->Height(); ++y)
      for (int x = 0; x < Bmp->Width(); ++x)
        if (PixelAt(*Bmp, x, y) >> 24) {
          ++n;
          Box.left = std::min<LONG>(Box.left, x), Box.top = std::min<LONG>(Box.top, y);
          Box.right = std::max<LONG>(Box.right, x + 1), Box.bottom = std::max<LONG>(Box.bottom, y + 1);
        }
    if (Count) *Count = n;
    return Box;
  }
};

std::vector<uint8_t> MaskBytes(TBitmap& Mask) {
  std::vector<uint8_t> Bytes;
  for (int y = 0; y < Mask.Height(); ++y) {
    auto* Row = static_cast<uint8_t*>(Mask.ScanLine(y));
    Bytes.insert(Bytes.end(), Row, Row + Mask.Width());
  }
  return Bytes;
}

}  // namespace

TEST(BlurKernel, RoundedWeightsGiveFlatKernels) {
  struct {
    double Sigma;
    int Radius;
  } Cases[] = {{1, 1}, {2, 1}, {3, 2}, {4, 3}, {14, 15}, {20, 15}};
  for (auto& c : Cases) {
    TacBlurKernel K;
    BuildBlurKernel(K, c.Sigma, 255, 1);
    ASSERT_EQ(K.Radius, c.Radius) << c.Sigma;
    float Sum = 0;
    for (int k = -c.Radius; k <= c.Radius; ++k) {
      EXPECT_NEAR(K.Weight(k), 1.0 / (2 * c.Radius + 1), 1e-6) << c.Sigma << " " << k;
      Sum += K.Weight(k);
    }
    EXPECT_NEAR(Sum, 1.0f, 1e-5);
  }
}

TEST(BlurLine, SpreadsASpikeAndRepeatsTheEdges) {
  TacBlurKernel K;
  BuildBlurKernel(K, 3, 255, 1);  // five taps of 1/5
  std::vector<uint8_t> Scratch;
  uint8_t Spike[9] = {0, 0, 0, 0, 255, 0, 0, 0, 0};
  BlurLine(Spike, 8, K, Scratch);
  const uint8_t Want[9] = {0, 0, 51, 51, 51, 51, 51, 0, 0};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(Spike[i], Want[i]) << i;
  // The edge byte counts for the missing neighbours: 3 x 250 of 5 taps.
  uint8_t Edge[5] = {250, 0, 0, 0, 0};
  BlurLine(Edge, 4, K, Scratch);
  EXPECT_EQ(Edge[0], 150);
  EXPECT_EQ(Edge[1], 100);
  EXPECT_EQ(Edge[2], 50);
  EXPECT_EQ(Edge[3], 0);
  uint8_t Flat[4] = {255, 255, 255, 255};
  BlurLine(Flat, 3, K, Scratch);
  for (uint8_t b : Flat) EXPECT_EQ(b, 255);
}

TEST(BlurBitmap, OnlyEightBitBitmapsAreBlurred) {
  auto Colour = std::unique_ptr<TBitmap>(FilledBitmap32(5, 5, 0));
  SetPixelAt(*Colour, 2, 2, 0xFFFFFFFF);
  BlurBitmap8(*Colour, 3);
  EXPECT_EQ(PixelAt(*Colour, 2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(*Colour, 1, 2), 0u);
}

TEST(TextGlow, GlowWidensTheCoveredAreaAndStaysInsideItsMargin) {
  const RECT R{30, 20, 110, 45};
  const int Radius = 3;
  GlowTarget Plain(140, 70), Glow(140, 70);
  DrawTextAlpha(*Plain.Bmp, L"Kel", true, R, DT_SINGLELINE, 0xFFFFFF);
  std::unique_ptr<TBitmap> Cache;
  DrawTextGlow(*Glow.Bmp, L"Kel", R, DT_SINGLELINE, 15, Radius, 0x00FF00, Cache);
  int PlainCount = 0, GlowCount = 0;
  RECT P = Plain.Covered(&PlainCount), G = Glow.Covered(&GlowCount);
  ASSERT_GT(PlainCount, 20);
  EXPECT_GT(GlowCount, PlainCount * 3 / 2);
  EXPECT_LT(G.left, P.left);
  EXPECT_LT(G.top, P.top);
  EXPECT_GT(G.right, P.right);
  EXPECT_GT(G.bottom, P.bottom);
  // The mask reaches Radius + 4 beyond R moved by one pixel.
  const int D = Radius + 4;
  EXPECT_GE(G.left, R.left + 1 - D);
  EXPECT_GE(G.top, R.top + 1 - D);
  EXPECT_LE(G.right, R.right + 1 + D);
  EXPECT_LE(G.bottom, R.bottom + 1 + D);
  // Glow pixels take the glow colour.
  int Green = 0;
  for (int y = G.top; y < G.bottom; ++y)
    for (int x = G.left; x < G.right; ++x) {
      uint32_t p = PixelAt(*Glow.Bmp, x, y);
      if (p >> 24) {
        EXPECT_EQ(p & 0xFF00FF, 0u);
        Green += (p & 0xFF00) != 0;
      }
    }
  EXPECT_GT(Green, 20);
}

TEST(TextGlow, MaskCacheIsKeptWhileTheSizeFitsWhateverTheText) {
  const RECT R{10, 10, 70, 30};
  GlowTarget First(100, 50), Second(100, 50);
  std::unique_ptr<TBitmap> Cache;
  DrawTextGlow(*First.Bmp, L"Kel", R, DT_SINGLELINE, 0, 2, 0xFFFFFF, Cache);
  ASSERT_TRUE(Cache);
  EXPECT_EQ(Cache->PixelFormat(), pf8bit);
  const TBitmap* Kept = Cache.get();
  const auto Before = MaskBytes(*Cache);
  DrawTextGlow(*Second.Bmp, L"", R, DT_SINGLELINE, 0, 2, 0xFFFFFF, Cache);
  EXPECT_EQ(Cache.get(), Kept);
  EXPECT_EQ(MaskBytes(*Cache), Before);
  int a = 0, b = 0;
  First.Covered(&a);
  Second.Covered(&b);
  EXPECT_GT(a, 0);
  EXPECT_EQ(a, b);  // the second call glowed with the first text's mask

  // A new size rebuilds the mask: an empty text leaves no glow.
  GlowTarget Third(100, 50);
  DrawTextGlow(*Third.Bmp, L"", RECT{10, 10, 60, 30}, DT_SINGLELINE, 0, 2, 0xFFFFFF, Cache);
  int c = -1;
  Third.Covered(&c);
  EXPECT_EQ(c, 0);
}

TEST(TextGlow, RadiusZeroOrATargetOutsideDrawsNothing) {
  GlowTarget T(60, 30);
  std::unique_ptr<TBitmap> Cache;
  DrawTextGlow(*T.Bmp, L"Kel", RECT{0, 0, 60, 30}, DT_SINGLELINE, 15, 0, 0xFFFFFF, Cache);
  DrawTextGlow(*T.Bmp, L"Kel", RECT{200, 200, 260, 230}, DT_SINGLELINE, 15, 3, 0xFFFFFF, Cache);
  DrawTextGlow(*T.Bmp, L"Kel", RECT{-300, -300, -240, -270}, DT_SINGLELINE, 15, 3, 0xFFFFFF, Cache);
  int n = -1;
  T.Covered(&n);
  EXPECT_EQ(n, 0);
}
