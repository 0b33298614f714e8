// The built-in layouts: rows of 40-pixel keys from the left edge, special keys
// darker than the rest.
#include "keyboard/KbTouchKeyboard.h"

namespace {
constexpr int kRow = 40;
constexpr TColor kKeyColor = 0xC0C0C0;
constexpr TColor kSpecialColor = 0xA0A0A0;
using SK = TSpecialKey;
}  // namespace

void TKbTouchKeyboard::AddKey(const String& caption, const String& shiftCaption, const String& altGrCaption,
                              int keyValue, int shiftKeyValue, int altGrKeyValue, int imageIndex, int width, int height,
                              int& x, int y, TSpecialKey special, TColor color) {
  TKbTouchKey* key = FKeys.Add()->Key();
  key->AutoPost = true;
  key->SetCaption(caption);
  key->ShiftCaption = shiftCaption;
  key->AltGrCaption = altGrCaption;
  key->KeyValue = keyValue;
  key->ShiftKeyValue = shiftKeyValue;
  key->AltGrKeyValue = altGrKeyValue;
  key->ImageIndex = FImages ? imageIndex : -1;
  key->SpecialKey = special;
  key->SetColor(color);
  key->SetBounds(x, y, width, height);
  x += width;
}

namespace {

// Adds keys row by row for one builder.
class TRowWriter {
 public:
  explicit TRowWriter(std::function<void(const String&, const String&, const String&, int, int, int, int, int, int,
                                         int&, int, SK, TColor)>
                          add)
      : FAdd(std::move(add)) {}

  void Key(const String& caption, const String& shift = L"", const String& altGr = L"") {
    FAdd(caption, shift, altGr, -1, -1, -1, -1, 40, 40, FX, FY, SK::skNone, kKeyColor);
  }
  void Letters(const wchar_t* letters) {
    for (const wchar_t* p = letters; *p; ++p) Key(String(1, *p));
  }
  void Special(const String& caption, SK role, int value, int width = 40, int height = 40, TColor color = kSpecialColor,
               int shiftValue = -1, int altGrValue = -1, int image = -1) {
    FAdd(caption, L"", L"", value, shiftValue, altGrValue, image, width, height, FX, FY, role, color);
  }
  void Gap(int width) { FX += width; }
  void NewRow() {
    FX = 0;
    FY += kRow;
  }
  int X() const { return FX; }

  // The tab key, the Caps Lock key and the Enter key spanning two rows.
  void Tab() { Special(L"->", SK::skTab, 9, 60); }
  void TallEnter() {
    Gap(10);
    Special(L"Enter", SK::skReturn, 13, 50, 80, kSpecialColor, 0, 0);
  }
  void Caps() { Special(L"Caps Lock", SK::skCaps, 20, 70, 40, kSpecialColor, 0, 0); }
  void LeftShift() { Special(L"Shift", SK::skShift, 160, 80); }
  void RightShift(int width) { Special(L"Shift", SK::skShift, 161, width); }
  void Back(const String& caption, int width) { Special(caption, SK::skBackSpace, 8, width); }
  // Ctrl, Win, Alt, space bar, Alt Gr, Win, Menu; the last key differs by layout.
  void ModifierRow(bool arrowLast) {
    Special(L"Ctrl", SK::skCtrl, 162, 60);
    Special(L"Win", SK::skWin, 91, 40, 40, kSpecialColor, -1, -1, 0);
    Special(L"Alt", SK::skAlt, 18, 60);
    Special(L"", SK::skSpaceBar, 32, 240, 40, kKeyColor);
    Special(L"Alt Gr", SK::skAltGr, 0, 60);
    Special(L"Win", SK::skWin, 92, 40, 40, kSpecialColor, -1, -1, 0);
    Special(L"Menu", SK::skApp, 93);
    if (arrowLast)
      Special(L"->", SK::skRight, 39, 60);
    else
      Special(L"Ctrl", SK::skCtrl, 163, 60);
  }

 private:
  std::function<void(const String&, const String&, const String&, int, int, int, int, int, int, int&, int, SK, TColor)>
      FAdd;
  int FX = 0, FY = 0;
};

}  // namespace

#define KB_ROWS                                                                                                        \
  TRowWriter r([this](const String& c, const String& s, const String& a, int v, int sv, int av, int img, int w, int h, \
                      int& x, int y, SK sk, TColor col) { AddKey(c, s, a, v, sv, av, img, w, h, x, y, sk, col); })

void TKbTouchKeyboard::BuildQwerty() {
  if (!Loading()) SetBounds(Left(), Top(), 600, 200);
  KB_ROWS;
  r.Key(L"`", L"~");
  r.Key(L"1", L"!", L"|");
  r.Key(L"2", L"@");
  r.Key(L"3", L"#");
  r.Key(L"4", L"$");
  r.Key(L"5", L"%");
  r.Key(L"6", L"^");
  r.Key(L"7", L"&");
  r.Key(L"8", L"*");
  r.Key(L"9", L"(");
  r.Key(L"0", L")");
  r.Key(L"-", L"_");
  r.Key(L"=", L"+");
  r.Key(L"\\", L"|");
  r.Back(L"Back", 40);
  r.NewRow();
  r.Tab();
  r.Letters(L"QWERTYUIOP");
  r.Key(L"[", L"{");
  r.Key(L"]", L"}");
  r.TallEnter();
  r.NewRow();
  r.Caps();
  r.Letters(L"ASDFGHJKL");
  r.Key(L";", L":");
  r.Key(L"'", L"\"");
  r.NewRow();
  r.LeftShift();
  r.Letters(L"ZXCVBNM");
  r.Key(L",", L"<");
  r.Key(L".", L">");
  r.Key(L"/", L"?");
  r.RightShift(110);
  r.NewRow();
  r.ModifierRow(true);
}

void TKbTouchKeyboard::BuildAzerty() {
  SetBounds(Left(), Top(), 600, 200);
  KB_ROWS;
  r.Key(L"\u00B2", L"\u00B3");
  r.Key(L"&", L"1");
  r.Key(L"\u00E9", L"2", L"@");
  r.Key(L"\"", L"3", L"#");
  r.Key(L"'", L"4");
  r.Key(L"(", L"5");
  r.Key(L"\u00A7", L"6", L"^");
  r.Key(L"\u00E8", L"7");
  r.Key(L"!", L"8");
  r.Key(L"\u00E7", L"9", L"{");
  r.Key(L"\u00E0", L"0", L"}");
  r.Key(L")", L"\u00BA");
  r.Key(L"-", L"_");
  r.Back(L"Backspace", 600 - r.X());
  r.NewRow();
  r.Tab();
  r.Letters(L"AZ");
  r.Key(L"E", L"", L"\u20AC");
  r.Letters(L"RTYUIOP");
  r.Key(L"^", L"\u00A8", L"[");
  r.Key(L"$", L"*", L"]");
  r.TallEnter();
  r.NewRow();
  r.Caps();
  r.Letters(L"QSDFGHJKLM");
  r.Key(L"\u00F9", L"%", L"\u00B4");
  r.Key(L"\u00B5", L"\u00A3", L"`");
  r.NewRow();
  r.LeftShift();
  r.Key(L"<", L">", L"\\");
  r.Letters(L"WXCVBN");
  r.Key(L";", L".");
  r.Key(L";", L",");
  r.Key(L":", L"/");
  r.Key(L"=", L"+");
  r.RightShift(600 - r.X());
  r.NewRow();
  r.ModifierRow(false);
}

void TKbTouchKeyboard::BuildDvorak() {
  SetBounds(Left(), Top(), 600, 200);
  KB_ROWS;
  r.Key(L"`", L"~");
  r.Key(L"1", L"!", L"|");
  r.Key(L"2", L"@");
  r.Key(L"3", L"#");
  r.Key(L"4", L"$");
  r.Key(L"5", L"%");
  r.Key(L"6", L"^");
  r.Key(L"7", L"&");
  r.Key(L"8", L"*");
  r.Key(L"9", L"(");
  r.Key(L"0", L")");
  r.Key(L"[", L"{");
  r.Key(L"]", L"}");
  r.Back(L"Backspace", 600 - r.X());
  r.NewRow();
  r.Tab();
  r.Key(L"'", L"\"");
  r.Key(L",", L"<");
  r.Key(L".", L">");
  r.Letters(L"PYFGCRL");
  r.Key(L"/", L"?");
  r.Key(L"=", L"+");
  r.Key(L"\\", L"|");
  r.NewRow();
  r.Caps();
  r.Letters(L"AOEUIDHTNS");
  r.Key(L"-", L"_");
  r.Special(L"Enter", SK::skReturn, 13, 600 - r.X(), 40, kSpecialColor, 0, 0);
  r.NewRow();
  r.LeftShift();
  r.Key(L";", L":");
  r.Letters(L"QJKXBMWVZ");
  r.RightShift(110);
  r.NewRow();
  r.ModifierRow(false);
}

void TKbTouchKeyboard::BuildQwertz() {
  SetBounds(Left(), Top(), 600, 200);
  KB_ROWS;
  r.Key(L"^", L"\u00B0");
  r.Key(L"1", L"!");
  r.Key(L"2", L"\"", L"\u00B2");
  r.Key(L"3", L"\u00A7", L"\u00B3");
  r.Key(L"4", L"$");
  r.Key(L"5", L"%");
  r.Key(L"6", L"&");
  r.Key(L"7", L"/", L"{");
  r.Key(L"8", L"(", L"[");
  r.Key(L"9", L")", L"]");
  r.Key(L"0", L"=", L"}");
  r.Key(L"\u00DF", L"?", L"\\");
  r.Key(L"\u00B4", L"`");
  r.Back(L"Backspace", 600 - r.X());
  r.NewRow();
  r.Tab();
  r.Key(L"Q", L"", L"@");
  r.Key(L"W");
  r.Key(L"E", L"", L"\u20AC");
  r.Letters(L"RTZUIOP\u00DC");
  r.Key(L"+", L"*", L"~");
  r.TallEnter();
  r.NewRow();
  r.Caps();
  r.Letters(L"ASDFGHJKL\u00D6\u00C4");
  r.Key(L"#", L"'");
  r.NewRow();
  r.LeftShift();
  r.Key(L"<", L">");
  r.Letters(L"YXCVBNM");
  r.Key(L",", L";");
  r.Key(L".", L":");
  r.Key(L"-", L"_");
  r.RightShift(600 - r.X());
  r.NewRow();
  r.ModifierRow(false);
}

void TKbTouchKeyboard::BuildNumeric() {
  SetBounds(Left(), Top(), 160, 200);
  KB_ROWS;
  r.Special(L"Num Lock", SK::skNum, 144);
  r.Special(L"/", SK::skDivide, 111, 40, 40, kKeyColor);
  r.Special(L"*", SK::skMultiply, 106, 40, 40, kKeyColor);
  r.Special(L"-", SK::skSubstract, 109, 40, 40, kKeyColor);
  r.NewRow();
  r.Letters(L"789");
  r.Special(L"+", SK::skAdd, 107, 40, 80, kKeyColor);
  r.NewRow();
  r.Letters(L"456");
  r.NewRow();
  r.Letters(L"123");
  r.Special(L"Enter", SK::skReturn, 13, 40, 80);
  r.NewRow();
  r.Special(L"0", SK::skNone, -1, 80, 40, kKeyColor);
  r.Special(L".", SK::skDecimal, 110, 40, 40, kKeyColor);
}

void TKbTouchKeyboard::BuildCellPhone() {
  SetBounds(Left(), Top(), 120, 160);
  KB_ROWS;
  r.Letters(L"789");
  r.NewRow();
  r.Letters(L"456");
  r.NewRow();
  r.Letters(L"123");
  r.NewRow();
  r.Letters(L"*0");
  r.Back(L"Back", 40);
}
