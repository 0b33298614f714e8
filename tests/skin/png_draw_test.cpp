// PNG pictures drawn onto a canvas, and opened by picture objects through
// the "PNG" file format.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Graphics.h"
#include "framework/Image.h"
#include "skin/graphics/PngGraphic.h"
#include "support/PixelHelpers.h"
#include "support/PngWriter.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr uint32_t Ground = 0xFF204060;  // what the canvas held before

struct Texel {
  uint8_t R, G, B, A;
};
// Red opaque, green invisible / white half, blue a quarter.
constexpr Texel Picture[2][2] = {{{255, 0, 0, 255}, {0, 255, 0, 0}}, {{255, 255, 255, 128}, {0, 0, 255, 64}}};

std::string RgbaPng() {
  PngRecipe r;
  r.Width = 2;
  r.Height = 2;
  r.ColorType = 6;
  r.Sample = [](int x, int y, int s) -> uint32_t {
    const Texel& t = Picture[y][x];
    return s == 0 ? t.R : s == 1 ? t.G : s == 2 ? t.B : t.A;
  };
  return MakePng(r);
}

// Source over the ground by the picture's own alpha, channel by channel.
uint32_t Over(const Texel& t) {
  auto Mix = [&](uint32_t d, uint32_t s) { return (d * (256 - t.A) + s * t.A) >> 8; };
  return Mix(Ground >> 16 & 0xFF, t.R) << 16 | Mix(Ground >> 8 & 0xFF, t.G) << 8 | Mix(Ground & 0xFF, t.B);
}

class PngDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadPngBytes(Png, RgbaPng());
    ASSERT_EQ(Png.PixelFormat(), pf32bit);
    Target.reset(FilledBitmap32(6, 6, Ground));
  }
  uint32_t Rgb(int x, int y) {
    GdiFlush();
    return PixelAt(*Target, x, y) & 0xFFFFFF;
  }
  void Draw(const RECT& R) {
    TCanvas Canvas(Target->DC());
    Png.Draw(Canvas, R);
  }
  void ExpectGroundOutside(const RECT& R) {
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 6; ++x)
        if (x < R.left || x >= R.right || y < R.top || y >= R.bottom) {
          EXPECT_EQ(Rgb(x, y), Ground & 0xFFFFFF) << x << "," << y;
        }
  }

  TPNGGraphic Png;
  std::unique_ptr<TBitmap> Target;
};

TEST_F(PngDraw, AtItsOwnSizeBlendsOverWhatTheCanvasHeld) {
  Draw(RECT{3, 1, 5, 3});
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(Rgb(3 + x, 1 + y), Over(Picture[y][x])) << x << "," << y;
  EXPECT_EQ(Rgb(4, 1), Ground & 0xFFFFFF);  // the invisible pixel leaves the canvas alone
  ExpectGroundOutside(RECT{3, 1, 5, 3});
}

TEST_F(PngDraw, StretchedKeepsEachPixelsOpacity) {
  Draw(RECT{1, 1, 5, 5});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Rgb(1 + x, 1 + y), Over(Picture[y / 2][x / 2])) << x << "," << y;
  ExpectGroundOutside(RECT{1, 1, 5, 5});
}

TEST_F(PngDraw, APictureWithoutAlphaIsCopied) {
  PngRecipe r;
  r.Width = 2;
  r.Height = 1;
  r.ColorType = 2;
  r.Sample = [](int x, int, int s) -> uint32_t { return x == 0 ? (s == 0 ? 200 : 10) : (s == 2 ? 150 : 20); };
  TPNGGraphic Plain;
  LoadPngBytes(Plain, MakePng(r));
  ASSERT_NE(Plain.PixelFormat(), pf32bit);
  TCanvas Canvas(Target->DC());
  Plain.Draw(Canvas, RECT{0, 0, 4, 2});
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(Rgb(0, y), 0xC80A0Au);
    EXPECT_EQ(Rgb(1, y), 0xC80A0Au);
    EXPECT_EQ(Rgb(2, y), 0x141496u);
    EXPECT_EQ(Rgb(3, y), 0x141496u);
  }
  ExpectGroundOutside(RECT{0, 0, 4, 2});
}

TEST_F(PngDraw, AnEmptyRectangleOrPictureDrawsNothing) {
  Draw(RECT{2, 2, 2, 5});
  Draw(RECT{4, 4, 1, 1});
  TPNGGraphic Empty;
  TCanvas Canvas(Target->DC());
  Empty.Draw(Canvas, RECT{0, 0, 6, 6});
  ExpectGroundOutside(RECT{});
}

TEST(PngFormat, PicturesOpenPngFilesWhileTheUnitRuns) {
  ScratchFolder Folder;
  const String File = Folder.File(L"lamp.Png");
  ScratchFolder::WriteBytes(File, RgbaPng());

  InitPngGraphic();
  InitPngGraphic();  // a nested start changes nothing
  const TGraphicFormat* Format = FindGraphicFormat(L"png");
  ASSERT_NE(Format, nullptr);
  EXPECT_EQ(Format->Description, L"Portable network graphics (VuzurErirored)");
  TPicture Picture;
  Picture.LoadFromFile(File);
  EXPECT_EQ(Picture.Width(), 2);
  EXPECT_EQ(Picture.Height(), 2);
  DIBSECTION Section = {};
  ASSERT_EQ(GetObjectW(Picture.Bitmap(), sizeof(Section), &Section), int(sizeof(Section)));
  EXPECT_EQ(Section.dsBm.bmBitsPixel, 32);  // alpha kept

  DonePngGraphic();
  EXPECT_NE(FindGraphicFormat(L"PNG"), nullptr);
  DonePngGraphic();
  EXPECT_EQ(FindGraphicFormat(L"PNG"), nullptr);
  EXPECT_THROW(Picture.LoadFromFile(File), EInvalidGraphic);
  EXPECT_EQ(Picture.Width(), 2);  // a failed load keeps the picture
}

}  // namespace
