#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/GdiHandles.h"
#include "framework/Streams.h"
#include "skin/graphics/PngDecoder.h"

namespace {

// A decoded RGBA picture, straight from the module's resource.
struct TRgbaPicture {
  TPngHeader Header;
  std::vector<uint8_t> Pixels;  // 4 bytes a pixel, rows top-down

  uint8_t Alpha(int X, int Y) const { return Pixels[(size_t(Y) * Header.Width + X) * 4 + 3]; }
};

class TRowCollector : public TPngRowSink {
 public:
  explicit TRowCollector(TRgbaPicture& Picture) : FPicture(Picture) {}
  void TakeRow(int Y, const uint8_t* Samples, uint8_t, bool) override {
    size_t Stride = size_t(FPicture.Header.Width) * 4;
    std::memcpy(FPicture.Pixels.data() + Y * Stride, Samples, Stride);
  }

 private:
  TRgbaPicture& FPicture;
};

TRgbaPicture LoadPicture(const wchar_t* Name) {
  TResourceStream Stream(GetModuleHandleW(nullptr), Name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  TPngDecoder Decoder(Stream);
  TRgbaPicture Picture;
  Picture.Header = Decoder.ReadHeader();
  if (Picture.Header.ColorType != pctRGBA || Picture.Header.BitDepth != 8 || Picture.Header.Interlace != 0)
    return Picture;  // the caller's header checks report it
  Picture.Pixels.assign(size_t(Picture.Header.Width) * Picture.Header.Height * 4, 0);
  EXPECT_TRUE(Decoder.ReadToImageData());
  TRowCollector Rows(Picture);
  Decoder.ReadRows(Rows);
  Decoder.ReadToEnd();
  return Picture;
}

struct TPictureCase {
  const wchar_t* Name;
  int Width;
  int Height;
};

const TPictureCase PictureCases[] = {
    {L"ACHINT", 40, 40},
    {L"HINT_WBB_DEFAULT", 72, 59},
    {L"HINT_WBB_LEFTBOTTOM", 72, 59},
    {L"HINT_WBB_RIGHTBOTTOM", 72, 59},
    {L"HINT_WBB_RIGHTTOP", 72, 59},
    {L"HINT_DARK", 72, 59},
    {L"HINT_YELLOW", 72, 59},
    {L"SF", 48, 24},
    {L"SR", 48, 24},
    {L"SD", 48, 24},
    {L"SE", 48, 24},
    {L"SC", 48, 24},
};

template <typename TCase>
std::string CaseName(const testing::TestParamInfo<TCase>& Info) {
  std::wstring W = Info.param.Name;
  return std::string(W.begin(), W.end());
}

class SkinPicture : public testing::TestWithParam<TPictureCase> {};

TEST_P(SkinPicture, IsAnAntiAliasedPngOfItsSize) {
  const TPictureCase& c = GetParam();
  TRgbaPicture Picture = LoadPicture(c.Name);
  ASSERT_EQ(Picture.Header.Width, uint32_t(c.Width));
  ASSERT_EQ(Picture.Header.Height, uint32_t(c.Height));
  ASSERT_EQ(Picture.Header.ColorType, pctRGBA);
  ASSERT_EQ(Picture.Header.BitDepth, 8);
  // Clear surroundings, a solid shape and soft edges in between.
  int Clear = 0, Solid = 0, Partial = 0;
  for (uint8_t* p = Picture.Pixels.data() + 3; p < Picture.Pixels.data() + Picture.Pixels.size(); p += 4)
    (*p == 0 ? Clear : *p == 255 ? Solid : Partial)++;
  EXPECT_GT(Clear, 0);
  EXPECT_GT(Solid, 0);
  EXPECT_GT(Partial, 0);
}

INSTANTIATE_TEST_SUITE_P(Resources, SkinPicture, testing::ValuesIn(PictureCases), CaseName<TPictureCase>);

// The nine-piece cut a hint picture is drawn with: those of the hint
// templates; the two balloons of our own share the cut of the white one's
// default picture.
struct TCutCase {
  const wchar_t* Name;
  int Left, Top, Right, Bottom;
};

const TCutCase CutCases[] = {
    {L"ACHINT", 11, 10, 14, 15},
    {L"HINT_WBB_DEFAULT", 32, 16, 19, 23},
    {L"HINT_WBB_LEFTBOTTOM", 35, 16, 22, 27},
    {L"HINT_WBB_RIGHTBOTTOM", 21, 17, 34, 26},
    {L"HINT_WBB_RIGHTTOP", 19, 16, 32, 25},
    {L"HINT_DARK", 32, 16, 19, 23},
    {L"HINT_YELLOW", 32, 16, 19, 23},
};

class HintPictureCut : public testing::TestWithParam<TCutCase> {};

// Edges are tiled or stretched along their length: a corner or a tail that
// spilled into an edge piece would be smeared along the whole bubble.
TEST_P(HintPictureCut, EdgePiecesAreUniformAlongTheirLength) {
  const TCutCase& c = GetParam();
  TRgbaPicture Picture = LoadPicture(c.Name);
  ASSERT_EQ(Picture.Header.ColorType, pctRGBA);
  int Width = int(Picture.Header.Width), Height = int(Picture.Header.Height);
  int Right = Width - c.Right, Bottom = Height - c.Bottom;
  for (int y = 0; y < Height; ++y) {
    if (y >= c.Top && y < Bottom) continue;
    for (int x = c.Left + 1; x < Right; ++x)
      ASSERT_EQ(Picture.Alpha(x, y), Picture.Alpha(c.Left, y)) << "horizontal edge at " << x << "," << y;
  }
  for (int x = 0; x < Width; ++x) {
    if (x >= c.Left && x < Right) continue;
    for (int y = c.Top + 1; y < Bottom; ++y)
      ASSERT_EQ(Picture.Alpha(x, y), Picture.Alpha(x, c.Top)) << "vertical edge at " << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Resources, HintPictureCut, testing::ValuesIn(CutCases), CaseName<TCutCase>);

// The list cuts each strip in two square frames, normal and hot: both must
// hold the same glyph, only coloured differently.
TEST(SkinPictures, GlyphStripsHoldTwoFramesOfOneGlyph) {
  for (const wchar_t* Name : {L"SF", L"SR", L"SD", L"SE", L"SC"}) {
    SCOPED_TRACE(testing::Message() << std::wstring(Name).c_str());
    TRgbaPicture Picture = LoadPicture(Name);
    ASSERT_EQ(Picture.Header.ColorType, pctRGBA);
    int Frame = int(Picture.Header.Height);
    ASSERT_EQ(int(Picture.Header.Width), 2 * Frame);
    int Drawn = 0;
    bool Recoloured = false;
    for (int y = 0; y < Frame; ++y)
      for (int x = 0; x < Frame; ++x) {
        ASSERT_EQ(Picture.Alpha(x, y), Picture.Alpha(x + Frame, y)) << x << "," << y;
        if (Picture.Alpha(x, y) == 255) {
          ++Drawn;
          size_t Normal = (size_t(y) * Picture.Header.Width + x) * 4;
          Recoloured |= std::memcmp(&Picture.Pixels[Normal], &Picture.Pixels[Normal + Frame * 4], 3) != 0;
        }
      }
    EXPECT_GT(Drawn, 0);
    EXPECT_TRUE(Recoloured);
  }
}

// Each balloon's tail points at the corner its picture is chosen for: a
// swapped picture puts the bubble on the hinted control.
TEST(SkinPictures, BalloonTailsPointAtTheirCorners) {
  enum { LeftTop, RightTop, LeftBottom, RightBottom };
  const struct {
    const wchar_t* Name;
    int Corner;
  } Cases[] = {
      {L"HINT_WBB_DEFAULT", LeftTop},
      {L"HINT_WBB_LEFTBOTTOM", LeftBottom},
      {L"HINT_WBB_RIGHTBOTTOM", RightBottom},
      {L"HINT_WBB_RIGHTTOP", RightTop},
      {L"HINT_DARK", LeftTop},
      {L"HINT_YELLOW", LeftTop},
  };
  // The tip lies within this many pixels of its corner; nothing solid lies
  // that close to the other three.
  const int Block = 4;
  for (const auto& c : Cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Name).c_str());
    TRgbaPicture Picture = LoadPicture(c.Name);
    ASSERT_EQ(Picture.Header.Width, 72u);
    int W = int(Picture.Header.Width), H = int(Picture.Header.Height);
    for (int Corner = LeftTop; Corner <= RightBottom; ++Corner) {
      int X0 = (Corner == RightTop || Corner == RightBottom) ? W - Block : 0;
      int Y0 = (Corner == LeftBottom || Corner == RightBottom) ? H - Block : 0;
      // Shadows are faint; only the tail is solid out in a corner.
      int Solid = 0;
      for (int y = Y0; y < Y0 + Block; ++y)
        for (int x = X0; x < X0 + Block; ++x) Solid += Picture.Alpha(x, y) >= 128;
      if (Corner == c.Corner)
        EXPECT_GT(Solid, 0) << "no tail in corner " << Corner;
      else
        EXPECT_EQ(Solid, 0) << "something solid in corner " << Corner;
    }
  }
}

TEST(SkinPictures, PipetteCursorHasItsHotSpotAtTheTip) {
  HCURSOR Cursor = LoadCursorW(GetModuleHandleW(nullptr), L"CRASPIPETTE");
  ASSERT_NE(Cursor, nullptr);
  ICONINFO Info{};
  ASSERT_TRUE(GetIconInfo(Cursor, &Info));
  TOwnedGdiObject<HBITMAP> Mask(Info.hbmMask), Color(Info.hbmColor);
  EXPECT_FALSE(Info.fIcon);
  // The tip lies at the lower left; the point picked is where it ends.
  EXPECT_EQ(Info.xHotspot, 1u);
  EXPECT_EQ(Info.yHotspot, 30u);
}

}  // namespace
