#include <gtest/gtest.h>

#include "framework/Streams.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "support/PixelHelpers.h"
#include "support/PngWriter.h"

namespace {

// A W x H bitmap whose pixel (x, y) is 0xAA000000 | x << 8 | y, so any
// misplaced pixel names where it came from.
std::unique_ptr<TBitmap> Numbered(int W, int H, uint32_t Alpha = 0xAA) {
  auto Bmp = NewBitmap32(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) SetPixelAt(*Bmp, x, y, Alpha << 24 | uint32_t(x) << 8 | uint32_t(y));
  return Bmp;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b); }

}  // namespace

TEST(Bitmap32, CreationGivesEmptyBitmapsForBadSizes) {
  struct {
    int W, H, WantW, WantH;
  } Cases[] = {{3, 2, 3, 2}, {-1, 10, 0, 0}, {10, -1, 0, 0}, {0, 5, 0, 5}};
  for (auto& c : Cases) {
    auto Bmp = NewBitmap32(c.W, c.H);
    EXPECT_EQ(Bmp->PixelFormat(), pf32bit);
    EXPECT_EQ(Bmp->Width(), c.WantW);
    EXPECT_EQ(Bmp->Height(), c.WantH);
  }
  auto Inverted = NewBitmap32OfRect(RECT{10, 10, 5, 20});
  EXPECT_EQ(Inverted->Width(), 0);
  EXPECT_EQ(Inverted->Height(), 10);
  EXPECT_EQ(NewBitmap32OfSize(POINT{4, 7})->Height(), 7);
}

TEST(Bitmap32, ScanlineWalkRunsBottomUpWithNegativeStep) {
  auto Bmp = Numbered(5, 3);
  uint8_t* Row0;
  ptrdiff_t Step;
  ASSERT_TRUE(PrepareScanlineWalk(Bmp.get(), Row0, Step));
  EXPECT_EQ(Step, -20);
  EXPECT_EQ(PixelRow(Row0, Step, 2)[4], 0xAA000402u);

  auto OneRow = NewBitmap32(4, 1);
  ASSERT_TRUE(PrepareScanlineWalk(OneRow.get(), Row0, Step));
  EXPECT_EQ(Step, 0);

  auto Empty = NewBitmap32(4, 0);
  uint8_t* Untouched = nullptr;
  EXPECT_FALSE(PrepareScanlineWalk(Empty.get(), Untouched, Step));
  EXPECT_EQ(Untouched, nullptr);
  EXPECT_FALSE(PrepareScanlineWalk(nullptr, Untouched, Step));
}

TEST(Bitmap32, ForEachPixelExceptSkipsOnlyExactKeyPixels) {
  auto Bmp = NewBitmap32(3, 1);
  SetPixelAt(*Bmp, 0, 0, 0x00FF00FF);  // magenta, alpha 0: skipped
  SetPixelAt(*Bmp, 1, 0, 0xFFFF00FF);  // magenta with alpha: not the key
  SetPixelAt(*Bmp, 2, 0, 0x00102030);
  ForEachPixelExcept(Bmp.get(), TonePixelProc, 0x0000FF, 0xFF00FF);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0x00FF00FFu);
  EXPECT_EQ(PixelAt(*Bmp, 1, 0), 0xFFFE0000u);
  EXPECT_EQ(PixelAt(*Bmp, 2, 0), 0x002F0000u);
  int Calls = 0;
  static int* Counter;
  Counter = &Calls;
  ForEachPixelExcept(
      Bmp.get(), [](uint32_t*, int) { ++*Counter; }, 0, 0x1FFFFFFF);
  EXPECT_EQ(Calls, 3);
  ForEachPixelExcept(
      NewBitmap32(0, 0).get(), [](uint32_t*, int) { ++*Counter; }, 0, 0x1FFFFFFF);
  EXPECT_EQ(Calls, 3);
}

TEST(Bitmap32, ByteChannelsMoveBetweenBitmaps) {
  auto Src = Numbered(4, 3, 0x7F);
  auto Dst = NewBitmap32(4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) SetPixelAt(*Dst, x, y, 0x11223344);
  CopyByteChannel(*Dst, *Src, 3);
  EXPECT_EQ(PixelAt(*Dst, 2, 1), 0x7F223344u);

  TBitmap Plane;
  Plane.SetPixelFormat(pf8bit);
  Plane.SetSize(4, 3);
  TransferByteChannel(*Src, Plane, 1, true);  // green = x
  EXPECT_EQ(static_cast<uint8_t*>(Plane.ScanLine(2))[3], 3);
  static_cast<uint8_t*>(Plane.ScanLine(1))[2] = 0x99;
  TransferByteChannel(*Dst, Plane, 0, false);
  EXPECT_EQ(PixelAt(*Dst, 2, 1), 0x7F223399u);
}

TEST(Bitmap32, RightAngleRotationsMovePixelsClockwise) {
  struct {
    int Angle, W, H;
    int SrcX, SrcY, DstX, DstY;
  } Cases[] = {{90, 2, 3, 0, 0, 1, 0},
               {90, 2, 3, 2, 1, 0, 2},
               {180, 3, 2, 0, 0, 2, 1},
               {270, 2, 3, 0, 0, 0, 2},
               {45, 3, 2, 1, 1, 1, 1}};
  for (auto& c : Cases) {
    SCOPED_TRACE(c.Angle);
    TBitmap* Src = Numbered(3, 2).release();
    TBitmap* Result = RotateBitmapRightAngle(Src, c.Angle, true);
    EXPECT_EQ(Src, nullptr);
    EXPECT_EQ(Result->Width(), c.W);
    EXPECT_EQ(Result->Height(), c.H);
    EXPECT_EQ(PixelAt(*Result, c.DstX, c.DstY), 0xAA000000u | uint32_t(c.SrcX) << 8 | uint32_t(c.SrcY));
    delete Result;
  }
  TBitmap Plain;
  Plain.SetPixelFormat(pf24bit);
  Plain.SetSize(3, 2);
  TBitmap* Same = &Plain;
  EXPECT_EQ(RotateBitmapRightAngle(Same, 90, false), &Plain);
}

TEST(Bitmap32, KeyColourRunsAndRegions) {
  auto Bmp = NewBitmap32(5, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) SetPixelAt(*Bmp, x, y, 0xFF000000u);
  HRGN Full;
  RegionFromKeyColor(Full, *Bmp, 0xFF00FF);
  HRGN Whole = CreateRectRgn(0, 0, 5, 2);
  EXPECT_EQ(CombineRgn(Whole, Whole, Full, RGN_XOR), NULLREGION);
  DeleteObject(Full);
  DeleteObject(Whole);

  for (int x : {0, 1, 3}) SetPixelAt(*Bmp, x, 0, 0x00FF00FF);
  SetPixelAt(*Bmp, 4, 1, 0x00FF00FF);
  SetPixelAt(*Bmp, 2, 1, 0xFFFF00FF);  // has alpha: does not match
  std::vector<RECT> Runs;
  CollectKeyColorRuns(Runs, *Bmp, 0xFF00FF);
  ASSERT_EQ(Runs.size(), 3u);
  EXPECT_TRUE(SameRect(Runs[0], RECT{0, 0, 2, 1}));
  EXPECT_TRUE(SameRect(Runs[1], RECT{3, 0, 4, 1}));
  EXPECT_TRUE(SameRect(Runs[2], RECT{4, 1, 5, 2}));
}

TEST(Bitmap32, CornerKeyRectsMapToWindowCoordinates) {
  // An item of 6 x 4 at (1, 0) of an 8 x 4 image, corners 2 wide, 1 high.
  auto Bmp = NewBitmap32(8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) SetPixelAt(*Bmp, x, y, 0);
  SetPixelAt(*Bmp, 1, 0, 0xFF00FF);  // item column 0, top row
  SetPixelAt(*Bmp, 6, 0, 0xFF00FF);  // item column 5 (right zone)
  SetPixelAt(*Bmp, 1, 3, 0xFF00FF);  // bottom row
  std::vector<RECT> Top, Bottom;
  CollectKeyColorRects(Top, Bmp.get(), RECT{1, 0, 7, 4}, 100, 2, 1, 2, 1, 10, false, false, 0xFF00FF, 0);
  ASSERT_EQ(Top.size(), 2u);
  EXPECT_TRUE(SameRect(Top[0], RECT{0, 10, 1, 11}));
  EXPECT_TRUE(SameRect(Top[1], RECT{99, 10, 100, 11}));
  CollectKeyColorRects(Bottom, Bmp.get(), RECT{1, 0, 7, 4}, 100, 2, 1, 2, 1, 50, true, false, 0xFF00FF, 0);
  ASSERT_EQ(Bottom.size(), 1u);
  EXPECT_EQ(Bottom[0].top, 50);
  std::vector<RECT> Outside;
  CollectKeyColorRects(Outside, Bmp.get(), RECT{1, 2, 7, 6}, 100, 2, 1, 2, 1, 0, true, false, 0xFF00FF, 0);
  EXPECT_TRUE(Outside.empty());
}

TEST(Bitmap32, MaskHalvesAndAlphaConvertBothWays) {
  auto Opaque = NewBitmap32(2, 1);
  SetPixelAt(*Opaque, 0, 0, 0xFF123456);
  SetPixelAt(*Opaque, 1, 0, 0x00654321);
  auto Masked = MaskHalfFromAlpha(*Opaque);
  ASSERT_EQ(Masked->Height(), 2);
  EXPECT_EQ(PixelAt(*Masked, 0, 1), 0xFF000000u);  // opaque: black mask
  EXPECT_EQ(PixelAt(*Masked, 1, 1), 0xFFFFFFFFu);  // transparent: white mask
  EXPECT_EQ(PixelAt(*Masked, 0, 0) & 0xFFFFFF, 0x123456u);

  auto Back = AlphaFromMaskHalf(*Masked, RECT{0, 0, 2, 2});
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(PixelAt(*Back, 0, 0), 0xFF123456u);
  EXPECT_EQ(PixelAt(*Back, 1, 0) >> 24, 0u);
  EXPECT_EQ(AlphaFromMaskHalf(*Masked, RECT{0, 0, 3, 2}), nullptr);
  EXPECT_EQ(AlphaFromMaskHalf(*Masked, RECT{0, 0, 2, 1}), nullptr);
  EXPECT_EQ(MaskHalfFromAlpha(*NewBitmap32(0, 3)), nullptr);
}

TEST(Bitmap32, IconKeepsTheBitmapsSize) {
  auto Bmp = Numbered(16, 8, 0xFF);
  HICON Icon = BitmapToIcon(*Bmp);
  ASSERT_NE(Icon, nullptr);
  ICONINFO Info;
  ASSERT_TRUE(GetIconInfo(Icon, &Info));
  BITMAP Color;
  GetObjectW(Info.hbmColor, sizeof(Color), &Color);
  EXPECT_EQ(Color.bmWidth, 16);
  EXPECT_EQ(Color.bmHeight, 8);
  DeleteObject(Info.hbmColor);
  DeleteObject(Info.hbmMask);
  DestroyIcon(Icon);
}

TEST(Bitmap32, PngStreamLoaderGivesAlphaAndKeepsTheTransparentFlag) {
  PngRecipe S;
  S.Width = 2;
  S.Height = 1;
  S.ColorType = 6;
  S.Sample = [](int x, int, int s) { return s == 3 ? uint32_t(x ? 0 : 255) : uint32_t(40 * (s + 1)); };
  std::string Bytes = MakePng(S);
  TMemoryStream Stream;
  Stream.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
  Stream.SetPosition(0);
  TBitmap Bmp;
  Bmp.SetTransparent(true);
  LoadPngStreamIntoBitmap(Bmp, Stream);
  EXPECT_TRUE(Bmp.Transparent());
  EXPECT_EQ(Bmp.PixelFormat(), pf32bit);
  EXPECT_EQ(PixelAt(Bmp, 0, 0), 0xFF285078u);
  EXPECT_EQ(PixelAt(Bmp, 1, 0), 0x00285078u);
}
