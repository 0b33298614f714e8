// Blending one 1920 x 1080 32-bit bitmap onto another: our routine against
// GDI's AlphaBlend. Prints the ratio ours / GDI.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "../support/PixelHelpers.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"

int main() {
  const int W = 1920, H = 1080, Rounds = 20;
  auto Src = NewBitmap32(W, H), Dst = NewBitmap32(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      SetPixelAt(*Src, x, y, (uint32_t((x * 7 + y) & 0xFF) << 24) | (uint32_t(x * y) & 0xFFFFFF));
      SetPixelAt(*Dst, x, y, 0xFF000000u | uint32_t(x + y * 3));
    }
  auto Time = [](auto Body) {
    auto Start = std::chrono::steady_clock::now();
    Body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  };
  double Ours = Time([&] {
    for (int r = 0; r < Rounds; ++r) DrawBitmapAlpha(*Dst, *Src, RECT{0, 0, W - 1, H - 1}, POINT{0, 0}, 255);
  });
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  double Gdi = Time([&] {
    for (int r = 0; r < Rounds; ++r) AlphaBlend(Dst->DC(), 0, 0, W, H, Src->DC(), 0, 0, W, H, Blend);
    GdiFlush();
  });
  std::printf("alpha blend 1920x1080, %d rounds: ours %.3f s, GDI %.3f s, ours / GDI = %.2f\n", Rounds, Ours, Gdi,
              Ours / Gdi);
  return 0;
}
