#include "skin/effects/EffectWindow.h"

#include "framework/Bitmap.h"
#include "skin/graphics/ColorAdjust.h"

namespace {

constexpr wchar_t kClassName[] = L"TacGlowForm";

LRESULT CALLBACK EffectWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProcW(Wnd, Msg, WParam, LParam);
  }
}

void RegisterEffectClass() {
  static const bool Registered = [] {
    WNDCLASSEXW Class{};
    Class.cbSize = sizeof(Class);
    Class.lpfnWndProc = EffectWndProc;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.lpszClassName = kClassName;
    return RegisterClassExW(&Class) != 0;
  }();
  (void)Registered;
}

}  // namespace

TacEffectWindow::~TacEffectWindow() { Destroy(); }

HWND TacEffectWindow::Handle() {
  if (FHandle && IsWindow(FHandle)) return FHandle;
  RegisterEffectClass();
  FHandle = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClassName, L"",
                            WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  return FHandle;
}

void TacEffectWindow::Show(TBitmap& Image, POINT Position, uint8_t Opacity, HWND InsertAfter) {
  const HWND Wnd = Handle();
  if (!Wnd) return;
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, Opacity, AC_SRC_ALPHA};
  UpdateLayeredWindowFromBitmap(Wnd, Image, SIZE{Image.Width(), Image.Height()}, Blend, Position);
  // No size, no redraw, no activation, show, no owner z-order, no changing message.
  SetWindowPos(Wnd, InsertAfter, Position.x, Position.y, 0, 0,
               SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void TacEffectWindow::SetOpacity(uint8_t Opacity) {
  if (!FHandle) return;
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, Opacity, AC_SRC_ALPHA};
  UpdateLayeredWindow(FHandle, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &Blend, ULW_ALPHA);
}

void TacEffectWindow::Hide() {
  if (FHandle) ShowWindow(FHandle, SW_HIDE);
}

void TacEffectWindow::Destroy() {
  if (!FHandle) return;
  if (IsWindow(FHandle)) DestroyWindow(FHandle);
  FHandle = nullptr;
}

HWND InsertAfterFor(HWND Wnd) {
  if (!Wnd || (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) return HWND_TOPMOST;
  const HWND Before = GetWindow(Wnd, GW_HWNDPREV);
  return Before ? Before : Wnd;
}
