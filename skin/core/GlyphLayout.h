#pragma once
// Where a button puts its glyph and its caption.
#include <windows.h>

#include <cstdint>

// Flags of LayoutGlyphAndCaption.
constexpr uint8_t acLayoutRightToLeft = 2;

// Layout: 0 glyph left of the text, 1 right, 2 above, 3 below. Alignment:
// 0 left, 1 right, 2 centre; VerticalAlignment: 0 top, 1 bottom, 2 centre.
// Margin and Spacing -1 are worked out from the free space. GlyphPos and
// TextRect come back in R's coordinates; GlyphPos keeps the caller's value
// on an axis the layout does not place it on.
void LayoutGlyphAndCaption(const RECT& R, POINT GlyphSize, POINT TextSize, uint8_t Layout, uint8_t Alignment,
                           int Margin, int Spacing, POINT& GlyphPos, RECT& TextRect, uint8_t Flags,
                           uint8_t VerticalAlignment);
