#pragma once
// Drawing a picture turned by whole degrees through a parallelogram blit.
#include <windows.h>

#include <initializer_list>

#include "framework/Bitmap.h"

// Four corners of a rectangle (top-left, top-right, bottom-right,
// bottom-left) that can be turned about their centre.
class TPrlgram {
 public:
  // At most the first four points are taken.
  explicit TPrlgram(std::initializer_list<POINT> Points);
  // Rounded; (0, 0) for an index past the fourth point.
  POINT GetPoint(int Index) const;
  // Counter-clockwise on screen (y downwards) by Angle degrees about the
  // midpoint of points 0 and 2; any angle is taken modulo 360.
  void Rotate(int Angle);

 private:
  struct TRealPoint {
    double X = 0, Y = 0;
  };
  TRealPoint FPoints[4];
};

// The whole of Bmp centred at Centre, turned clockwise by Angle + 90
// degrees (callers that want a plain turn by A pass A - 90). Any angle is
// taken modulo 360.
void DrawBitmapRotated(HDC DC, TBitmap& Bmp, POINT Centre, int Angle);
