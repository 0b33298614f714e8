#include "skin/graphics/GlowShape.h"

#include <algorithm>

#include "skin/graphics/Gradients.h"

void EnsureGlowShape(TacGlowShape& Shape, int Radius, uint32_t Color, TScaleToPPI Scale) {
  const int r = std::max(Scale(100), std::min(Scale(200), Radius));
  const int Side = 2 * r + 1;
  if (Shape.Bmp && Shape.Bmp->Width() == Side && Shape.Bmp->Height() == Side && Shape.Color == Color) return;
  Shape.Bmp = CreateGlowShape(Color, r, 0, 0, 0, r, false, false);
  Shape.Color = Color;
}
