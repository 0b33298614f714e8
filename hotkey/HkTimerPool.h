#pragma once
// Many slow logical timers on one window timer: each fires every n-th tick of
// the pool's interval, optionally a limited number of times.
#include "framework/UtilWindow.h"
#include "hotkey/HkCustomComponent.h"

#include <memory>
#include <vector>

using THkTimerInterval = UINT;
using THkTimerPoolEvent = std::function<void(TObject* Sender, uint16_t Ident, int32_t Counter)>;

class THkTimerPool : public THkCustomComponent {
 public:
  explicit THkTimerPool(TComponent* owner) : THkCustomComponent(owner) {}
  ~THkTimerPool() override;

  THkTimerInterval MinInterval() const { return FMinInterval; }
  // Fixed once the pool runs: only while loading.
  void SetMinInterval(THkTimerInterval v) {
    if (Loading() || !FActive) FMinInterval = v;
  }
  THkTimerPoolEvent OnTimer;

  // Adds a logical timer that fires every divisor-th tick, at most repeatLimit
  // times (0 = no limit); returns its identifier.
  uint16_t AddTimer(uint16_t divisor, int32_t repeatLimit, std::function<void()> callback);
  void EnableTimer(uint16_t ident, bool enabled);
  int ActiveTimerCount() const;
  bool Active() const { return FActive; }
  void UpdateMainTimer(bool run);
  void Clear();

 private:
  struct TLogicalTimer {
    int32_t RepeatLimit = 0;
    int32_t Counter = 0;
    bool Enabled = true;
    uint16_t Ident = 0;
    uint16_t Divisor = 1;
    std::function<void()> Callback;
  };
  void WndProc(TMessage& m);
  void HandleTimers();

  THkTimerInterval FMinInterval = 1000;
  bool FActive = false;
  bool FInHandler = false;
  int32_t FTick = 1;
  uint16_t FNextIdent = 1;
  std::vector<TLogicalTimer> FTimers;
  std::unique_ptr<TUtilWindow> FWindow;
};
