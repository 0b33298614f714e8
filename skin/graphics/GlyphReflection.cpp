#include "skin/graphics/GlyphReflection.h"

#include <algorithm>

#include "skin/graphics/Bitmap32.h"

void DrawGlyphReflection(TBitmap& Dst, TBitmap& Glyph, POINT Pos, int Blend, uint32_t KeyColor, const RECT& Frame) {
  const int Rows = std::min(2 * (Glyph.Height() / 3) - 1, Dst.Height() - 1 - int(Pos.y)) + 1;
  if (Rows <= 0) return;
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!PrepareScanlineWalk(&Dst, D0, DStep) || !PrepareScanlineWalk(&Glyph, S0, SStep)) return;
  int L = 255;
  for (int r = 0; r < Rows; ++r) {
    const int dy = Pos.y + r, sy = Frame.bottom - 1 - r;
    if (dy < 0 || sy < Frame.top || sy < 0 || sy >= Glyph.Height()) continue;
    const int Weight = (100 - Blend) * ((Rows - r) * 255 / Rows * L / 512) / 100;
    L -= 255 / (Rows + 1);
    const uint32_t* Src = PixelRow(S0, SStep, sy);
    uint32_t* Out = PixelRow(D0, DStep, dy);
    for (int sx = std::max<int>(Frame.left, 0); sx < std::min<int>(Frame.right, Glyph.Width()); ++sx) {
      const int dx = Pos.x + sx - Frame.left;
      if (dx < 0 || dx >= Dst.Width()) continue;
      const uint32_t s = Src[sx];
      if ((s & 0xFFFFFF) == (KeyColor & 0xFFFFFF)) continue;
      uint32_t d = Out[dx];
      for (int Shift = 0; Shift < 24; Shift += 8) {
        const int sc = int(s >> Shift & 0xFF), dc = int(d >> Shift & 0xFF);
        d = (d & ~(0xFFu << Shift)) | uint32_t(dc + (sc - dc) * Weight / 256) << Shift;
      }
      Out[dx] = d;
    }
  }
}
