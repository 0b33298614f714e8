// Pictures: a bitmap drawing itself onto a canvas, and picture objects
// opening files through the class registered for the file's extension.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "framework/Image.h"
#include "tests/support/scratch_folder.h"

namespace {

uint32_t& Pixel(TBitmap& Bmp, int x, int y) { return static_cast<uint32_t*>(Bmp.ScanLine(y))[x]; }

std::unique_ptr<TBitmap> Filled32(int W, int H, uint32_t Rgb) {
  auto Bmp = std::make_unique<TBitmap>();
  Bmp->SetPixelFormat(pf32bit);
  Bmp->SetSize(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) Pixel(*Bmp, x, y) = Rgb;
  return Bmp;
}

uint32_t Rgb(TBitmap& Bmp, int x, int y) {
  GdiFlush();
  return Pixel(Bmp, x, y) & 0xFFFFFF;
}

}  // namespace

TEST(Graphic, ABitmapDrawsStretchedIntoTheRectangle) {
  auto Source = Filled32(2, 1, 0x112233);
  Pixel(*Source, 1, 0) = 0x445566;
  auto Target = Filled32(6, 3, 0xABCDEF);
  TCanvas Canvas(Target->DC());
  Source->Draw(Canvas, RECT{1, 1, 5, 3});
  for (int y = 1; y < 3; ++y) {
    EXPECT_EQ(Rgb(*Target, 1, y), 0x112233u);
    EXPECT_EQ(Rgb(*Target, 2, y), 0x112233u);
    EXPECT_EQ(Rgb(*Target, 3, y), 0x445566u);
    EXPECT_EQ(Rgb(*Target, 4, y), 0x445566u);
  }
  EXPECT_EQ(Rgb(*Target, 0, 1), 0xABCDEFu);
  EXPECT_EQ(Rgb(*Target, 5, 2), 0xABCDEFu);
  EXPECT_EQ(Rgb(*Target, 2, 0), 0xABCDEFu);
}

TEST(Graphic, ATransparentBitmapLeavesItsKeyColourOut) {
  // The key is the bottom-left pixel's colour; the other pixel is drawn.
  auto Source = Filled32(2, 2, 0xFF00FF);
  Pixel(*Source, 1, 0) = 0x00FF00;
  Source->SetTransparent(true);
  auto Target = Filled32(2, 2, 0x123456);
  TCanvas Canvas(Target->DC());
  Source->Draw(Canvas, RECT{0, 0, 2, 2});
  EXPECT_EQ(Rgb(*Target, 1, 0), 0x00FF00u);
  EXPECT_EQ(Rgb(*Target, 0, 0), 0x123456u);
  EXPECT_EQ(Rgb(*Target, 0, 1), 0x123456u);
  EXPECT_EQ(Rgb(*Target, 1, 1), 0x123456u);
}

class GraphicFormats : public ::testing::Test {
 protected:
  void TearDown() override { UnregisterGraphicFormat(L"BMP"); }
  // A 3 x 2 BMP file with the given name.
  String WriteBmp(const String& Name) {
    auto Bmp = Filled32(3, 2, 0x336699);
    const String Path = Folder.File(Name);
    Bmp->SaveToFile(Path);
    return Path;
  }
  ScratchFolder Folder;
};

TEST_F(GraphicFormats, APictureOpensAFileThroughTheClassOfItsExtension) {
  const String Path = WriteBmp(L"lamp.Bmp");
  TPicture Picture;
  EXPECT_THROW(Picture.LoadFromFile(Path), EInvalidGraphic);  // nothing reads .bmp yet
  EXPECT_TRUE(Picture.Empty());

  int Made = 0;
  RegisterGraphicFormat(L"bmp", L"Bitmaps", [&] {
    ++Made;
    return std::make_unique<TBitmap>();
  });
  const TGraphicFormat* Format = FindGraphicFormat(L"BMP");  // any case
  ASSERT_NE(Format, nullptr);
  EXPECT_EQ(Format->Description, L"Bitmaps");
  Picture.LoadFromFile(Path);
  EXPECT_EQ(Made, 1);
  EXPECT_EQ(Picture.Width(), 3);
  EXPECT_EQ(Picture.Height(), 2);
  EXPECT_NE(Picture.Bitmap(), nullptr);
}

TEST_F(GraphicFormats, ALaterRegistrationReplacesAnEarlierOneAndUnregisteringRemovesIt) {
  RegisterGraphicFormat(L"BMP", L"First", [] { return std::make_unique<TBitmap>(); });
  RegisterGraphicFormat(L"Bmp", L"Second", [] { return std::make_unique<TBitmap>(); });
  ASSERT_NE(FindGraphicFormat(L"bmp"), nullptr);
  EXPECT_EQ(FindGraphicFormat(L"bmp")->Description, L"Second");
  UnregisterGraphicFormat(L"bmp");
  EXPECT_EQ(FindGraphicFormat(L"BMP"), nullptr);
  UnregisterGraphicFormat(L"bmp");  // twice does no harm
}

TEST_F(GraphicFormats, FilesOfUnknownKindsAreRefused) {
  RegisterGraphicFormat(L"BMP", L"Bitmaps", [] { return std::make_unique<TBitmap>(); });
  TPicture Picture;
  for (const wchar_t* Name : {L"lamp", L"lamp.bmp.old", L"lamp.jpg"}) {
    const String Path = WriteBmp(Name);
    EXPECT_THROW(Picture.LoadFromFile(Path), EInvalidGraphic) << Name;
  }
  // The class that reads the extension reports a damaged file in its own way.
  const String Broken = Folder.File(L"broken.bmp");
  ScratchFolder::WriteBytes(Broken, "BM not really");
  EXPECT_ANY_THROW(Picture.LoadFromFile(Broken));
  EXPECT_TRUE(Picture.Empty());
}
