#include "skin/graphics/CopyArea.h"

#include <algorithm>

#include "skin/graphics/Bitmap32.h"

bool ClipCopyArea(int DstW, int DstH, int SrcW, int SrcH, RECT SrcRect, POINT DstPoint, TCopyArea& Area) {
  if (SrcRect.left < 0) DstPoint.x -= SrcRect.left, SrcRect.left = 0;
  if (SrcRect.top < 0) DstPoint.y -= SrcRect.top, SrcRect.top = 0;
  if (DstPoint.x < 0) SrcRect.left -= DstPoint.x, DstPoint.x = 0;
  if (DstPoint.y < 0) SrcRect.top -= DstPoint.y, DstPoint.y = 0;
  const LONG W = std::min<LONG>({SrcRect.right, SrcW, SrcRect.left + DstW - DstPoint.x}) - SrcRect.left;
  const LONG H = std::min<LONG>({SrcRect.bottom, SrcH, SrcRect.top + DstH - DstPoint.y}) - SrcRect.top;
  if (W <= 0 || H <= 0) return false;
  Area = TCopyArea{int(SrcRect.left), int(SrcRect.top), int(DstPoint.x), int(DstPoint.y), int(W), int(H)};
  return true;
}

bool ClipCopyArea(const TBitmap& Dst, const TBitmap& Src, RECT SrcRect, POINT DstPoint, TCopyArea& Area) {
  return ClipCopyArea(Dst.Width(), Dst.Height(), Src.Width(), Src.Height(), SrcRect, DstPoint, Area);
}

bool ClipCopyAreaInclusive(const TBitmap& Dst, const TBitmap& Src, RECT SrcRect, POINT DstPoint, TCopyArea& Area) {
  // An inverted rectangle stays empty rather than growing by one.
  if (SrcRect.right < SrcRect.left || SrcRect.bottom < SrcRect.top) return false;
  ++SrcRect.right, ++SrcRect.bottom;
  return ClipCopyArea(Dst, Src, SrcRect, DstPoint, Area);
}

bool ClipCopyRects(const TBitmap& Dst, const TBitmap& Src, const RECT& DstRect, const RECT& SrcRect, TCopyArea& Area) {
  const LONG W = std::min(DstRect.right - DstRect.left, SrcRect.right - SrcRect.left);
  const LONG H = std::min(DstRect.bottom - DstRect.top, SrcRect.bottom - SrcRect.top);
  if (W <= 0 || H <= 0) return false;
  return ClipCopyArea(Dst, Src, RECT{SrcRect.left, SrcRect.top, SrcRect.left + W, SrcRect.top + H},
                      POINT{DstRect.left, DstRect.top}, Area);
}

TBackgroundPixels BackgroundPixels(TBitmap* Bmp) {
  TBackgroundPixels p;
  if (Bmp && PrepareScanlineWalk(Bmp, p.Row0, p.Step)) p.Width = Bmp->Width(), p.Height = Bmp->Height();
  return p;
}
