// The framework bevel: lines in the 3-D colours, the style deciding which
// colour comes first.
#include "framework/Application.h"
#include "framework/Bevel.h"
#include "framework/Form.h"
#include "framework/GdiHandles.h"

#include <gtest/gtest.h>

namespace {

COLORREF PixelAfterPaint(TBevel& bevel, int x, int y) {
  TWindowDC screen(nullptr);
  const TMemoryDC dc = TMemoryDC::CompatibleWith(screen.get());
  TOwnedBitmap bmp(CreateCompatibleBitmap(screen.get(), bevel.Width(), bevel.Height()));
  const HGDIOBJ old = SelectObject(dc.get(), bmp.get());
  RECT all{0, 0, bevel.Width(), bevel.Height()};
  TOwnedBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
  FillRect(dc.get(), &all, magenta.get());
  bevel.Perform(WM_PAINT, WPARAM(dc.get()));
  const COLORREF c = GetPixel(dc.get(), x, y);
  SelectObject(dc.get(), old);
  return c;
}

TEST(Bevel, StyleDecidesWhichThreeDColourComesFirst) {
  InitApplication();
  TForm form(Application, CreateNew);
  auto* bevel = new TBevel(&form);
  bevel->SetParent(&form);
  bevel->SetBounds(0, 0, 40, 10);
  bevel->SetShape(TBevelShape::bsTopLine);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  struct Case {
    TBevelStyle Style;
    COLORREF Row0, Row1;
  };
  for (const Case& c : {Case{TBevelStyle::bsLowered, shadow, light}, Case{TBevelStyle::bsRaised, light, shadow}}) {
    bevel->SetStyle(c.Style);
    EXPECT_EQ(PixelAfterPaint(*bevel, 20, 0), c.Row0);
    EXPECT_EQ(PixelAfterPaint(*bevel, 20, 1), c.Row1);
    EXPECT_EQ(PixelAfterPaint(*bevel, 20, 5), RGB(255, 0, 255));
  }
  bevel->SetShape(TBevelShape::bsSpacer);
  EXPECT_EQ(PixelAfterPaint(*bevel, 20, 0), RGB(255, 0, 255));
}

}  // namespace
