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

HCURSOR TScreen::Cursors(TCursor cursor) const {
  const wchar_t* id = IDC_ARROW;
  switch (cursor) {
    case crNone:
      return nullptr;
    case crCross:
      id = IDC_CROSS;
      break;
    case crIBeam:
      id = IDC_IBEAM;
      break;
    case crHourGlass:
      id = IDC_WAIT;
      break;
    case crHandPoint:
      id = IDC_HAND;
      break;
  }
  return LoadCursorW(nullptr, id);
}

void TScreen::AddForm(TForm* form) {
  if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TScreen::RemoveForm(TForm* form) { FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end()); }
