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
#include "skin/imagelists/CharImageList.h"
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

// Plain strips (24-bit, or 32-bit without any alpha) of 8 x 8 frames: red,
// green, blue, each with its top row and bottom-left pixel in the
// see-through white. The frames are narrower than the glyph rectangle.
TEST(GlyphDrawing, APlainStripDrawsItsFrameWithoutTheSeeThroughColour) {
  constexpr COLORREF kFrames[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  constexpr uint32_t kBack = 0xFF000000;
  for (TPixelFormat Format : {pf24bit, pf32bit}) {
    TBitmap Strip;
    Strip.SetPixelFormat(Format);
    Strip.SetSize(24, 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 24; ++x)
        SetPixel(Strip.DC(), x, y, y == 0 || (x % 8 == 0 && y == 7) ? RGB(255, 255, 255) : kFrames[x / 8]);
    GdiFlush();
    struct {
      int State;
      bool Enabled;
      uint32_t Color;  // 0: greyed
    } const Cases[] = {{0, true, 0xFF0000}, {2, true, 0x0000FF}, {2, false, 0}};
    for (const auto& C : Cases) {
      SCOPED_TRACE(::testing::Message() << "format " << Format << ", state " << C.State << ", enabled " << C.Enabled);
      std::unique_ptr<TBitmap> Target(FilledBitmap32(30, 20, kBack));
      TacGlyphDrawData Data;
      Data.Glyph = &Strip;
      Data.NumGlyphs = 3;
      Data.CurrentState = C.State;
      Data.Enabled = C.Enabled;
      Data.ImgRect = RECT{4, 4, 20, 12};
      Data.DstBmp = Target.get();
      DrawImageListGlyph(Data);
      const uint32_t Inside = PixelAt(*Target, 7, 8);
      if (C.Color) {
        EXPECT_TRUE(RgbNear(Inside, C.Color));
      } else {
        // The first frame, greyed: no longer pure red, but drawn.
        EXPECT_NE(Inside & 0xFFFFFF, 0xFF0000u);
        EXPECT_NE(Inside, kBack);
      }
      EXPECT_EQ(PixelAt(*Target, 7, 4), kBack);   // the see-through top row
      EXPECT_EQ(PixelAt(*Target, 4, 11), kBack);  // the key pixel itself
      EXPECT_EQ(PixelAt(*Target, 14, 8), kBack);  // beyond the frame's width
    }
  }
}

// Character glyphs keep the button's blend when hot; alpha lists drop it.
TEST(GlyphDrawing, ACharacterGlyphKeepsTheBlendInEveryState) {
  TsCharImageList Chars(nullptr);
  Chars.SetRenderPPI(96);
  Chars.SetHeight(24);
  Chars.SetWidth(24);
  TacCharListItem* Item = Chars.Items().Add();
  Item->SetChar(0xF111);     // a solid disc
  Item->SetColor(0x0000FF);  // red in system colour order
  Chars.Handle();
  for (int Blend : {0, 50}) {
    SCOPED_TRACE(Blend);
    std::unique_ptr<TBitmap> Target(FilledBitmap32(40, 40, 0xFF000000));
    TacGlyphDrawData Data;
    Data.Images = &Chars;
    Data.ImageIndex = 0;
    Data.CurrentState = 1;
    Data.Blend = Blend;
    Data.ImgRect = RECT{8, 8, 32, 32};
    Data.DstBmp = Target.get();
    DrawImageListGlyph(Data);
    const int Red = PixelAt(*Target, 20, 20) >> 16 & 0xFF;
    if (Blend == 0)
      EXPECT_GE(Red, 250);
    else
      EXPECT_NEAR(Red, 128, 20);
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
