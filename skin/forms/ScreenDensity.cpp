#include "skin/forms/ScreenDensity.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GdiHandles.h"
#include "skin/core/SkinUtils.h"
#include "skin/forms/FormUtilsBindings.h"

namespace {

// MDT_EFFECTIVE_DPI of the monitor query.
constexpr int kEffectiveDpi = 0;

// 0 when the monitor or the function gives no answer.
int MonitorDPI(HMONITOR Monitor, TGetDpiForMonitor GetDpi) {
  UINT x = 0, y = 0;
  if (!Monitor || !GetDpi || FAILED(GetDpi(Monitor, kEffectiveDpi, &x, &y))) return 0;
  return int(y);
}

}  // namespace

int DPIOfScreen() {
  const TWindowDC screen;
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int WndDPIWith(HWND Wnd, bool Win10OrLater, TGetDpiForMonitor GetDpi) {
  if (!Win10OrLater) return DPIOfScreen();
  const int dpi = MonitorDPI(MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST), GetDpi);
  return dpi ? dpi : kDefaultPPI;
}

int WndDPI(HWND Wnd) { return WndDPIWith(Wnd, IsWin10OrLater(), FormUtilsBindings().GetDpiForMonitor); }

int ComponentDPIWith(TComponent* Component, bool Win10OrLater, TGetDpiForMonitor GetDpi) {
  if (!Win10OrLater || !Component) return DPIOfScreen();
  auto* windowed = dynamic_cast<TWinControl*>(Component);
  if (!windowed) {
    auto* control = dynamic_cast<TControl*>(Component);
    windowed = control ? control->Parent() : nullptr;
    if (!windowed) return kDefaultPPI;
  }
  HWND wnd = windowed->HandleIfAllocated();
  if (!wnd) return DPIOfScreen();
  HMONITOR monitor = MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST);
  if (!monitor) return DPIOfScreen();
  const int dpi = MonitorDPI(monitor, GetDpi);
  return dpi ? dpi : kDefaultPPI;
}

int ComponentDPI(TComponent* Component) {
  return ComponentDPIWith(Component, IsWin10OrLater(), FormUtilsBindings().GetDpiForMonitor);
}

void EnableNCDpiScaling(HWND Wnd) {
  if (!IsWin10OrLater()) return;
  const UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  HMODULE user = LoadLibraryW(L"user32.dll");
  SetErrorMode(oldMode);
  if (!user) return;
  using TEnable = BOOL(WINAPI*)(HWND);
  auto enable = reinterpret_cast<TEnable>(reinterpret_cast<void*>(GetProcAddress(user, "EnableNonClientDpiScaling")));
  if (enable && !enable(Wnd)) ApiFailureHook();
  FreeLibrary(user);
}
