#include "skin/painting/GlyphFrame.h"

#include <algorithm>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/GlyphReflection.h"
#include "skin/graphics/MaskedCopies.h"
#include "skin/manager/SkinManager.h"

namespace {

// Hot and further frames follow the disabled one only in the skin's own
// order; 4-bit glyphs always come in the standard order.
bool SkinGlyphOrder(const TBitmap& Glyph) {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  return Glyph.PixelFormat() != pf4bit && manager && !manager->Options().StdGlyphsOrder();
}

}  // namespace

int GlyphFrameIndex(const TBitmap& Glyph, int FrameCount, bool Enabled, int StateKind, int StateIndex) {
  if (FrameCount <= 1 || !Enabled) return 0;
  switch (StateKind) {
    case 1:
      return SkinGlyphOrder(Glyph) ? 1 : 0;
    case 2:
      // A negative index would read left of the strip.
      if (StateIndex + 2 < FrameCount) return std::max(0, StateIndex + 2);
      return SkinGlyphOrder(Glyph) ? std::min(1, FrameCount - 1) : 0;
    case 3:
      return FrameCount >= 3 ? 2 : 0;
    default:
      return 0;
  }
}

void DrawGlyphFrame(TBitmap& Glyph, TBitmap& Dst, const RECT& R, int FrameCount, bool Enabled, int StateKind, int Blend,
                    int StateIndex, bool Reflection) {
  if (FrameCount < 1 || Glyph.Empty() || Dst.Empty()) return;
  const int frameWidth = Glyph.Width() / FrameCount, height = Glyph.Height();
  if (frameWidth <= 0 || height <= 0) return;
  auto glyph = NewBitmap32(Glyph.Width(), height);
  if (glyph->Empty()) return;
  BitBlt(glyph->DC(), 0, 0, Glyph.Width(), height, Glyph.DC(), 0, 0, SRCCOPY);
  GdiFlush();

  if (FrameCount == 1) StateKind = 0;
  if (StateKind > 0) Blend = 0;
  const int frame = GlyphFrameIndex(Glyph, FrameCount, Enabled, StateKind, StateIndex);
  RECT place = R;
  if (Reflection) OffsetRect(&place, 0, -((R.bottom - R.top) / 8));
  const RECT source{frame * frameWidth, 0, (frame + 1) * frameWidth - 1, height - 1};
  const uint32_t keyPixel = uint32_t(GetPixel(glyph->DC(), source.left, source.bottom));
  const uint32_t keyColor = keyPixel == CLR_INVALID ? 0xFF00FF : keyPixel;
  if (Enabled || Blend == 0)
    CopyRectExceptColorBlend(Dst, *glyph, place.left, place.top, source, keyColor, 0);
  else
    BlendRectExceptColor(Dst, place.left, place.top, *glyph, source, uint8_t(std::clamp(Blend, 0, 100) * 255 / 100),
                         0xFF00FF);
  if (!Reflection) return;
  OffsetRect(&place, 0, R.bottom - R.top);
  DrawGlyphReflection(Dst, *glyph, POINT{place.left, place.top}, Blend, SwapRedBlueBytes(keyColor),
                      RECT{source.left, 0, source.right + 1, height});
}
