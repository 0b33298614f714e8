#pragma once
// The glow shape an effect keeps between paints: made again only when the
// radius or the colour asked for differs from the one it holds.
#include <cstdint>
#include <memory>

#include "framework/Bitmap.h"

struct TacGlowShape {
  std::unique_ptr<TBitmap> Bmp;
  uint32_t Color = 0;  // the colour Bmp was made for: the cache tag
};

// A size at 96 pixels per inch scaled to the density painted for. The skin
// manager's scaling is passed in by the caller that has the manager.
using TScaleToPPI = int (*)(int Value);

// Radius is held between Scale(100) and Scale(200); the shape is a square
// of 2 x radius + 1 fading over its whole radius, colour alpha not
// premultiplied.
void EnsureGlowShape(TacGlowShape& Shape, int Radius, uint32_t Color, TScaleToPPI Scale);
