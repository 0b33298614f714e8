#include "skin/effects/SkinChangeAnimation.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/SavedDC.h"
#include "framework/WinControl.h"
#include "skin/core/SkinUtils.h"
#include "skin/forms/ChildMessages.h"
#include "skin/forms/LayeredWindows.h"
#include "skin/forms/PaintToBitmap.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelEffects.h"
#include "skin/graphics/PixelRoutines.h"

namespace {

constexpr int kOverlayFrameTime = 24;
constexpr wchar_t kOutputClass[] = L"KelvraOutputWindow";

// A window that neither erases nor paints itself: it keeps whatever was
// copied onto it.
LRESULT CALLBACK OutputWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      ValidateRect(Wnd, nullptr);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

void RegisterOutputClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = OutputWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kOutputClass;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

struct TCover {
  HWND Overlay = nullptr;
  std::unique_ptr<TBitmap> Capture;
  void Free() {
    if (Overlay && IsWindow(Overlay)) DestroyWindow(Overlay);
    Overlay = nullptr;
    Capture.reset();
  }
};
TCover gCover;

bool Minimised(HWND Wnd) { return IsIconic(TopParentWnd(Wnd)); }

}  // namespace

std::vector<uint8_t> SkinChangeFadeWeights(uint16_t Time) {
  std::vector<uint8_t> weights;
  const int frames = Time / kOverlayFrameTime;
  if (frames <= 0) return weights;
  const double step = 255.0 / frames;
  for (double level = 255; level > 2; level = std::max(level - step, 0.0))
    weights.push_back(uint8_t(std::lround(level)));
  return weights;
}

HWND SkinChangeCoverWindow() { return gCover.Overlay && IsWindow(gCover.Overlay) ? gCover.Overlay : nullptr; }

void FreeSkinChangeCover() { gCover.Free(); }

void CaptureWindowCover(TWinControl* Control) {
  if (!Control || !Control->HandleAllocated()) return;
  HWND wnd = Control->Handle();
  // The control's own flag: a window whose redrawing is off has lost
  // WS_VISIBLE meanwhile.
  if (!Control->Visible() || Minimised(wnd)) return;
  RECT r;
  GetWindowRect(wnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!gCover.Capture) gCover.Capture = NewBitmap32(w, h);
  HDC screen = GetDC(nullptr);
  BitBlt(gCover.Capture->DC(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  HWND parent = Control->Parent() && Control->Parent()->HandleAllocated() ? Control->Parent()->Handle() : nullptr;
  if (!SkinChangeCoverWindow()) {
    RegisterOutputClass();
    gCover.Overlay = parent ? CreateWindowExW(0, kOutputClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                                              nullptr, GetModuleHandleW(nullptr), nullptr)
                            : CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kOutputClass, L"", WS_POPUP, 0, 0, 0,
                                              0, Application ? Application->Handle() : nullptr, nullptr,
                                              GetModuleHandleW(nullptr), nullptr);
  }
  if (!gCover.Overlay) return;
  if (parent) {
    SetWindowPos(gCover.Overlay, HWND_TOP, Control->Left(), Control->Top(), Control->Width(), Control->Height(),
                 SWP_NOACTIVATE);
    ShowWindow(gCover.Overlay, SW_SHOWNA);
  } else {
    SetWindowPos(gCover.Overlay, nullptr, r.left, r.top, w, h, SWP_NOACTIVATE | SWP_NOZORDER);
    SetWindowPos(gCover.Overlay, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
}

void AnimateFormChange(TWinControl* Form, uint16_t Time, [[maybe_unused]] uint8_t Alpha, [[maybe_unused]] uint8_t Mode,
                       TacFrameProc FrameProc) {
  // The road through layered windows, where Alpha and Mode count, needs the
  // form's skin provider, which keeps the old and new pictures; without one
  // the overlay road is taken.
  if (!Form || !Form->HandleAllocated()) return;
  HWND wnd = Form->Handle();
  if (!Form->Visible() || Minimised(wnd)) return;
  AnimationRunning = true;
  if (!SkinChangeCoverWindow()) CaptureWindowCover(Form);
  HWND overlay = SkinChangeCoverWindow();
  if (!overlay || !gCover.Capture) {
    AnimationRunning = false;
    SetWndRedraw(wnd, 1);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    FreeSkinChangeCover();
    return;
  }
  const bool child = (GetWindowLongPtrW(overlay, GWL_STYLE) & WS_CHILD) != 0;
  if (child) SetWindowPos(overlay, wnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RECT r;
  GetWindowRect(wnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  auto pic = NewBitmap32(w, h);
  {
    TSavedDC saved(pic->DC());
    PaintControlToBitmap(*pic, Form, 0, 0, nullptr, false);
  }
  auto work = NewBitmap32(w, h);
  HDC dc = GetWindowDC(overlay);
  // The captured picture has the size of the first capture: mixed only when
  // the form kept it.
  const bool sameSize = gCover.Capture->Width() == w && gCover.Capture->Height() == h;
  if (sameSize) {
    for (uint8_t weight : SkinChangeFadeWeights(Time)) {
      const DWORD start = GetTickCount();
      // The form or the overlay gone: no more frames.
      if (!IsWindow(wnd) || !IsWindow(overlay)) break;
      MixBitmapsByAmountOrMask(*work, *gCover.Capture, *pic, nullptr, weight);
      if (FrameProc) FrameProc(RECT{0, 0, w, h});
      if (!IsWindow(wnd) || !IsWindow(overlay)) break;
      BitBlt(dc, 0, 0, w, h, work->DC(), 0, 0, SRCCOPY);
      WaitUntilTick(start, kOverlayFrameTime);
    }
  }
  if (IsWindow(overlay)) BitBlt(dc, 0, 0, w, h, pic->DC(), 0, 0, SRCCOPY);
  AnimationRunning = false;
  // Form is touched again only while its window lives.
  if (IsWindow(wnd) && Form->Visible()) {
    if (!child && IsWindow(overlay)) {
      SetAlphaRect(*pic, RECT{0, 0, w, h}, 255);
      SetLayeredBitmap(overlay, pic.get(), 255, nullptr);
    }
    SetWndRedraw(wnd, 1);
    if (!child && IsWindow(overlay)) SetLayeredBitmap(overlay, pic.get(), 254, nullptr);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const bool layeredForm = (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (!layeredForm && IsWindow(overlay))
      SetWindowPos(overlay, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
  if (IsWindow(overlay)) ReleaseDC(overlay, dc);
  FreeSkinChangeCover();
}
