#pragma once
// Measuring and drawing the text of a hint. In HTMLMode the text goes
// through the caption engine (bold, colours, links drawn as links, line
// breaks from BR tags), wrapped at R's right edge and aligned by Flags.
#include "framework/Graphics.h"

int DrawHintText(TCanvas& Canvas, const String& Text, RECT& R, UINT Flags, bool HTMLMode);
