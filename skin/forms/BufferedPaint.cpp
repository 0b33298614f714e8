#include "skin/forms/BufferedPaint.h"

#include "framework/Bitmap.h"
#include "framework/GdiHandles.h"
#include "framework/Graphics.h"
#include "skin/core/SkinUtils.h"
#include "skin/forms/FormUtilsBindings.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

// BPBF_TOPDOWNDIB of the theme library's buffered paint.
constexpr int kTopDownDib = 2;

bool BufferedPaintAvailable(bool MakesOpaque) {
  const TFormUtilsBindings& B = FormUtilsBindings();
  if (!B.BeginBufferedPaint || !B.EndBufferedPaint || (MakesOpaque && !B.BufferedPaintMakeOpaque)) return false;
  return IsWinVistaOrLater();
}

}  // namespace

void PaintClientOpaque(HWND Wnd, const RECT& R, uint32_t Color) {
  if (!BufferedPaintAvailable(true) || !IsWindow(Wnd)) return;
  const TFormUtilsBindings& B = FormUtilsBindings();
  const TWindowDC DC(Wnd);
  if (!DC.get()) return;
  HDC PaintDC = nullptr;
  HANDLE Buffer = B.BeginBufferedPaint(DC.get(), &R, kTopDownDib, nullptr, &PaintDC);
  if (!Buffer) return;
  FillRectOnDC(PaintDC, R, Color, 0);
  SendMessageW(Wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(PaintDC), PRF_CLIENT);
  B.BufferedPaintMakeOpaque(Buffer, &R);
  B.EndBufferedPaint(Buffer, TRUE);
}

void DrawBitmapBuffered(TCanvas& Canvas, TBitmap& Bmp, const RECT& R) {
  if (!BufferedPaintAvailable(false)) return;
  const TFormUtilsBindings& B = FormUtilsBindings();
  HDC PaintDC = nullptr;
  HANDLE Buffer = B.BeginBufferedPaint(Canvas.Handle(), &R, kTopDownDib, nullptr, &PaintDC);
  if (!Buffer) return;
  // A canvas of its own for the buffer: handing the caller's canvas another
  // DC would give back a DC that canvas made itself.
  TCanvas BufferCanvas(PaintDC);
  BufferCanvas.Draw(R.left, R.top, Bmp);
  B.EndBufferedPaint(Buffer, TRUE);
}
