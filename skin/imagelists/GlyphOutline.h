#pragma once
// A glyph's outline as straight strokes, read from the font, for drawing
// glyphs as filled polygons at any size and angle.
#include <windows.h>

#include <vector>

#include "framework/System.h"

struct TacStroke {
  int Contour;
  double X1, Y1, X2, Y2;
};

class TacStrokeCollection {
 public:
  void Add(int contour, double x1, double y1, double x2, double y2) { FStrokes.push_back({contour, x1, y1, x2, y2}); }
  void Clear() { FStrokes.clear(); }
  int Count() const { return static_cast<int>(FStrokes.size()); }
  const TacStroke& operator[](int i) const { return FStrokes[i]; }
  // Left, top (lowest y), right, bottom of every point; all 0 when empty.
  void Bounds(double& left, double& top, double& right, double& bottom) const;
  // The last stroke's contour + 1; 0 when empty.
  int ContourCount() const { return FStrokes.empty() ? 0 : FStrokes.back().Contour + 1; }
  int StrokeCount(int contour) const;
  // Index of the contour's first stroke, -1 when it has none.
  int FirstStroke(int contour) const;

 private:
  std::vector<TacStroke> FStrokes;
};

// The outline of Char in the font at size 512 (font units, y upwards).
// False with the strokes empty when the font has no outline for it or
// holds a polygon of an unknown kind.
bool ReadGlyphOutline(HFONT font, wchar_t ch, TacStrokeCollection& strokes);
