#pragma once
// Off-screen images of controls: a control with its children and the
// siblings that overlap it, painted into a 32-bit bitmap through the
// bitmap's own DC. Skinned windows print themselves with the skin
// (AC_SETPRINTDC around WM_PRINT); the others paint the framework way.
// Children are placed by moving the DC's origin, each move bracketed by
// SaveDC / RestoreDC, also when painting raises.
#include <windows.h>

#include <vector>

#include "framework/Bitmap.h"

class TControl;
class TWinControl;

// What painting a form into a bitmap asks of the form's skin provider. The
// provider of form skinning answers it; until that exists callers pass
// nullptr.
class TacProviderPainting {
 public:
  virtual ~TacProviderPainting() = default;
  // The form shows an extended border window, whose image reaches beyond
  // the form's own rectangle: the bitmap is then not clipped to the form.
  virtual bool HasBorderForm() const = 0;
  // The form's client area in Bmp gets alpha 255.
  virtual void MakeClientOpaque(TBitmap& Bmp) = 0;
};

// The control and its children at the DC's current origin. A hidden control
// at run time (with a parent and without a provider) is not painted: its
// place at (X, Y) shows the parent's background instead. With a provider
// the form's window is told of its new image (AC_NEWFORMCACHE).
void PaintControlToBitmap(TBitmap& Bmp, TControl* Control, int X, int Y, TacProviderPainting* Provider,
                          bool PaintSiblings);
// Each visible windowed child that has a window, at its position.
void PaintChildrenToBitmap(TWinControl* Container, TBitmap& Bmp);
// The visible later siblings whose bounds overlap the control's (edges
// that only touch count), placed relative to the control's top-left.
void PaintOverlappingSiblings(TControl* Control, TBitmap& Bmp);

// The framework's way: the control's background and its children, then
// alpha 255 over the whole bitmap.
void PaintWinControlTo(TBitmap& Bmp, TWinControl* Control);
// Windowed children by PaintTo and recursively, visible graphic children by
// WM_PAINT, each at its position.
void PaintWinChildrenTo(TWinControl* Container, TBitmap& Bmp);
// What the control covers: a graphic control's area as its parent shows it.
void PaintControlArea(TBitmap& Bmp, TControl* Control);

// Each rectangle becomes colour 0 with alpha 0.
void ClearBitmapRects(const std::vector<RECT>& Rects, TBitmap& Bmp);
