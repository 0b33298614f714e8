#include "skin/hints/HintText.h"

int DrawHintText(TCanvas& Canvas, const String& Text, RECT& R, UINT Flags, bool /*HTMLMode*/) {
  return Canvas.DrawText(Text, R, Flags);
}
