#include "framework/Timer.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  FWindow = std::make_unique<TUtilWindow>([this](TMessage& m) {
    if (m.Msg == WM_TIMER)
      Timer();
    else
      m.Result = DefWindowProcW(FWindow->Handle(), m.Msg, m.WParam, m.LParam);
  });
  // Enabled with an interval by default: a timer made at run time runs now,
  // one made by a form builder when the form has loaded.
  UpdateTimer();
}

TTimer::~TTimer() {
  Destroying_();
  KillIt();
}

void TTimer::KillIt() {
  if (FRunning) KillTimer(FWindow->Handle(), kTimerId);
  FRunning = false;
}

void TTimer::UpdateTimer() {
  KillIt();
  if (Loading() || !FEnabled || FInterval == 0) return;
  if (!SetTimer(FWindow->Handle(), kTimerId, FInterval, nullptr)) throw EOutOfResources(L"Not enough timers available");
  FRunning = true;
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(UINT interval) {
  if (interval == FInterval) return;
  FInterval = interval;
  UpdateTimer();
}

void TTimer::Timer() {
  if (FEnabled && OnTimer) OnTimer(this);
}
