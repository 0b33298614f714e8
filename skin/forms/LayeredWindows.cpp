#include "skin/forms/LayeredWindows.h"

#include "framework/Bitmap.h"
#include "skin/core/SkinUtils.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

void ChangeStyle(HWND Wnd, int Index, LONG_PTR Add, LONG_PTR Remove) {
  const LONG_PTR style = GetWindowLongPtrW(Wnd, Index);
  const LONG_PTR changed = (style | Add) & ~Remove;
  if (changed != style) SetWindowLongPtrW(Wnd, Index, changed);
}

}  // namespace

bool SetWindowAlpha(HWND Wnd, bool Layered, uint8_t Alpha) {
  if (!Layered || !LayeredWindowsAvailable()) {
    ChangeStyle(Wnd, GWL_STYLE, 0, WS_VISIBLE);
    ChangeStyle(Wnd, GWL_EXSTYLE, 0, WS_EX_LAYERED);
    return false;
  }
  const bool added = (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0;
  if (added) ChangeStyle(Wnd, GWL_EXSTYLE, WS_EX_LAYERED, 0);
  if (auto setAttributes = GraphUtilsBindings().SetLayeredWindowAttributes)
    setAttributes(Wnd, 0x1FFFFFFF, Alpha, LWA_ALPHA);
  return added;
}

void SetLayeredBitmap(HWND Wnd, TBitmap* Bmp, uint8_t Alpha, const POINT* Position) {
  if (!LayeredWindowsAvailable()) return;
  RECT r{};
  GetWindowRect(Wnd, &r);
  std::unique_ptr<TBitmap> cleared;
  if (!Bmp) {
    cleared = NewBitmap32OfRect(r);
    Bmp = cleared.get();
  }
  if ((GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) {
    // Without composition the window would show its old content for a
    // moment as a layered window: hide it and let the desktop repaint
    // beneath it first.
    const bool composed = IsDwmCompositionEnabled();
    if (!composed) ChangeStyle(Wnd, GWL_STYLE, 0, WS_VISIBLE);
    ChangeStyle(Wnd, GWL_EXSTYLE, WS_EX_LAYERED, 0);
    if (!composed) {
      RedrawWindow(GetDesktopWindow(), &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      ChangeStyle(Wnd, GWL_STYLE, WS_VISIBLE, 0);
    }
  }
  ChangeStyle(Wnd, GWL_EXSTYLE, WS_EX_LAYERED, 0);
  BLENDFUNCTION blend;
  InitBlendFunction(blend, Alpha);
  const POINT where = Position ? *Position : POINT{r.left, r.top};
  UpdateLayeredWindowFromBitmap(Wnd, *Bmp, SIZE{Bmp->Width(), Bmp->Height()}, blend, where);
}
