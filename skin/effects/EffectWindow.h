#pragma once
// The window a glow, a circle or a flying label is shown on: a layered
// popup above the forms that never takes the mouse nor the focus, so the
// control beneath keeps getting its clicks.
#include <windows.h>

#include <cstdint>

class TBitmap;

class TacEffectWindow {
 public:
  TacEffectWindow() = default;
  ~TacEffectWindow();
  TacEffectWindow(const TacEffectWindow&) = delete;
  TacEffectWindow& operator=(const TacEffectWindow&) = delete;

  // Made on first use; nil when the system refuses the window.
  HWND Handle();
  HWND HandleIfAllocated() const { return FHandle; }
  // Image (premultiplied) becomes the content at Position, with Opacity
  // over its per-pixel alpha; the window is placed after InsertAfter in
  // z-order and shown without activation.
  void Show(TBitmap& Image, POINT Position, uint8_t Opacity, HWND InsertAfter);
  // Only the constant alpha changes; the content stays.
  void SetOpacity(uint8_t Opacity);
  void Hide();
  void Destroy();

 private:
  HWND FHandle = nullptr;
};

// Where an effect window goes in z-order to float right above Wnd: the
// window before it, Wnd itself when none, topmost when Wnd is topmost or nil.
HWND InsertAfterFor(HWND Wnd);
