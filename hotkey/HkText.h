#pragma once
// Small text routines of the hot key library. The scrambling and packing work
// on 8-bit text, byte by byte.
#include "framework/System.h"

// True when s is empty or holds only blanks.
bool IsBlankText(const String& s);
// s with one "\" at the end; a blank s becomes "\".
String WithBackslash(const String& s);
// s without its final "\".
String WithoutBackslash(const String& s);

AnsiString ScrambleText(const AnsiString& s, uint16_t key);
AnsiString UnscrambleText(const AnsiString& s, uint16_t key);

// "<length>:" followed by every 3 bytes as 4 printable characters (6 bits + 48).
AnsiString TextEncode3To4(const AnsiString& s);
AnsiString TextDecode4To3(const AnsiString& s);
