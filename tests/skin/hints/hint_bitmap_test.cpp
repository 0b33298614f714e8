// The picture a bubble is shown with: the template's nine-piece picture,
// the text drawn over it without punching holes in its alpha, and the
// colours premultiplied for the layered carrier.
#include <gtest/gtest.h>

#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintWindows.h"
#include "support/hint_fixture.h"

namespace {

constexpr uint32_t kBody = 0x336699;
constexpr uint8_t kAlpha = 200;

uint8_t Premultiplied(uint32_t Rgb, int Shift) { return uint8_t(((Rgb >> Shift) & 0xFF) * kAlpha / 255); }

struct Rendered {
  int textPixels = 0;
  int wrongAlpha = 0;
  int notPremultiplied = 0;
  uint32_t corner = 0;
};

Rendered Render(const String& Text, bool WithPicture) {
  auto hints = LoadedHints([&](TsAlphaHints& h) {
    TacHintTemplate& t = *h.Templates().Add();
    t.SetName(L"Solid");
    if (WithPicture) {
      auto picture = SolidPicture(21, 21, kBody, kAlpha);
      t.ImageDefault().SetImage(*picture);
    }
    t.ImageDefault().ClientMargins().SetSizes(6, 6, 6, 6);
    t.Font().SetColor(clBlack);
    h.SetTemplateName(L"Solid");
  });
  TacPngHintWindow window(nullptr);
  window.HintText = Text;
  hints->TargetBounds = RECT{0, 0, 90, 40};
  hints->SelectTemplateImage();
  window.PrepareAlphaBmp(90, 40);
  Rendered out;
  TBitmap& pic = *window.Picture;
  EXPECT_EQ(pic.PixelFormat(), pf32bit);
  out.corner = static_cast<uint32_t*>(pic.ScanLine(1))[1];
  for (int y = 0; y < pic.Height(); ++y) {
    auto* row = static_cast<uint32_t*>(pic.ScanLine(y));
    for (int x = 0; x < pic.Width(); ++x) {
      const uint32_t px = row[x];
      const uint8_t a = px >> 24;
      if (a != (WithPicture ? kAlpha : 0)) ++out.wrongAlpha;
      if (((px >> 16) & 0xFF) > a || ((px >> 8) & 0xFF) > a || (px & 0xFF) > a) ++out.notPremultiplied;
      if (WithPicture && (px & 0xFFFFFF) != (out.corner & 0xFFFFFF)) ++out.textPixels;
    }
  }
  return out;
}

TEST(HintBitmap, TextKeepsTheBubblesAlphaAndColoursArePremultiplied) {
  const Rendered blank = Render(L"", true);
  EXPECT_EQ(blank.wrongAlpha, 0);
  EXPECT_EQ(blank.notPremultiplied, 0);
  EXPECT_EQ(blank.textPixels, 0);
  const uint32_t c = blank.corner;
  EXPECT_EQ(c >> 24, kAlpha);
  EXPECT_NEAR(int((c >> 16) & 0xFF), Premultiplied(kBody, 16), 1);
  EXPECT_NEAR(int((c >> 8) & 0xFF), Premultiplied(kBody, 8), 1);
  EXPECT_NEAR(int(c & 0xFF), Premultiplied(kBody, 0), 1);

  const Rendered text = Render(L"Wide hint", true);
  EXPECT_EQ(text.wrongAlpha, 0) << "the text must not change the bubble's alpha";
  EXPECT_EQ(text.notPremultiplied, 0);
}

TEST(HintBitmap, TextIsDrawnIntoTheBubble) { EXPECT_GT(Render(L"Wide hint", true).textPixels, 20); }

TEST(HintBitmap, EmptyPictureDrawsNoBody) {
  const Rendered r = Render(L"Text", false);
  EXPECT_EQ(r.wrongAlpha, 0) << "nothing of a bubble where the template has no picture";
  EXPECT_EQ(r.notPremultiplied, 0);
}

TEST(HintBitmap, SettingAPictureCutsItInHalvesAndNegativeSizesReadZero) {
  TacHintTemplate t(nullptr);
  TacHintImage& img = t.ImageDefault();
  EXPECT_EQ(img.ImageWidth(), 0);
  EXPECT_EQ(img.ImageHeight(), 0);
  auto picture = SolidPicture(72, 59, kBody, 255);
  img.SetImage(*picture);
  EXPECT_EQ(img.ImageWidth(), 72);
  EXPECT_EQ(img.ImageHeight(), 59);
  EXPECT_EQ(img.BordersWidths().Left(), 35);
  EXPECT_EQ(img.BordersWidths().Bottom(), 29);
  EXPECT_EQ(img.ClientMargins().Right(), 35);
  EXPECT_EQ(img.ClientMargins().Top(), 29);
  img.BordersWidths().SetSizes(32, -4, 19, 23);
  EXPECT_EQ(img.BordersWidths().Top(), 0);
  EXPECT_EQ(img.BordersWidths().Left(), 32);
}

TEST(HintBitmap, DefaultTemplateSizes) {
  TacHintImage& img = DefaultHintTemplate().ImageDefault();
  const RECT borders = img.BordersWidths().AsRect();
  const RECT shadow = img.ShadowSizes().AsRect();
  const RECT margins = img.ClientMargins().AsRect();
  EXPECT_EQ(borders.left, 11);
  EXPECT_EQ(borders.top, 10);
  EXPECT_EQ(borders.right, 14);
  EXPECT_EQ(borders.bottom, 15);
  EXPECT_EQ(shadow.left, 6);
  EXPECT_EQ(shadow.bottom, 8);
  EXPECT_EQ(margins.right, 16);
  EXPECT_EQ(margins.bottom, 15);
  EXPECT_EQ(DefaultHintTemplate().Font().Height(), -12);
  EXPECT_FALSE(DefaultHintTemplate().Img_LeftBottom().HasPicture());
}

}  // namespace
