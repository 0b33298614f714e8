#include "framework/Screen.h"

#include <algorithm>

namespace {
TScreen TheScreen;
}

TScreen* const Screen = &TheScreen;

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}

void TScreen::AddForm(TForm* form) {
  if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TScreen::RemoveForm(TForm* form) { FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end()); }
