// The canvas on a memory bitmap, read back pixel by pixel: pens, brushes,
// shapes, single pixels, clipped text, turned text and the lock; and icons
// loaded, drawn and freed.
#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "framework/Icon.h"
#include "framework/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t kPaper = 0xFFFFFF;

class CanvasOnBitmap : public ::testing::Test {
 protected:
  void SetUp() override {
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(64, 64);
    Fill(kPaper);
    canvas.SetHandle(bmp.DC());
  }
  void Fill(uint32_t rgb) {
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) Row(y)[x] = rgb;
  }
  uint32_t* Row(int y) { return static_cast<uint32_t*>(bmp.ScanLine(y)); }
  uint32_t At(int x, int y) {
    GdiFlush();
    return Row(y)[x] & 0xFFFFFF;
  }
  // The box around every pixel that is not paper.
  RECT Inked() {
    GdiFlush();
    RECT r{bmp.Width(), bmp.Height(), -1, -1};
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        if ((Row(y)[x] & 0xFFFFFF) != kPaper) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }

  TBitmap bmp;
  TCanvas canvas;
};

// Pixels read as numbers are red-high; TColor is red-low.
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

TEST_F(CanvasOnBitmap, ShapesAreOutlinedWithThePenAndFilledWithTheBrush) {
  canvas.Pen().SetColor(clRed);
  canvas.Brush().SetColor(clLime);
  canvas.Rectangle(2, 2, 10, 10);
  struct Case {
    int x, y;
    uint32_t want;
  } rect[] = {{2, 2, kRed},   {9, 9, kRed},     {2, 5, kRed},  {5, 5, kGreen},
              {3, 3, kGreen}, {10, 10, kPaper}, {1, 1, kPaper}};
  for (const Case& c : rect) EXPECT_EQ(At(c.x, c.y), c.want) << "rectangle " << c.x << "," << c.y;

  // A clear brush leaves the inside, a clear pen the outline.
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Pen().SetColor(0xFF0000);  // blue
  canvas.Pen().SetWidth(1);
  canvas.Rectangle(20, 2, 30, 10);
  EXPECT_EQ(At(20, 2), kBlue);
  EXPECT_EQ(At(25, 5), kPaper);
  canvas.Brush().SetColor(clRed);  // a colour makes the brush solid again
  canvas.Pen().SetStyle(TPenStyle::psClear);
  canvas.Rectangle(40, 2, 50, 10);
  EXPECT_EQ(At(45, 5), kRed);
  EXPECT_EQ(At(49, 9), kPaper);  // without an outline the shape is a pixel smaller

  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clLime);
  canvas.Ellipse(2, 20, 22, 40);
  EXPECT_EQ(At(12, 30), kGreen);  // the middle
  EXPECT_EQ(At(2, 20), kPaper);   // the corner of the box lies outside the ellipse

  const POINT triangle[] = {{30, 20}, {50, 20}, {30, 40}};
  canvas.Polygon(triangle, 3);
  EXPECT_EQ(At(33, 23), kGreen);
  EXPECT_EQ(At(48, 38), kPaper);

  const POINT line[] = {{2, 50}, {20, 50}, {20, 60}};
  canvas.Polyline(line, 3);
  EXPECT_EQ(At(10, 50), 0u);
  EXPECT_EQ(At(20, 55), 0u);
  EXPECT_EQ(At(10, 55), kPaper);  // a polyline is not filled

  canvas.MoveTo(40, 50);
  canvas.LineTo(50, 50);
  EXPECT_EQ(canvas.PenPos().x, 50);
  EXPECT_EQ(At(40, 50), 0u);
  EXPECT_EQ(At(50, 50), kPaper);  // the end point is left out
}

TEST_F(CanvasOnBitmap, PixelsAreReadAndWrittenOneByOne) {
  canvas.SetPixels(3, 4, clRed);
  canvas.SetPixels(63, 63, 0xFF0000);
  EXPECT_EQ(At(3, 4), kRed);
  EXPECT_EQ(At(63, 63), kBlue);
  EXPECT_EQ(canvas.Pixels(3, 4), clRed);
  EXPECT_EQ(canvas.Pixels(4, 4), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(canvas.Pixels(64, 0), -1);  // outside the bitmap
  EXPECT_EQ(canvas.Pixels(-1, 5), -1);
  canvas.SetPixels(-1, 5, clRed);  // outside: nothing happens
  EXPECT_EQ(Inked().right, 64);
}

TEST_F(CanvasOnBitmap, TextRectStaysInsideItsRectangle) {
  canvas.Font().SetName(L"Tahoma");
  canvas.Font().SetHeight(-20);
  canvas.Font().SetColor(clBlack);
  canvas.Brush().SetColor(clLime);
  const RECT r{10, 10, 30, 20};
  canvas.TextRect(r, 5, 5, L"WWWWWW");
  EXPECT_EQ(Inked().left, 10);
  EXPECT_EQ(Inked().top, 10);
  EXPECT_EQ(Inked().right, 30);
  EXPECT_EQ(Inked().bottom, 20);
  bool text = false, ground = false;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      text |= At(x, y) == 0;
      ground |= At(x, y) == kGreen;
    }
  EXPECT_TRUE(text);
  EXPECT_TRUE(ground);  // the brush filled the rectangle behind the text

  // With a clear brush only the glyphs are drawn.
  Fill(kPaper);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.TextRect(r, 10, 5, L"W");
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) EXPECT_NE(At(x, y), kGreen);
}

TEST_F(CanvasOnBitmap, FontOrientationTurnsTheText) {
  canvas.Font().SetName(L"Tahoma");
  canvas.Font().SetHeight(-12);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.TextOut(4, 4, L"MMMM");
  const RECT flat = Inked();
  EXPECT_GT(flat.right - flat.left, 2 * (flat.bottom - flat.top));

  Fill(kPaper);
  canvas.Font().SetOrientation(900);  // upwards
  canvas.TextOut(10, 60, L"MMMM");
  const RECT up = Inked();
  EXPECT_GT(up.bottom - up.top, 2 * (up.right - up.left));
  EXPECT_LE(up.bottom, 61);  // it grows up from the start point

  TFont copy;
  copy.Assign(canvas.Font());
  EXPECT_EQ(copy.Orientation(), 900);
}

TEST_F(CanvasOnBitmap, LockKeepsOtherThreadsOutUntilTheLastUnlock) {
  canvas.Lock();
  canvas.Lock();  // again on the same thread
  EXPECT_EQ(canvas.LockCount(), 2);
  auto tryFromOtherThread = [&] {
    std::atomic<bool> got{false};
    std::thread t([&] {
      if (canvas.TryLock()) {
        got = true;
        canvas.Unlock();
      }
    });
    t.join();
    return got.load();
  };
  EXPECT_FALSE(tryFromOtherThread());
  canvas.Unlock();
  EXPECT_FALSE(tryFromOtherThread());
  canvas.Unlock();
  EXPECT_EQ(canvas.LockCount(), 0);
  EXPECT_TRUE(tryFromOtherThread());
}

// ---- Icons -----------------------------------------------------------------

// An .ico file with one 32-bit image of the given size and colour (BGRA);
// the AND mask is all clear (opaque).
std::vector<uint8_t> IcoFile(int size, uint32_t bgra) {
  const int maskRow = ((size + 31) / 32) * 4;
  const uint32_t imageBytes = 40 + size * size * 4 + maskRow * size;
  std::vector<uint8_t> f(6 + 16 + imageBytes, 0);
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&f[at], &v, 2); };
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&f[at], &v, 4); };
  put16(2, 1);  // icon
  put16(4, 1);  // one image
  f[6] = static_cast<uint8_t>(size);
  f[7] = static_cast<uint8_t>(size);
  put16(6 + 4, 1);
  put16(6 + 6, 32);
  put32(6 + 8, imageBytes);
  put32(6 + 12, 22);
  const size_t h = 22;
  put32(h, 40);
  put32(h + 4, size);
  put32(h + 8, size * 2);  // colour and mask one above the other
  put16(h + 12, 1);
  put16(h + 14, 32);
  for (int i = 0; i < size * size; ++i) put32(h + 40 + i * 4, bgra);
  return f;
}

std::unique_ptr<TIcon> IconFrom(const std::vector<uint8_t>& file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  stream.SetPosition(0);
  auto icon = std::make_unique<TIcon>();
  icon->LoadFromStream(stream);
  return icon;
}

TEST_F(CanvasOnBitmap, AnIconLoadsDrawsAndFreesItsHandle) {
  auto icon = IconFrom(IcoFile(16, 0xFF0000FF));  // opaque blue
  ASSERT_FALSE(icon->Empty());
  EXPECT_EQ(icon->Width(), 16);
  EXPECT_EQ(icon->Height(), 16);

  canvas.Draw(4, 6, *icon);
  EXPECT_EQ(At(4, 6), kBlue);
  EXPECT_EQ(At(19, 21), kBlue);
  EXPECT_EQ(At(20, 21), kPaper);
  EXPECT_EQ(At(3, 6), kPaper);
  canvas.StretchDraw(RECT{30, 30, 62, 62}, *icon);
  EXPECT_EQ(At(61, 61), kBlue);

  // The picture owns its icon: freed with it, or handed over.
  ICONINFO info{};
  const HICON owned = icon->Handle();
  icon.reset();
  EXPECT_FALSE(GetIconInfo(owned, &info));

  auto other = IconFrom(IcoFile(16, 0xFF00FF00));
  const HICON kept = other->ReleaseHandle();
  EXPECT_TRUE(other->Empty());
  other.reset();
  ASSERT_TRUE(GetIconInfo(kept, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(kept);
}

TEST(Icon, DamagedFilesAreRefused) {
  std::vector<uint8_t> shortFile = IcoFile(16, 0xFF0000FF);
  shortFile.resize(4);
  std::vector<uint8_t> cursor = IcoFile(16, 0xFF0000FF);
  cursor[2] = 2;
  std::vector<uint8_t> outside = IcoFile(16, 0xFF0000FF);
  outside[6 + 12] = 0xF0;  // the image would start past the end
  std::vector<uint8_t> cutDirectory = IcoFile(16, 0xFF0000FF);
  cutDirectory[4] = 200;  // 200 entries announced
  cutDirectory.resize(40);
  for (const auto* file : {&shortFile, &cursor, &outside, &cutDirectory})
    EXPECT_THROW(IconFrom(*file), EInvalidGraphic);
}

}  // namespace
