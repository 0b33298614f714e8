#include <gtest/gtest.h>

#include <memory>

#include "framework/Graphics.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/TextDrawing.h"
#include "support/PixelHelpers.h"

namespace {

// A 32-bit bitmap with a bold font and white text colour selected.
struct TextBitmap {
  std::unique_ptr<TBitmap> Bmp;
  TOwnedFont Font;
  HGDIOBJ Old;
  TextBitmap(int W, int H, uint32_t Argb = 0)
      : Bmp(FilledBitmap32(W, H, Argb)),
        Font(CreateFontW(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial")) {
    Old = SelectObject(Bmp->DC(), Font.get());
    SetTextColor(Bmp->DC(), RGB(255, 255, 255));
    SetBkMode(Bmp->DC(), TRANSPARENT);
  }
  ~TextBitmap() { SelectObject(Bmp->DC(), Old); }
  // Columns that hold a pixel differing from Background, and the box of them.
  RECT Covered(uint32_t Background, uint32_t Mask = 0xFFFFFFFF) {
    GdiFlush();
    RECT Box{Bmp->Width(), Bmp->Height(), -1, -1};
    for (int y = 0; y < Bmp->Height(); ++y)
      for (int x = 0; x < Bmp->Width(); ++x)
        if ((PixelAt(*Bmp, x, y) & Mask) != (Background & Mask)) {
          Box.left = std::min<LONG>(Box.left, x), Box.top = std::min<LONG>(Box.top, y);
          Box.right = std::max<LONG>(Box.right, x + 1), Box.bottom = std::max<LONG>(Box.bottom, y + 1);
        }
    return Box;
  }
};

bool Inside(const RECT& Inner, const RECT& Outer) {
  return Inner.left >= Outer.left && Inner.top >= Outer.top && Inner.right <= Outer.right &&
         Inner.bottom <= Outer.bottom;
}

class AntialiasedText : public ::testing::Test {
 protected:
  void SetUp() override { InitGdiPlus(); }
  void TearDown() override { DoneGdiPlus(); }
};

}  // namespace

TEST_F(AntialiasedText, PrivateBitDrawsInsideTheRectangleAndAlignmentMovesTheText) {
  ASSERT_TRUE(GpStart(false));
  struct {
    UINT Align;
  } Cases[] = {{DT_LEFT}, {DT_CENTER}, {DT_RIGHT}};
  int Lefts[3];
  for (int i = 0; i < 3; ++i) {
    TextBitmap T(160, 40);
    const RECT R{10, 5, 150, 35};
    RECT Draw = R;
    DrawTextCapped(T.Bmp->DC(), L"Kel", Draw, acDT_Antialiased | DT_SINGLELINE | Cases[i].Align);
    RECT Box = T.Covered(0, 0xFFFFFF);
    ASSERT_LT(Box.left, Box.right) << i;
    EXPECT_TRUE(Inside(Box, R)) << i;
    Lefts[i] = Box.left;
  }
  EXPECT_LT(Lefts[0] + 20, Lefts[1]);
  EXPECT_LT(Lefts[1] + 20, Lefts[2]);
}

TEST_F(AntialiasedText, CalcRectMeasuresAndPaintsNothing) {
  TextBitmap T(100, 40);
  RECT R{7, 9, 7, 9};
  DrawTextCapped(T.Bmp->DC(), L"Kelvra", R, acDT_Antialiased | DT_CALCRECT);
  EXPECT_EQ(R.left, 7);
  EXPECT_EQ(R.top, 9);
  EXPECT_GT(R.right - R.left, 30);
  EXPECT_GT(R.bottom - R.top, 10);
  RECT Box = T.Covered(0);
  EXPECT_GT(Box.left, Box.right);  // nothing painted
}

TEST(AntialiasedTextWithoutGdiPlus, FallsBackToTheBitmapWithAlphaOrDrawsNothing) {
  ASSERT_FALSE(GpStart(false));
  const RECT R{6, 4, 90, 30};
  TextBitmap Given(100, 40);
  RECT Draw = R;
  DrawTextCapped(Given.Bmp->DC(), L"Kel", Draw, acDT_Antialiased | DT_SINGLELINE, Given.Bmp.get());
  RECT Box = Given.Covered(0);
  ASSERT_LT(Box.left, Box.right);
  EXPECT_TRUE(Inside(Box, R));
  int Opaque = 0;
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x) Opaque += PixelAt(*Given.Bmp, x, y) >> 24 >= 254;
  EXPECT_GT(Opaque, 20);

  TextBitmap None(100, 40);
  Draw = R;
  DrawTextCapped(None.Bmp->DC(), L"Kel", Draw, acDT_Antialiased | DT_SINGLELINE);
  Box = None.Covered(0);
  EXPECT_GT(Box.left, Box.right);
}

TEST(TextCap, LongTextIsCutTo5460Characters) {
  // Lines of one character, in a tiny font so that no extent saturates.
  TextBitmap T(10, 10);
  TOwnedFont Tiny(CreateFontW(-2, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  TSelectObject Select(T.Bmp->DC(), Tiny.get());
  auto Lines = [](int n) {
    String s;
    for (int i = 0; i < n; ++i) s += L"a\n";
    return s;
  };
  RECT Short{0, 0, 50, 0}, Capped{0, 0, 50, 0}, Long{0, 0, 50, 0};
  DrawTextCapped(T.Bmp->DC(), Lines(2500), Short, DT_CALCRECT);
  DrawTextCapped(T.Bmp->DC(), Lines(2730), Capped, DT_CALCRECT);  // 5460 characters
  DrawTextCapped(T.Bmp->DC(), Lines(3000), Long, DT_CALCRECT);
  EXPECT_LT(Short.bottom, Capped.bottom);
  EXPECT_EQ(Long.bottom, Capped.bottom);
}

TEST(TextCut, EllipsisCases) {
  TextBitmap T(10, 10);
  TCanvas Canvas(T.Bmp->DC());
  const int Full = Canvas.TextWidth(L"Kelvra Adapter");
  const int OneAndDots = Canvas.TextWidth(L"K...");
  EXPECT_EQ(CutTextWithEllipsis(Canvas, L"Kelvra Adapter", 0), L"");
  EXPECT_EQ(CutTextWithEllipsis(Canvas, L"Kelvra Adapter", -5), L"");
  EXPECT_EQ(CutTextWithEllipsis(Canvas, L"Kelvra Adapter", Full), L"Kelvra Adapter");
  EXPECT_EQ(CutTextWithEllipsis(Canvas, L"Kelvra Adapter", OneAndDots - 1), L"");
  EXPECT_EQ(CutTextWithEllipsis(Canvas, L"Kelvra Adapter", OneAndDots), L"K...");
  String Cut = CutTextWithEllipsis(Canvas, L"Kelvra Adapter", Full - 1);
  ASSERT_GE(Cut.size(), 4u);
  EXPECT_EQ(Cut.substr(Cut.size() - 3), L"...");
  EXPECT_LE(Canvas.TextWidth(Cut), Full - 1);
  EXPECT_EQ(CutTextWithEllipsis(Canvas, L"", 10), L"");
}

TEST(TextMeasure, ScreenDcTakesTheFontAndAGivenDcItsOwn) {
  TOwnedFont Big(CreateFontW(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  SIZE Small{}, Large{}, Wide{};
  ASSERT_TRUE(MeasureTextOnDC(nullptr, "Kelvra", Small, nullptr));
  ASSERT_TRUE(MeasureTextOnDC(nullptr, "Kelvra", Large, Big.get()));
  ASSERT_TRUE(MeasureWideTextOnDC(nullptr, L"Kelvra", Wide, Big.get()));
  EXPECT_GT(Large.cx, Small.cx);
  EXPECT_EQ(Wide.cx, Large.cx);
  TextBitmap T(10, 10);
  SIZE OnDC{};
  ASSERT_TRUE(MeasureTextOnDC(T.Bmp->DC(), "Kelvra", OnDC, Big.get()));
  EXPECT_LT(OnDC.cx, Large.cx);  // the DC's own 16-pixel font
}
