// Hint texts in HTML mode go through the caption engine; plain mode draws
// the text as it stands.
#include "skin/hints/HintText.h"

#include "framework/GdiHandles.h"
#include "skin/graphics/Bitmap32.h"

#include <gtest/gtest.h>

namespace {

RECT Measured(const String& text, bool html, int wrap = 1000) {
  auto bmp = NewBitmap32(10, 10);
  TCanvas canvas(bmp->DC());
  canvas.Font().SetName(L"Arial");
  canvas.Font().SetHeight(-16);
  RECT r{0, 0, wrap, 0};
  DrawHintText(canvas, text, r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK, html);
  return r;
}

TEST(HintText, HtmlModeLaysOutTagsAndPlainModeShowsThem) {
  EXPECT_LT(Measured(L"<b>bold</b>", true).right, Measured(L"<b>bold</b>", false).right);
  EXPECT_EQ(Measured(L"text", true).right, Measured(L"text", false).right);
  const RECT one = Measured(L"line", true);
  const RECT two = Measured(L"line<br>line", true);
  EXPECT_EQ(two.bottom - two.top, 2 * (one.bottom - one.top) + 2);
  EXPECT_EQ(two.right, one.right);
}

}  // namespace
