// What controls ask of any image list alike (sizes at a density, counts), the
// glyph drawing from a list or a strip, and the pop-up classes form skinning
// leaves alone.
#include "skin/imagelists/ImageSizes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <cstdlib>
#include <memory>

#include "../support/PixelHelpers.h"
#include "skin/imagelists/AlphaImageList.h"
#include "skin/imagelists/ForeignPopupClasses.h"
#include "skin/imagelists/GlyphDrawing.h"

namespace {

// The engine's blend of an opaque pixel may land one step below the source.
::testing::AssertionResult RgbNear(uint32_t Actual, uint32_t Expected) {
  for (int Shift = 0; Shift < 24; Shift += 8)
    if (std::abs(int(Actual >> Shift & 0xFF) - int(Expected >> Shift & 0xFF)) > 1)
      return ::testing::AssertionFailure() << std::hex << (Actual & 0xFFFFFF) << " is not " << (Expected & 0xFFFFFF);
  return ::testing::AssertionSuccess();
}

TEST(ImageSizes, ScaleEveryKindOfListByTheDensity) {
  TImageList Plain(nullptr);
  TsAlphaImageList Alpha(nullptr);
  Alpha.SetWidth(20);
  Alpha.SetHeight(10);
  struct {
    TCustomImageList* List;
    int PPI, Width, Height;
  } const Cases[] = {
      {&Plain, 96, 16, 16}, {&Plain, 144, 24, 24}, {&Plain, 120, 20, 20},
      {&Alpha, 96, 20, 10}, {&Alpha, 192, 40, 20}, {nullptr, 144, 0, 0},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(::testing::Message() << C.List << " at " << C.PPI);
    EXPECT_EQ(ScaledImageWidth(C.List, 0, C.PPI), C.Width);
    EXPECT_EQ(ScaledImageHeight(C.List, 0, C.PPI), C.Height);
  }
  EXPECT_EQ(GetImageCount(nullptr), 0);
  EXPECT_EQ(GetImageCount(&Plain), 0);
}

TEST(GlyphDrawing, AStripDrawsTheFrameOfTheState) {
  // Three 8 x 8 frames: normal red, hot green, pressed blue, opaque.
  constexpr uint32_t kColors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  std::unique_ptr<TBitmap> Strip(FilledBitmap32(24, 8, 0));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 24; ++x) SetPixelAt(*Strip, x, y, kColors[x / 8]);
  for (int State = 0; State < 3; ++State) {
    SCOPED_TRACE(State);
    std::unique_ptr<TBitmap> Target(FilledBitmap32(20, 20, 0xFF000000));
    TacGlyphDrawData Data;
    Data.Glyph = Strip.get();
    Data.NumGlyphs = 3;
    Data.CurrentState = State;
    Data.ImgRect = RECT{4, 4, 12, 12};
    Data.DstBmp = Target.get();
    DrawImageListGlyph(Data);
    EXPECT_TRUE(RgbNear(PixelAt(*Target, 4, 4), kColors[State]));
    EXPECT_TRUE(RgbNear(PixelAt(*Target, 11, 11), kColors[State]));
    EXPECT_EQ(PixelAt(*Target, 12, 12), 0xFF000000u);
  }
}

TEST(ForeignPopupClasses, HoldsEachNameOnceAndComparesExactly) {
  const auto& Classes = ForeignPopupClasses();
  EXPECT_EQ(Classes.size(), 14u);
  EXPECT_TRUE(std::is_sorted(Classes.begin(), Classes.end()));
  EXPECT_EQ(std::count(Classes.begin(), Classes.end(), String(L"TcxDateEditPopupWindow")), 1);
  struct {
    const wchar_t* Name;
    bool Foreign;
  } const Cases[] = {
      {L"TcxGridFilterPopup", true},
      {L"TApplication", true},
      {L"TPopupDBTreeView", true},
      {L"tcxgridfilterpopup", false},
      {L"TcxGridFilterPopup2", false},
      {L"TForm", false},
      {L"", false},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(IsForeignPopupClass(C.Name), C.Foreign) << std::string(C.Name, C.Name + wcslen(C.Name));
}

}  // namespace
