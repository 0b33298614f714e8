// The border of a skinned container: the section's border image completed by
// a band in the section colour up to the requested width, or a plain frame
// in that colour where the skin has no border image.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/controls/SectionBorderPainter.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "tests/skin/support/text_skin.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// "FRAMED": a 12 x 12 border image (borders 4 wide) cut from a master bitmap
// of one colour; "PLAIN": no border image.
const std::string kOptions =
    "[GLOBALINFO]\r\nVERSION=12.50\r\nMASTERBITMAP=MASTER.BMP\r\n"
    "[FRAMED]\r\nCOLOR=$00E0C080\r\nBORDERSMASK=&0000000000120012000400040004000410000000000\r\n"
    "[PLAIN]\r\nCOLOR=$00E0C080\r\n";
constexpr uint32_t kImage = 0xFF204080;  // the border image's pixels
constexpr uint32_t kBand = 0xFF80C0E0;   // the section colour
constexpr uint32_t kSentinel = 0xFF123456;
constexpr int kImageBorder = 4;

class SectionBorderPainter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = PackedSkinManager(L"Borders", {{"Options.dat", kOptions}, {"MASTER.BMP", SolidBitmapFile(0x204080)}});
    ASSERT_TRUE(manager->IsSkinLoaded());
    control = std::make_unique<TCustomControl>(nullptr);
    control->SetBounds(0, 0, 40, 30);
    data = std::make_unique<TsCommonData>(nullptr, true);
    data->SetSkinManager(manager.get());
    data->OwnerControl = control.get();
  }
  void TearDown() override { data->OwnerControl = nullptr; }
  void Use(const wchar_t* Section) {
    data->SkinIndex = manager->GetSectionIndex(Section);
    ASSERT_GE(data->SkinIndex, 0);
    data->InitCacheBmp();
    FillRect32(*data->CacheBmp, RECT{0, 0, 40, 30}, ExchangeRedBlue(kSentinel & 0xFFFFFF), 0xFF);
  }
  uint32_t Cache(int X, int Y) { return GetPixel32(*data->CacheBmp, X, Y); }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TCustomControl> control;
  std::unique_ptr<TsCommonData> data;
  const RECT r{0, 0, 40, 30};
};

}  // namespace

TEST_F(SectionBorderPainter, BandFillsFromTheImageBorderToTheRequestedWidth) {
  struct Case {
    int width;
    RECT inner;
    bool band;
  } cases[] = {
      {0, {4, 4, 36, 26}, false},    // the image's own border
      {2, {2, 2, 38, 28}, false},    // narrower than the image: no band
      {8, {8, 8, 32, 22}, true},     // a band of 4 inside the image
      {25, {25, 25, 25, 25}, true},  // wider than half: empty, never negative
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    Use(L"FRAMED");
    RECT inner{-1, -1, -1, -1};
    PaintSectionBorder(data->CacheBmp->DC(), r, c.width, *data, 0, inner);
    EXPECT_EQ(inner.left, c.inner.left);
    EXPECT_EQ(inner.top, c.inner.top);
    EXPECT_EQ(inner.right, c.inner.right);
    EXPECT_EQ(inner.bottom, c.inner.bottom);
    EXPECT_EQ(Cache(0, 15), kImage);
    EXPECT_EQ(Cache(kImageBorder - 1, 15), kImage);
    if (c.width == 8) {
      EXPECT_EQ(Cache(7, 15), kBand);
      EXPECT_EQ(Cache(20, 7), kBand);
      EXPECT_EQ(Cache(32, 15), kBand);
      EXPECT_NE(Cache(20, 15), kBand);  // the inside is not the border's
    }
    if (c.band)
      EXPECT_EQ(Cache(kImageBorder, 15), kBand);
    else
      EXPECT_NE(Cache(kImageBorder, 15), kBand);
  }
}

TEST_F(SectionBorderPainter, FrameIsCopiedToAnotherDC) {
  Use(L"FRAMED");
  auto target = NewBitmap32(40, 30);
  FillRect32(*target, r, ExchangeRedBlue(kSentinel & 0xFFFFFF), 0xFF);
  RECT inner{};
  PaintSectionBorder(target->DC(), r, 6, *data, 0, inner);
  EXPECT_EQ(GetPixel32(*target, 0, 15), kImage);
  EXPECT_EQ(GetPixel32(*target, 5, 15), kBand);
  EXPECT_EQ(GetPixel32(*target, 6, 15), kSentinel);  // inside the frame: untouched
}

TEST_F(SectionBorderPainter, WithoutImageAPlainFrameOrNothing) {
  Use(L"PLAIN");
  auto target = NewBitmap32(40, 30);
  FillRect32(*target, r, ExchangeRedBlue(kSentinel & 0xFFFFFF), 0xFF);
  RECT inner{1, 2, 3, 4};
  PaintSectionBorder(target->DC(), r, 0, *data, 0, inner);
  for (POINT p : {POINT{0, 0}, POINT{20, 15}, POINT{39, 29}}) EXPECT_EQ(GetPixel32(*target, p.x, p.y), kSentinel);
  EXPECT_EQ(inner.left, 1);

  PaintSectionBorder(target->DC(), r, 3, *data, 0, inner);
  EXPECT_EQ(GetPixel32(*target, 2, 15) & 0xFFFFFF, kBand & 0xFFFFFF);
  EXPECT_EQ(GetPixel32(*target, 39, 29) & 0xFFFFFF, kBand & 0xFFFFFF);
  EXPECT_EQ(GetPixel32(*target, 3, 15), kSentinel);
  EXPECT_EQ(inner.right, 3);  // left alone without an image
  EXPECT_EQ(Cache(0, 0), kSentinel);
}
