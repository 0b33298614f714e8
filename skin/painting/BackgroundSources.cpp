#include "skin/painting/BackgroundSources.h"

const TacBackgroundSource EmptyBackgroundSource = {nullptr, -99, -99, 0xFF00FF, RECT{}, false};

TacBackgroundSource BitmapBackgroundSource(TBitmap* Bmp, int X, int Y) {
  return TacBackgroundSource{Bmp, X, Y, 0xFF00FF, RECT{}, true};
}
