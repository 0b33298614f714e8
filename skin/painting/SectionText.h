#pragma once
// Text in the colours of a skin section's state: outline copies one pixel
// to each side in the section's contour colours, then the text in its font
// colour. Without a manager or a valid section the text is drawn plainly.
#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

class TsSkinManager;

// On the canvas, in its font; the private format bit 0x40000000 draws
// anti-aliased. Disabled text is the state-0 font colour mixed into the
// state-0 colour, without outlines. State is limited to 0..2. Manager nil:
// the default manager.
void DrawSectionText(TCanvas& Canvas, const String& Text, bool Enabled, const RECT& R, UINT Flags, int Section,
                     int State, TsSkinManager* Manager);
// Into a 32-bit bitmap with alpha, in the font selected into its DC; the
// outlines are drawn only in AlphaMode. Without a manager or a valid
// section, once in the DC's text colour.
void DrawSkinTextAlpha(TBitmap& Bmp, const String& Text, bool AlphaMode, const RECT& Rect, UINT Format, int Section,
                       int State, TsSkinManager* Manager);
