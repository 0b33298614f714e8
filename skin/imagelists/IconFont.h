#pragma once
// The icon font the character lists draw with by default, carried in the
// program as the resource "AWFONT" and made known to this process only, so
// that no machine needs it installed.
#include "framework/System.h"

// The family name of the built-in icon font.
extern const wchar_t* const kIconFontName;

// Registers the built-in font for the process on the first call; later calls
// only answer. False when the resource is missing or the system refused it.
bool RegisterIconFont();
// How many faces the registration added (0 before it or after a failure).
int IconFontFaceCount();
