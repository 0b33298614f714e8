#pragma once
// Drawing a picture at another size while its corners keep theirs: the
// framed skin images fitted to controls of any size.
#include <windows.h>

#include "framework/Bitmap.h"

// SrcRect of Src into DstRect of Dst. Corners (Margins, but at most half of
// DstRect each) are copied 1:1; edges (InnerMargins thick where they are
// thinner than Margins) are stretched where EdgeModes' side is odd and
// tiled where it is even; the centre, when DrawCenter, is stretched or
// tiled. Everything is cut to both bitmaps by GDI.
void StretchBitmapByMargins(TBitmap& Dst, TBitmap& Src, const RECT& DstRect, const RECT& SrcRect, const RECT& Margins,
                            const RECT& InnerMargins, const RECT& EdgeModes, bool StretchCenter, bool DrawCenter);

// Bmp drawn into R of a device context with its alpha (stretched when R
// is of another size), and with a fading mirror image below R when
// Reflection. A picture that is not 32-bit is simply stretched.
void DrawBitmapOnCanvasAlpha(HDC DC, TBitmap& Bmp, const RECT& R, bool Reflection);
