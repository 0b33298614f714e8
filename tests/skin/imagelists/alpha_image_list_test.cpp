// The alpha image list: items keep their PNG sources, the handle follows
// them, and DrawAlphaImage renders frames at a density from the source.
#include "skin/imagelists/AlphaImageList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "../support/PixelHelpers.h"
#include "../support/PngWriter.h"
#include "framework/GdiHandles.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/imagelists/AlphaImageDrawing.h"
#include "skin/imagelists/IconAlpha.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/manager/SkinManager.h"

namespace {

constexpr uint32_t kBackground = 0xFF102030;
// Opaque colours of the four frames of a strip (0xAARRGGBB).
constexpr uint32_t kFrameColors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};

// An RGBA PNG whose pixel (x, y) is Argb(x, y).
std::string RgbaPng(int Width, int Height, std::function<uint32_t(int, int)> Argb) {
  PngRecipe R;
  R.Width = Width;
  R.Height = Height;
  R.ColorType = 6;
  R.Sample = [Argb](int x, int y, int s) {
    const uint32_t P = Argb(x, y);
    static constexpr int kShift[] = {16, 8, 0, 24};
    return (P >> kShift[s]) & 0xFF;
  };
  return MakePng(R);
}

bool AddPng(TCustomImageList& List, const std::string& Bytes) {
  TMemoryStream Stream;
  Stream.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
  Stream.SetPosition(0);
  return AddPngToImageList(&List, Stream);
}

std::unique_ptr<TBitmap> Rendered(TacImageList& List, int Index, int Width, int Height) {
  return std::unique_ptr<TBitmap>(List.CreateBitmap32(Index, Width, Height));
}

uint32_t Rgb(uint32_t Argb) { return Argb & 0xFFFFFF; }

// The engine's blend of an opaque pixel may land one step below the source.
::testing::AssertionResult RgbNear(uint32_t Actual, uint32_t Expected) {
  for (int Shift = 0; Shift < 24; Shift += 8)
    if (std::abs(int(Actual >> Shift & 0xFF) - int(Expected >> Shift & 0xFF)) > 1)
      return ::testing::AssertionFailure() << std::hex << (Actual & 0xFFFFFF) << " is not " << (Expected & 0xFFFFFF);
  return ::testing::AssertionSuccess();
}

class AlphaImageList : public ::testing::Test {
 protected:
  TsAlphaImageList List{nullptr};
};

struct FrameCase {
  int FrameIndex, FrameCount;
  int ExpectedWidth;
  uint32_t ExpectedColor, ExpectedRightColor;
};

TEST_F(AlphaImageList, DrawsTheAskedFrameOfAStripAndClampsBeyondTheLast) {
  List.SetWidth(64);
  List.SetHeight(16);
  ASSERT_TRUE(AddPng(List, RgbaPng(64, 16, [](int x, int) { return kFrameColors[x / 16]; })));
  const FrameCase Cases[] = {
      {0, 4, 16, kFrameColors[0], kFrameColors[0]}, {3, 4, 16, kFrameColors[3], kFrameColors[3]},
      {7, 4, 16, kFrameColors[3], kFrameColors[3]}, {-2, 4, 16, kFrameColors[0], kFrameColors[0]},
      {0, 0, 64, kFrameColors[0], kFrameColors[3]},
  };
  for (const FrameCase& C : Cases) {
    SCOPED_TRACE(::testing::Message() << "frame " << C.FrameIndex << " of " << C.FrameCount);
    std::unique_ptr<TBitmap> Target(FilledBitmap32(100, 30, kBackground));
    SIZE Size;
    DrawAlphaImage(&List, Target.get(), 10, 5, 0, 0, clNone, C.FrameIndex, C.FrameCount, false, 96, Size);
    EXPECT_EQ(Size.cx, C.ExpectedWidth);
    EXPECT_EQ(Size.cy, 16);
    EXPECT_TRUE(RgbNear(PixelAt(*Target, 10, 5), C.ExpectedColor));
    EXPECT_TRUE(RgbNear(PixelAt(*Target, 10 + Size.cx - 1, 20), C.ExpectedRightColor));
    // Nothing beyond the frame is touched.
    EXPECT_EQ(PixelAt(*Target, 10 + Size.cx, 5), kBackground);
    EXPECT_EQ(PixelAt(*Target, 9, 5), kBackground);
  }
}

TEST_F(AlphaImageList, SeeThroughPixelsShowTheBackgroundUnlessTheListHasABkColor) {
  // Left half opaque red, right half fully transparent.
  ASSERT_TRUE(AddPng(List, RgbaPng(16, 16, [](int x, int) { return x < 8 ? 0xFFFF0000u : 0x00000000u; })));
  struct {
    TColor BkColor;
    uint32_t ExpectedRight;
  } const Cases[] = {{clNone, Rgb(kBackground)}, {clLime, 0x00FF00}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.BkColor);
    List.SetBkColor(C.BkColor);
    std::unique_ptr<TBitmap> Target(FilledBitmap32(20, 20, kBackground));
    SIZE Size;
    DrawAlphaImage(&List, Target.get(), 2, 2, 0, 0, clNone, 0, 1, false, 96, Size);
    EXPECT_TRUE(RgbNear(PixelAt(*Target, 3, 3), 0xFF0000u));
    EXPECT_TRUE(RgbNear(PixelAt(*Target, 15, 3), C.ExpectedRight));
    EXPECT_EQ(PixelAt(*Target, 19, 19), kBackground);
  }
}

TEST_F(AlphaImageList, RendersFromThePngSourceAtAHigherDensity) {
  // A one-pixel checkerboard survives only when drawn from its source at its
  // own size: scaled up from the 16 x 16 handle image it would blur.
  auto Checker = [](int x, int y) { return (x + y) % 2 ? 0xFF0000FFu : 0xFFFF0000u; };
  ASSERT_TRUE(AddPng(List, RgbaPng(24, 24, Checker)));
  EXPECT_EQ(ScaledImageWidth(&List, 0, 144), 24);
  EXPECT_EQ(ScaledImageHeight(&List, 0, 144), 24);
  std::unique_ptr<TBitmap> Target(FilledBitmap32(30, 30, kBackground));
  SIZE Size;
  DrawAlphaImage(&List, Target.get(), 0, 0, 0, 0, clNone, 0, 1, false, 144, Size);
  EXPECT_EQ(Size.cx, 24);
  EXPECT_EQ(Size.cy, 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_TRUE(RgbNear(PixelAt(*Target, x, y), Checker(x, y))) << x << "," << y;
  EXPECT_EQ(PixelAt(*Target, 24, 0), kBackground);
  EXPECT_EQ(List.Items().Items(0)->SourceWidth(), 24);
  // The density is not kept after drawing.
  EXPECT_EQ(List.RenderPPI(), 96);
}

TEST_F(AlphaImageList, AnImageAddedWithoutAlphaBecomesOpaqueExceptTheKeyColour) {
  // What a plain Add of a picture without alpha gives: every alpha 0.
  std::unique_ptr<TBitmap> Plain(FilledBitmap32(16, 16, 0x00336699));
  SetPixelAt(*Plain, 4, 4, 0x00FF00FF);
  ASSERT_EQ(List.Add(Plain.get(), nullptr), 0);
  auto Image = Rendered(List, 0, 16, 16);
  EXPECT_EQ(PixelAt(*Image, 0, 0), 0xFF336699u);
  EXPECT_EQ(PixelAt(*Image, 15, 15), 0xFF336699u);
  EXPECT_EQ(PixelAt(*Image, 4, 4) >> 24, 0u);
}

TEST_F(AlphaImageList, AnItemWithoutBytesRendersFromTheHandle) {
  ASSERT_TRUE(AddPng(List, RgbaPng(16, 16, [](int x, int) { return x < 8 ? 0xFF00FF00u : 0x80FF0000u; })));
  List.Items().Items(0)->ImageBytes().Clear();
  auto Image = Rendered(List, 0, 16, 16);
  EXPECT_EQ(PixelAt(*Image, 2, 2), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(*Image, 12, 2) >> 24, 0x80u);
}

TEST_F(AlphaImageList, ASizeChangeRegeneratesTheHandleFromTheItems) {
  // The plain list empties itself on a size change; items must refill it,
  // now from the 32 x 32 source without loss.
  auto Quarters = [](int x, int y) { return kFrameColors[(x / 16) + 2 * (y / 16)]; };
  ASSERT_TRUE(AddPng(List, RgbaPng(32, 32, Quarters)));
  ASSERT_TRUE(AddPng(List, RgbaPng(32, 32, Quarters)));
  int Changes = 0;
  List.OnChange = [&](TObject*) { ++Changes; };
  List.SetWidth(32);
  List.SetHeight(32);
  EXPECT_EQ(List.Count(), 2);
  EXPECT_GE(Changes, 1);
  auto Image = Rendered(List, 1, 32, 32);
  EXPECT_EQ(PixelAt(*Image, 0, 0), kFrameColors[0]);
  EXPECT_EQ(PixelAt(*Image, 31, 31), kFrameColors[3]);
}

TEST_F(AlphaImageList, ItemsFilledInCodeBuildTheHandleWhenASizeIsTheDefaultOne) {
  // Height 16 is the list's default: it still is the size the items render at.
  List.SetWidth(32);
  List.SetHeight(16);
  const std::string Png = RgbaPng(32, 16, [](int x, int) { return kFrameColors[x / 16]; });
  List.BeginItemsUpdate();
  List.Items().Add()->ImageBytes().WriteBuffer(Png.data(), int64_t(Png.size()));
  List.EndItemsUpdate(true);
  ASSERT_EQ(List.Count(), 1);
  auto Image = Rendered(List, 0, 32, 16);
  EXPECT_EQ(PixelAt(*Image, 2, 2), kFrameColors[0]);
  EXPECT_EQ(PixelAt(*Image, 30, 2), kFrameColors[1]);
}

TEST_F(AlphaImageList, DeletingAnItemTakesItsImageOut) {
  ASSERT_TRUE(AddPng(List, RgbaPng(16, 16, [](int, int) { return kFrameColors[0]; })));
  ASSERT_TRUE(AddPng(List, RgbaPng(16, 16, [](int, int) { return kFrameColors[1]; })));
  List.Items().Delete(0);
  ASSERT_EQ(List.Count(), 1);
  EXPECT_EQ(GetImageCount(&List), 1);
  List.Items().Items(0)->ImageBytes().Clear();  // read the handle, not the source
  EXPECT_EQ(PixelAt(*Rendered(List, 0, 16, 16), 8, 8), kFrameColors[1]);
}

TEST_F(AlphaImageList, AssignCopiesItemsWithTheirOwnBytes) {
  ASSERT_TRUE(AddPng(List, RgbaPng(16, 16, [](int, int) { return kFrameColors[2]; })));
  TsAlphaImageList Copy(nullptr);
  Copy.Assign(List);
  ASSERT_EQ(Copy.Items().Count(), 1);
  EXPECT_EQ(Copy.Count(), 1);
  EXPECT_EQ(Copy.Items().Items(0)->ImageFormat(), ifPNG);
  EXPECT_EQ(Copy.Items().Items(0)->ImageBytes().Size(), List.Items().Items(0)->ImageBytes().Size());
  List.ClearAlphaImageList();
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(List.Items().Count(), 0);
  EXPECT_EQ(PixelAt(*Rendered(Copy, 0, 16, 16), 3, 3), kFrameColors[2]);
}

TEST_F(AlphaImageList, ImagesOfStandardCallsBecomeIconItemsThatSurviveRegeneration) {
  std::unique_ptr<TBitmap> Picture(FilledBitmap32(16, 16, 0xFF00FF00));
  SetPixelAt(*Picture, 0, 0, 0x40000000);
  ASSERT_EQ(List.Add(Picture.get(), nullptr), 0);
  ASSERT_EQ(List.GetCount(), 1);
  TsImgListItem& Item = *List.Items().Items(0);
  EXPECT_EQ(Item.ImageFormat(), ifICO);
  EXPECT_GT(Item.ImageBytes().Size(), 0);
  List.GenerateStdList();
  ASSERT_EQ(List.Count(), 1);
  auto Image = Rendered(List, 0, 16, 16);
  EXPECT_EQ(PixelAt(*Image, 8, 8), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(*Image, 0, 0) >> 24, 0x40u);
}

TEST_F(AlphaImageList, AnUnreadableSourceKeepsItsPlaceWhenRegenerating) {
  ASSERT_TRUE(AddPng(List, RgbaPng(16, 16, [](int, int) { return kFrameColors[0]; })));
  ASSERT_TRUE(AddPng(List, RgbaPng(16, 16, [](int, int) { return kFrameColors[1]; })));
  TMemoryStream& First = List.Items().Items(0)->ImageBytes();
  First.Clear();
  First.WriteBuffer("damaged", 7);
  List.GenerateStdList();
  // Item i stays image i: the second item's picture must not move up.
  ASSERT_EQ(List.Count(), 2);
  List.Items().Items(1)->ImageBytes().Clear();  // read the handle, not the source
  EXPECT_EQ(PixelAt(*Rendered(List, 1, 16, 16), 8, 8), kFrameColors[1]);
  EXPECT_EQ(PixelAt(*Rendered(List, 0, 16, 16), 8, 8) >> 24, 0u);
}

TEST_F(AlphaImageList, RefusesWhatIsNoPicture) {
  const std::string Damaged[] = {"", "not a picture at all",
                                 RgbaPng(4, 4, [](int, int) { return 0xFFFFFFFFu; }).substr(0, 40)};
  for (const std::string& Bytes : Damaged) {
    EXPECT_FALSE(AddPng(List, Bytes));
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(List.Items().Count(), 0);
  }
  TImageList Plain(nullptr);
  EXPECT_FALSE(AddPngToImageList(nullptr, *std::make_unique<TMemoryStream>()));
  // A plain list takes the picture too, without items.
  EXPECT_TRUE(AddPng(Plain, RgbaPng(16, 16, [](int, int) { return 0xFFFFFFFFu; })));
  EXPECT_EQ(Plain.Count(), 1);
}

TEST_F(AlphaImageList, NothingIsDrawnForBadArguments) {
  ASSERT_TRUE(AddPng(List, RgbaPng(16, 16, [](int, int) { return kFrameColors[0]; })));
  std::unique_ptr<TBitmap> Target(FilledBitmap32(20, 20, kBackground));
  SIZE Size;
  DrawAlphaImage(&List, Target.get(), 0, 0, -1, 0, clNone, 0, 1, false, 96, Size);
  DrawAlphaImage(nullptr, Target.get(), 0, 0, 0, 0, clNone, 0, 1, false, 96, Size);
  TsAlphaImageList NoHandle(nullptr);
  DrawAlphaImage(&NoHandle, Target.get(), 0, 0, 0, 0, clNone, 0, 1, false, 96, Size);
  EXPECT_EQ(PixelAt(*Target, 5, 5), kBackground);
  // An index beyond the images renders empty, not out of bounds.
  EXPECT_EQ(PixelAt(*Rendered(List, 5, 16, 16), 5, 5), 0u);
}

}  // namespace

// An icon whose colour comes back without any alpha: on a true-colour
// display it is only made opaque without a skin manager or when the manager
// asks for the check; a caller's bitmap follows the display alone.
TEST_F(AlphaImageList, AnIconWithoutAlphaIsMadeOpaqueOnlyWhereTheRuleAsks) {
  if (DisplayBitsPerPixel() < 32) GTEST_SKIP() << "the rule for true-colour displays";
  std::unique_ptr<TBitmap> Picture(FilledBitmap32(16, 16, 0x80336699));
  ASSERT_EQ(List.Add(Picture.get(), nullptr), 0);
  ASSERT_EQ(List.GetCount(), 1);
  ASSERT_EQ(List.Items().Items(0)->ImageFormat(), ifICO);
  // The handle's image is replaced behind the list's back by one without alpha.
  std::unique_ptr<TBitmap> Plain(FilledBitmap32(16, 16, 0x00336699));
  const TOwnedBitmap PlainHandle(Plain->ReleaseHandle());
  ASSERT_TRUE(ImageList_Replace(List.Handle(), 0, PlainHandle.get(), nullptr));
  struct Case {
    const char* What;
    bool WithManager, CheckEmptyAlpha;
    uint32_t Alpha;
  };
  const Case Cases[] = {
      {"no manager", false, false, 0xFF}, {"manager", true, false, 0}, {"checking manager", true, true, 0xFF}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    std::unique_ptr<TsSkinManager> Manager;
    if (C.WithManager) {
      Manager = std::make_unique<TsSkinManager>(nullptr);
      Manager->Options().SetBool(TacOptions::boCheckEmptyAlpha, C.CheckEmptyAlpha);
    }
    const uint32_t Pixel = PixelAt(*Rendered(List, 0, 16, 16), 5, 5);
    EXPECT_EQ(Pixel >> 24, C.Alpha);
    EXPECT_EQ(Rgb(Pixel), 0x336699u);
    std::unique_ptr<TBitmap> Into(FilledBitmap32(16, 16, kBackground));
    ASSERT_TRUE(List.GetBitmap32(0, Into.get()));
    EXPECT_EQ(PixelAt(*Into, 5, 5) >> 24, 0u);
  }
}
