#include "hint_fixture.h"

#include "skin/graphics/ColorAdjust.h"

TApplication& TestApplication() {
  // The layered-window functions are bound by the graphics unit's start-up.
  static bool bound = (InitGraphUtils(), true);
  (void)bound;
  static TApplication* app = Application ? Application : new TApplication();
  return *app;
}

std::unique_ptr<TBitmap> SolidPicture(int Width, int Height, uint32_t Rgb, uint8_t Alpha) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf32bit);
  bmp->SetSize(Width, Height);
  const uint32_t pixel = (uint32_t(Alpha) << 24) | (Rgb & 0xFFFFFF);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<uint32_t*>(bmp->ScanLine(y));
    for (int x = 0; x < Width; ++x) row[x] = pixel;
  }
  return bmp;
}

TacHintTemplate& AddCornerTemplate(TsAlphaHints& Hints, const String& Name, bool Directional) {
  TacHintTemplate& t = *Hints.Templates().Add();
  t.SetName(Name);
  TacHintImage* images[4] = {&t.ImageDefault(), &t.Img_LeftBottom(), &t.Img_RightTop(), &t.Img_RightBottom()};
  const int count = Directional ? 4 : 1;
  for (int corner = 0; corner < count; ++corner) {
    auto picture = SolidPicture(21, 21, 0x336699, 200);
    images[corner]->SetImage(*picture);
    images[corner]->BordersWidths().SetSizes(8, 8, 8, 8);
    images[corner]->ShadowSizes().SetSizes(2, 2, 3, 3);
    images[corner]->ClientMargins().SetSizes(10 + corner, 6, 10, 6);
  }
  return t;
}
