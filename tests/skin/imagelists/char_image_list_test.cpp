// The character list draws glyphs of the built-in icon font: ink where the
// glyph is and none elsewhere, in the colour asked for, turned by the angle,
// sized by the scaling factor and moved by the offset.
#include "skin/imagelists/CharImageList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "skin/graphics/PixelRoutines.h"
#include "skin/imagelists/IconFont.h"

namespace {

constexpr wchar_t kCircle = 0xF111;     // a solid disc
constexpr wchar_t kCaretDown = 0xF0D7;  // a triangle, wide edge on top
constexpr wchar_t kStar = 0xF005;

uint32_t Pixel(TBitmap& bmp, int x, int y) { return GetPixel32(bmp, x, y); }
uint8_t AlphaAt(TBitmap& bmp, int x, int y) { return Pixel(bmp, x, y) >> 24; }

// Where the ink lies: its alpha-weighted centre against the centre of its
// bounding box, so that the glyph's placement in the cell does not count.
struct TInk {
  int Pixels = 0;
  RECT Box = {INT_MAX, INT_MAX, -1, -1};
  double CentroidX = 0, CentroidY = 0;
  double Dx() const { return CentroidX - (Box.left + Box.right) / 2.0; }
  double Dy() const { return CentroidY - (Box.top + Box.bottom) / 2.0; }
};

TInk InkOf(TBitmap& bmp) {
  TInk ink;
  double sum = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      const int a = AlphaAt(bmp, x, y);
      if (a == 0) continue;
      ++ink.Pixels;
      ink.Box.left = std::min<LONG>(ink.Box.left, x);
      ink.Box.top = std::min<LONG>(ink.Box.top, y);
      ink.Box.right = std::max<LONG>(ink.Box.right, x);
      ink.Box.bottom = std::max<LONG>(ink.Box.bottom, y);
      ink.CentroidX += double(a) * x;
      ink.CentroidY += double(a) * y;
      sum += a;
    }
  if (sum > 0) ink.CentroidX /= sum, ink.CentroidY /= sum;
  return ink;
}

class CharList : public ::testing::Test {
 protected:
  void SetUp() override {
    List = std::make_unique<TsCharImageList>(nullptr);
    List->SetRenderPPI(96);
    List->SetHeight(48);
    List->SetWidth(48);
  }
  TacCharListItem* AddGlyph(wchar_t ch) {
    TacCharListItem* item = List->Items().Add();
    item->SetChar(ch);
    return item;
  }
  // The item's image at its own size, as the drawing routines get it.
  std::unique_ptr<TBitmap> Render(int i) {
    List->Handle();
    return std::unique_ptr<TBitmap>(
        List->CreateBitmap32(i, List->ScaledWidth(i, List->RenderPPI()), List->ScaledHeight(i, List->RenderPPI())));
  }
  std::unique_ptr<TsCharImageList> List;
};

TEST(IconFont, IsRegisteredAndUsableByName) {
  ASSERT_TRUE(RegisterIconFont());
  EXPECT_GE(IconFontFaceCount(), 1);
  EXPECT_TRUE(RegisterIconFont());  // once only: a second call just answers

  LOGFONTW lf = {};
  lf.lfHeight = -32;
  wcscpy(lf.lfFaceName, kIconFontName);
  HFONT font = CreateFontIndirectW(&lf);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  WORD glyph = 0;
  const wchar_t circle = kCircle;
  GetGlyphIndicesW(dc, &circle, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  EXPECT_STREQ(face, kIconFontName);
  EXPECT_NE(glyph, 0xFFFF) << "the face does not hold the icon glyphs: another font stood in";
}

TEST_F(CharList, SolidGlyphHasInkInsideAndNoneOutside) {
  AddGlyph(kCircle)->SetColor(0x0000FF);  // red in system colour order
  auto bmp = Render(0);
  ASSERT_TRUE(bmp);
  ASSERT_EQ(bmp->Width(), 48);
  ASSERT_EQ(bmp->Height(), 48);
  const TInk ink = InkOf(*bmp);
  ASSERT_GT(ink.Pixels, 0);
  const int cx = (ink.Box.left + ink.Box.right) / 2, cy = (ink.Box.top + ink.Box.bottom) / 2;
  EXPECT_EQ(AlphaAt(*bmp, cx, cy), 255);
  EXPECT_EQ(Pixel(*bmp, cx, cy) & 0xFFFFFF, 0xFF0000u);
  // A disc leaves its bounding box's corners and the bitmap's corners bare,
  // and a bare pixel is 0 altogether (no colour under zero alpha).
  for (POINT p : {POINT{0, 0}, POINT{47, 0}, POINT{0, 47}, POINT{47, 47}, POINT{ink.Box.left, ink.Box.top},
                  POINT{ink.Box.right, ink.Box.bottom}})
    EXPECT_EQ(Pixel(*bmp, p.x, p.y), 0u) << p.x << "," << p.y;
  // The disc fills most of the cell: the font's glyphs were drawn, not a
  // substitute's box or nothing.
  EXPECT_GT(ink.Box.right - ink.Box.left, 30);
  // Edges are smooth: some pixels lie between bare and full.
  int partial = 0;
  for (int x = 0; x < 48; ++x) partial += AlphaAt(*bmp, x, cy) > 0 && AlphaAt(*bmp, x, cy) < 255;
  EXPECT_GT(partial, 0);
}

TEST_F(CharList, ColourComesFromListThenItemThenBlack) {
  struct Case {
    TColor ItemColor, GlyphColor;
    uint32_t Expected;  // pixel order 0xRRGGBB
  } cases[] = {
      {clNone, clNone, 0x000000},
      {0x00FF00, clNone, 0x00FF00},
      {0x00FF00, 0xFF0000, 0x0000FF},
      {clNone, 0x123456, 0x563412},
  };
  for (const Case& c : cases) {
    List->Items().Clear();
    AddGlyph(kCircle)->SetColor(c.ItemColor);
    List->SetGlyphColor(c.GlyphColor);
    auto bmp = Render(0);
    ASSERT_TRUE(bmp);
    EXPECT_EQ(Pixel(*bmp, 24, 24), 0xFF000000u | c.Expected) << std::hex << c.ItemColor << " " << c.GlyphColor;
  }
}

TEST_F(CharList, SetGlyphColorForKeepsTheItemsOwnColourUnlessSingle) {
  AddGlyph(kCircle)->SetColor(0x00FF00);
  AddGlyph(kCircle);
  List->SetGlyphColorFor(0x0000FF, 0, false);
  EXPECT_EQ(List->GlyphColor(), 0x00FF00);
  EXPECT_EQ(List->GlyphColor2(), clNone);
  List->SetGlyphColorFor(0x0000FF, 1, false);
  EXPECT_EQ(List->GlyphColor(), 0x0000FF);
  List->SetGlyphColorFor(0x0000FF, 0, true);
  EXPECT_EQ(List->GlyphColor(), 0x0000FF);
  EXPECT_EQ(List->GlyphColor2(), 0x0000FF);
}

TEST_F(CharList, AngleTurnsTheInkTheSameWayForTextAndOutline) {
  // The caret's ink is heavier at its wide top edge; a turn carries that
  // edge round counter-clockwise.
  struct Case {
    int Angle;
    int SignDx, SignDy;
  } cases[] = {{0, 0, -1}, {90, -1, 0}, {180, 0, 1}, {270, 1, 0}, {450, -1, 0}, {-90, 1, 0}};
  for (bool contour : {false, true})
    for (const Case& c : cases) {
      List->Items().Clear();
      TacCharListItem* item = AddGlyph(kCaretDown);
      item->SetDrawContour(contour);
      item->SetAngle(c.Angle);
      auto bmp = Render(0);
      ASSERT_TRUE(bmp);
      const TInk ink = InkOf(*bmp);
      ASSERT_GT(ink.Pixels, 20) << "angle " << c.Angle << " contour " << contour;
      auto sign = [](double v) { return std::abs(v) < 1.0 ? 0 : v < 0 ? -1 : 1; };
      EXPECT_EQ(sign(ink.Dx()), c.SignDx) << "angle " << c.Angle << " contour " << contour << " dx " << ink.Dx();
      EXPECT_EQ(sign(ink.Dy()), c.SignDy) << "angle " << c.Angle << " contour " << contour << " dy " << ink.Dy();
    }
}

TEST_F(CharList, ContourKeepsTheHolesOfTheGlyph) {
  // A ring drawn from its outline must stay a ring, not become a disc.
  TacCharListItem* item = AddGlyph(0xF10C);  // circle-o
  item->SetDrawContour(true);
  auto bmp = Render(0);
  ASSERT_TRUE(bmp);
  const TInk ink = InkOf(*bmp);
  ASSERT_GT(ink.Pixels, 20);
  EXPECT_EQ(AlphaAt(*bmp, (ink.Box.left + ink.Box.right) / 2, (ink.Box.top + ink.Box.bottom) / 2), 0);
}

TEST_F(CharList, ScaledSizesFollowFactorOffsetDensityAndAngle) {
  struct Case {
    double Factor;
    int OffsetY, Angle;
    bool FollowDensity;
    int Index, PPI;
    int Width, Height;
  } cases[] = {
      {1.0, 0, 0, true, 0, 96, 48, 48},    {2.0, 0, 0, true, 0, 96, 96, 96},  {0.5, 0, 0, true, 0, 96, 24, 24},
      {1.0, 8, 0, true, 0, 96, 48, 56},    {1.0, -8, 0, true, 0, 96, 48, 56}, {1.5, 4, 0, true, 0, 144, 108, 117},
      {1.0, 0, 0, false, 0, 144, 48, 72},  {1.0, 0, 90, true, 0, 96, 49, 48}, {1.0, 0, 0, true, 5, 144, 72, 72},
      {1.0, 0, 0, false, -1, 192, 48, 96},
  };
  for (const Case& c : cases) {
    List->Items().Clear();
    TacCharListItem* item = AddGlyph(kCircle);
    item->SetScalingFactor(c.Factor);
    item->SetOffsetY(c.OffsetY);
    item->SetAngle(c.Angle);
    List->SetFollowDensity(c.FollowDensity);
    EXPECT_EQ(List->ScaledWidth(c.Index, c.PPI), c.Width) << c.Factor << " " << c.OffsetY << " " << c.PPI;
    EXPECT_EQ(List->ScaledHeight(c.Index, c.PPI), c.Height) << c.Factor << " " << c.OffsetY << " " << c.PPI;
    EXPECT_EQ(List->FollowsDensity(), c.FollowDensity);
  }
}

TEST_F(CharList, OffsetMovesAndFactorSizesTheInk) {
  AddGlyph(kCircle);
  AddGlyph(kCircle)->SetOffsetY(8);
  AddGlyph(kCircle)->SetScalingFactor(0.5);
  auto plain = Render(0), moved = Render(1), small = Render(2);
  ASSERT_TRUE(plain && moved && small);
  const TInk a = InkOf(*plain), b = InkOf(*moved), c = InkOf(*small);
  // The taller bitmap centres the glyph 4 lower, the offset adds 8 more.
  EXPECT_NEAR(b.Box.top - a.Box.top, 12, 1);
  EXPECT_NEAR(b.Box.bottom - b.Box.top, a.Box.bottom - a.Box.top, 1);
  EXPECT_NEAR(c.Box.bottom - c.Box.top, (a.Box.bottom - a.Box.top) / 2.0, 2);
  EXPECT_EQ(small->Width(), 24);
}

TEST_F(CharList, BlendValueHalvesAlphaOnlyInTheNormalState) {
  AddGlyph(kCircle);
  List->SetBlendValue(128);
  List->SetBlendingMode(bmAlways);
  auto normal = Render(0);
  List->SetDrawState(1);
  auto hot = Render(0);
  ASSERT_TRUE(normal && hot);
  EXPECT_EQ(AlphaAt(*normal, 24, 24), 255 * 128 / 256);
  EXPECT_EQ(AlphaAt(*hot, 24, 24), 255);
}

TEST_F(CharList, AddedGlyphDrawnOnlyWhenItFits) {
  AddGlyph(kStar);
  TacCharListItem* badged = AddGlyph(kStar);
  badged->SetAddedChar(kCircle);
  badged->SetAddedColor(0xFF0000);  // blue
  TacCharListItem* oversized = AddGlyph(kStar);
  oversized->SetAddedChar(kCircle);
  oversized->SetAddedSize(300);
  auto plain = Render(0), withBadge = Render(1), tooBig = Render(2);
  ASSERT_TRUE(plain && withBadge && tooBig);
  // The small disc sits in the bottom-right quarter, blue.
  int blue = 0;
  for (int y = 24; y < 48; ++y)
    for (int x = 24; x < 48; ++x)
      blue += (Pixel(*withBadge, x, y) & 0xFFFFFF) == 0x0000FF && AlphaAt(*withBadge, x, y) == 255;
  EXPECT_GT(blue, 20);
  // Elsewhere the star is untouched; a badge too big for the cell is left out.
  EXPECT_EQ(Pixel(*withBadge, 24, 10), Pixel(*plain, 24, 10));
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) ASSERT_EQ(Pixel(*tooBig, x, y), Pixel(*plain, x, y)) << x << "," << y;
}

TEST_F(CharList, HandleHoldsOneImagePerItem) {
  AddGlyph(kCircle);
  AddGlyph(kStar);
  EXPECT_EQ(List->CreateBitmap32(0, 48, 48), nullptr) << "no handle yet";
  List->GenerateCharList(clNone);
  EXPECT_EQ(List->Count(), 2);
  EXPECT_EQ(List->CreateBitmap32(2, 48, 48), nullptr);
  EXPECT_EQ(List->CreateBitmap32(-1, 48, 48), nullptr);
  AddGlyph(kCaretDown);
  EXPECT_EQ(List->Count(), 3);
  // An icon from the handle keeps the glyph's alpha.
  HICON icon = List->GetIcon(0);
  ASSERT_NE(icon, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  TBitmap colour;
  colour.SetHandle(info.hbmColor);
  colour.SetPixelFormat(pf32bit);
  EXPECT_EQ(AlphaAt(colour, 24, 24), 255);
  EXPECT_EQ(AlphaAt(colour, 0, 0), 0);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
}

TEST_F(CharList, DefaultsThatAreNotStored) {
  TacCharListItem* item = AddGlyph(kCircle);
  EXPECT_EQ(item->FontName(), kIconFontName);
  EXPECT_FALSE(item->StoresFontName());
  EXPECT_FALSE(item->StoresScalingFactor());
  EXPECT_FALSE(item->StoresAddedFontName());
  item->SetFontName(L"Arial");
  item->SetScalingFactor(0.8);
  item->SetAddedFontName(L"Arial");
  EXPECT_TRUE(item->StoresFontName());
  EXPECT_TRUE(item->StoresScalingFactor());
  EXPECT_FALSE(item->StoresAddedFontName()) << "no added glyph";
  item->SetAddedChar(L'x');
  EXPECT_TRUE(item->StoresAddedFontName());
}

}  // namespace
