#include "serial/TerminalFont.h"

#include "framework/Graphics.h"

namespace {
TFont* gTerminalFont = nullptr;
}

TFont* ComTerminalFont() { return gTerminalFont; }

void InitComPortUnit() {
  if (gTerminalFont) return;
  gTerminalFont = new TFont;
  gTerminalFont->SetName(L"Fixedsys");
  gTerminalFont->SetColor(clWhite);
  gTerminalFont->SetSize(9);
}

void DoneComPortUnit() {
  delete gTerminalFont;
  gTerminalFont = nullptr;
}
