#pragma once
// A hidden window bound to a method: the receiver of timers, hot keys and
// hand-overs from other threads for objects that are not controls.
#include "framework/Messages.h"

#include <functional>

class TUtilWindow {
 public:
  using TMethod = std::function<void(TMessage&)>;
  explicit TUtilWindow(TMethod method);
  ~TUtilWindow();
  TUtilWindow(const TUtilWindow&) = delete;
  TUtilWindow& operator=(const TUtilWindow&) = delete;

  HWND Handle() const { return FHandle; }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
  TMethod FMethod;
};
