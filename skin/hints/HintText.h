#pragma once
// Measuring and drawing the text of a hint. HTMLMode texts belong to the
// HTML-like caption renderer, which is not built yet: until it is, they are
// measured and drawn as plain text through this one seam.
#include "framework/Graphics.h"

int DrawHintText(TCanvas& Canvas, const String& Text, RECT& R, UINT Flags, bool HTMLMode);
