#pragma once
// A window-message timer: OnTimer runs on the thread that made the timer,
// from its message loop.
#include "framework/Component.h"
#include "framework/UtilWindow.h"

#include <memory>

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  UINT Interval() const { return FInterval; }
  void SetInterval(UINT interval);
  TNotifyEvent OnTimer;

 protected:
  void Loaded() override { UpdateTimer(); }
  virtual void Timer();

 private:
  void UpdateTimer();
  void KillIt();
  bool FEnabled = true;
  UINT FInterval = 1000;
  bool FRunning = false;
  std::unique_ptr<TUtilWindow> FWindow;
};
