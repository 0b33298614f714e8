#include "hotkey/HkTimerPool.h"

#include "framework/Application.h"

namespace {
constexpr UINT_PTR kMainTimerId = 1;
}

THkTimerPool::~THkTimerPool() { Clear(); }

uint16_t THkTimerPool::AddTimer(uint16_t divisor, int32_t repeatLimit, std::function<void()> callback) {
  TLogicalTimer t;
  t.Ident = FNextIdent++;
  t.Divisor = divisor ? divisor : 1;
  t.RepeatLimit = repeatLimit;
  t.Callback = std::move(callback);
  FTimers.push_back(std::move(t));
  UpdateMainTimer(true);
  return FTimers.back().Ident;
}

void THkTimerPool::EnableTimer(uint16_t ident, bool enabled) {
  for (auto& t : FTimers)
    if (t.Ident == ident) t.Enabled = enabled;
  UpdateMainTimer(true);
}

int THkTimerPool::ActiveTimerCount() const {
  int n = 0;
  for (const auto& t : FTimers) n += t.Enabled ? 1 : 0;
  return n;
}

void THkTimerPool::UpdateMainTimer(bool run) {
  if (run && !FWindow) FWindow = std::make_unique<TUtilWindow>([this](TMessage& m) { WndProc(m); });
  FActive = false;
  if (FWindow) KillTimer(FWindow->Handle(), kMainTimerId);
  if (run && ActiveTimerCount() > 0) {
    if (!SetTimer(FWindow->Handle(), kMainTimerId, FMinInterval, nullptr))
      throw EOutOfResources(L"Not enough timers available");
    FTick = 1;
    FActive = true;
  }
}

void THkTimerPool::WndProc(TMessage& m) {
  if (m.Msg != WM_TIMER) {
    m.Result = DefWindowProcW(FWindow->Handle(), m.Msg, m.WParam, m.LParam);
    return;
  }
  if (FInHandler) return;
  FInHandler = true;
  try {
    HandleTimers();
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
  FInHandler = false;
}

void THkTimerPool::HandleTimers() {
  bool anyStopped = false;
  for (size_t i = 0; i < FTimers.size(); ++i) {
    TLogicalTimer& t = FTimers[i];
    if (!t.Enabled || FTick % t.Divisor != 0) continue;
    t.Counter = t.Counter == INT32_MAX ? 0 : t.Counter + 1;
    if (t.RepeatLimit > 0 && t.Counter >= t.RepeatLimit) {
      t.Enabled = false;
      anyStopped = true;
    }
    const uint16_t ident = t.Ident;
    const int32_t counter = t.Counter;
    if (t.Callback)
      t.Callback();
    else if (OnTimer)
      OnTimer(this, ident, counter);
  }
  FTick = FTick == INT32_MAX ? 0 : FTick + 1;
  if (anyStopped && ActiveTimerCount() == 0) UpdateMainTimer(false);
}

void THkTimerPool::Clear() {
  if (FWindow) KillTimer(FWindow->Handle(), kMainTimerId);
  FActive = false;
  FTimers.clear();
}
