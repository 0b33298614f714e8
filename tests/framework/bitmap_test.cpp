#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Streams.h"

namespace {

uint32_t& Pixel(TBitmap& Bmp, int x, int y) { return static_cast<uint32_t*>(Bmp.ScanLine(y))[x]; }

TBitmap* Make32(int W, int H) {
  auto* Bmp = new TBitmap;
  Bmp->SetPixelFormat(pf32bit);
  Bmp->SetSize(W, H);
  return Bmp;
}

}  // namespace

TEST(Bitmap, StartsDeviceDependentAndEmpty) {
  TBitmap Bmp;
  EXPECT_EQ(Bmp.PixelFormat(), pfDevice);
  EXPECT_EQ(Bmp.HandleType(), bmDDB);
  EXPECT_TRUE(Bmp.Empty());
  EXPECT_EQ(Bmp.Handle(), nullptr);
}

TEST(Bitmap, RowsAreBottomUpAndReachableFromTheDc) {
  std::unique_ptr<TBitmap> Bmp(Make32(3, 2));
  EXPECT_EQ(Bmp->HandleType(), bmDIB);
  auto* Row0 = static_cast<uint8_t*>(Bmp->ScanLine(0));
  auto* Row1 = static_cast<uint8_t*>(Bmp->ScanLine(1));
  EXPECT_EQ(Row1 - Row0, -12);
  EXPECT_EQ(Bmp->ScanLine(2), nullptr);
  Pixel(*Bmp, 2, 0) = 0x00112233;  // blue 0x33, green 0x22, red 0x11
  EXPECT_EQ(GetPixel(Bmp->DC(), 2, 0), RGB(0x11, 0x22, 0x33));
  SetPixel(Bmp->DC(), 0, 1, RGB(0xAA, 0xBB, 0xCC));
  GdiFlush();
  EXPECT_EQ(Pixel(*Bmp, 0, 1) & 0xFFFFFF, 0xAABBCCu);
  // The DC keeps the bitmap selected across a resize.
  Bmp->SetSize(5, 4);
  EXPECT_EQ(Pixel(*Bmp, 2, 0), 0x00112233u);  // the picture stays at the top-left
  EXPECT_EQ(Pixel(*Bmp, 4, 3), 0u);           // new pixels are zero
  EXPECT_EQ(GetPixel(Bmp->DC(), 2, 0), RGB(0x11, 0x22, 0x33));
}

TEST(Bitmap, WidthThenHeightBuildsUpTheSize) {
  TBitmap Bmp;
  Bmp.SetPixelFormat(pf32bit);
  Bmp.SetWidth(7);
  EXPECT_TRUE(Bmp.Empty());
  Bmp.SetHeight(3);
  EXPECT_EQ(Bmp.Width(), 7);
  EXPECT_EQ(Bmp.Height(), 3);
  EXPECT_NE(Bmp.ScanLine(2), nullptr);
  Bmp.SetSize(-4, 3);
  EXPECT_EQ(Bmp.Width(), 0);
}

TEST(Bitmap, FormatChangesConvertThroughGdi) {
  TBitmap Bmp;
  Bmp.SetPixelFormat(pf24bit);
  Bmp.SetSize(2, 1);
  auto* Row = static_cast<uint8_t*>(Bmp.ScanLine(0));
  Row[3] = 0x10, Row[4] = 0x20, Row[5] = 0x30;
  Bmp.SetPixelFormat(pf32bit);
  EXPECT_EQ(Pixel(Bmp, 1, 0), 0x00302010u);  // alpha comes out 0
  Bmp.SetPixelFormat(pf8bit);                // a grey ramp by default: colours become levels
  Bmp.SetPixelFormat(pf32bit);
  uint32_t Grey = Pixel(Bmp, 1, 0);
  EXPECT_EQ(Grey & 0xFF, Grey >> 8 & 0xFF);
  EXPECT_EQ(Grey & 0xFF, Grey >> 16 & 0xFF);
  EXPECT_NEAR(int(Grey & 0xFF), 0x20, 8);
}

TEST(Bitmap, PaletteFillsTheColourTable) {
  TBitmap Bmp;
  Bmp.SetPixelFormat(pf1bit);
  Bmp.SetSize(8, 1);
  struct {
    LOGPALETTE Head;
    PALETTEENTRY More[1];
  } Log = {{0x300, 2, {{255, 0, 0, 0}}}, {{0, 0, 255, 0}}};
  Bmp.SetPalette(CreatePalette(&Log.Head));
  static_cast<uint8_t*>(Bmp.ScanLine(0))[0] = 0x80;  // pixel 0 index 1, the rest index 0
  EXPECT_EQ(GetPixel(Bmp.DC(), 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(Bmp.DC(), 1, 0), RGB(255, 0, 0));
  TBitmap Copy;
  Copy.Assign(Bmp);
  EXPECT_NE(Copy.Palette(), Bmp.Palette());  // each owns its own
  EXPECT_EQ(GetPixel(Copy.DC(), 0, 0), RGB(0, 0, 255));
}

TEST(Bitmap, AssignCopiesEverything) {
  std::unique_ptr<TBitmap> Src(Make32(4, 3));
  Pixel(*Src, 3, 2) = 0x80FF0000;
  Src->SetTransparent(true);
  Src->SetTransparentColor(0x00FF00);
  Src->SetIgnorePalette(true);
  TBitmap Dst;
  Dst.Assign(*Src);
  EXPECT_EQ(Dst.PixelFormat(), pf32bit);
  EXPECT_EQ(Dst.Width(), 4);
  EXPECT_EQ(Pixel(Dst, 3, 2), 0x80FF0000u);
  EXPECT_TRUE(Dst.Transparent());
  EXPECT_EQ(Dst.TransparentMode(), tmFixed);
  EXPECT_EQ(Dst.TransparentColor(), 0x00FF00u);
  EXPECT_TRUE(Dst.IgnorePalette());
  Pixel(Dst, 0, 0) = 1;
  EXPECT_EQ(Pixel(*Src, 0, 0), 0u);  // a copy, not a share
}

TEST(Bitmap, AutomaticTransparentColourIsTheBottomLeftPixel) {
  std::unique_ptr<TBitmap> Bmp(Make32(2, 2));
  Pixel(*Bmp, 0, 1) = 0x000000FF;  // blue
  EXPECT_EQ(Bmp->TransparentMode(), tmAuto);
  EXPECT_EQ(Bmp->TransparentColor(), RGB(0, 0, 255));
  Bmp->SetTransparentColor(0x123456);
  EXPECT_EQ(Bmp->TransparentColor(), 0x123456u);
  Bmp->SetTransparentMode(tmAuto);
  EXPECT_EQ(Bmp->TransparentColor(), RGB(0, 0, 255));
}

TEST(Bitmap, BmpFilesRoundTrip) {
  for (TPixelFormat Format : {pf32bit, pf24bit, pf8bit, pf4bit, pf1bit, pf16bit}) {
    SCOPED_TRACE(int(Format));
    TBitmap Bmp;
    Bmp.SetPixelFormat(Format);
    Bmp.SetSize(5, 3);
    auto* Row = static_cast<uint8_t*>(Bmp.ScanLine(1));
    Row[0] = 0x9C;
    Row[1] = 0x5A;
    TMemoryStream Stream;
    Bmp.SaveToStream(Stream);
    Stream.SetPosition(0);
    TBitmap Back;
    Back.LoadFromStream(Stream);
    EXPECT_EQ(Back.PixelFormat(), Format);
    EXPECT_EQ(Back.Width(), 5);
    EXPECT_EQ(Back.Height(), 3);
    EXPECT_EQ(static_cast<uint8_t*>(Back.ScanLine(1))[0], 0x9C);
    EXPECT_EQ(static_cast<uint8_t*>(Back.ScanLine(1))[1], 0x5A);
    EXPECT_EQ(static_cast<uint8_t*>(Back.ScanLine(0))[0], 0);
  }
}

TEST(Bitmap, BrokenBmpFilesAreRefused) {
  std::unique_ptr<TBitmap> Bmp(Make32(4, 4));
  TMemoryStream Good;
  Bmp->SaveToStream(Good);
  std::string Bytes(static_cast<char*>(Good.Memory()), size_t(Good.Size()));
  auto Load = [](std::string Data) {
    TMemoryStream Stream;
    Stream.WriteBuffer(Data.data(), int64_t(Data.size()));
    Stream.SetPosition(0);
    TBitmap Out;
    Out.LoadFromStream(Stream);
  };
  std::string NotBmp = Bytes;
  NotBmp[0] = 'X';
  EXPECT_THROW(Load(NotBmp), EInvalidGraphic);
  std::string Huge = Bytes;
  Huge[18] = char(0xFF), Huge[19] = char(0xFF), Huge[20] = char(0xFF), Huge[21] = char(0x7F);  // width
  EXPECT_THROW(Load(Huge), EInvalidGraphic);
  EXPECT_THROW(Load(Bytes.substr(0, Bytes.size() - 5)), Exception);  // pixels cut short
}

TEST(Bitmap, HandlesCanBeTakenAndGiven) {
  std::unique_ptr<TBitmap> Bmp(Make32(3, 3));
  Pixel(*Bmp, 1, 1) = 0xFF445566;
  HBITMAP Handle = Bmp->ReleaseHandle();
  EXPECT_TRUE(Bmp->Empty());
  TBitmap Other;
  Other.SetHandle(Handle);
  EXPECT_EQ(Other.PixelFormat(), pf32bit);
  EXPECT_EQ(Other.Width(), 3);
  EXPECT_EQ(Pixel(Other, 1, 1), 0xFF445566u);
  // A top-down section is turned bottom-up.
  BITMAPINFO Info = {};
  Info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB};
  void* Bits = nullptr;
  HBITMAP TopDown = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  static_cast<uint32_t*>(Bits)[0] = 0x01020304;  // the top-left pixel
  TBitmap Flipped;
  Flipped.SetHandle(TopDown);
  EXPECT_EQ(Pixel(Flipped, 0, 0) & 0xFFFFFF, 0x020304u);
  EXPECT_LT(static_cast<uint8_t*>(Flipped.ScanLine(1)) - static_cast<uint8_t*>(Flipped.ScanLine(0)), 0);
}

TEST(Bitmap, DeviceBitmapsBecomeSectionsForPixelAccess) {
  TBitmap Bmp;
  Bmp.SetSize(4, 4);
  EXPECT_EQ(Bmp.HandleType(), bmDDB);
  SetPixel(Bmp.DC(), 1, 1, RGB(1, 2, 3));
  ASSERT_NE(Bmp.ScanLine(1), nullptr);
  EXPECT_EQ(Bmp.HandleType(), bmDIB);
  EXPECT_EQ(GetPixel(Bmp.DC(), 1, 1), RGB(1, 2, 3));
}
