#pragma once
// The application's hints: which control the mouse rests on, when its hint
// shows and hides, and the one hint window, made from HintWindowClass. Runs
// on the GUI thread from the idle step and the message loop; it never
// subclasses a control, so window-less controls have hints too.
#include "framework/HintWindow.h"
#include "framework/UtilWindow.h"

#include <memory>

class TApplication;

class THintManager {
 public:
  explicit THintManager(TApplication& application);
  ~THintManager();
  THintManager(const THintManager&) = delete;
  THintManager& operator=(const THintManager&) = delete;

  // The idle step: the mouse rests at screen point p over control (or over
  // none of ours).
  void MouseAt(POINT p, TControl* control);
  // A message about to be dispatched: a click or a key hides the hint.
  void CheckMessage(const MSG& msg);
  // Shows the hint of the control under p now, if it has one.
  void ActivateHint(POINT p);
  void HideHint();
  void CancelHint();
  void ForgetControl(TControl* control);

  THintWindow* Window() const { return FActive ? FWindow.get() : nullptr; }
  TControl* HintControl() const { return FHintControl; }

 private:
  enum TimerId : UINT_PTR { kShowTimer = 1, kHideTimer = 2 };
  void TimerFired(UINT_PTR id);
  void StartTimer(TimerId id, UINT ms);
  void StopTimer(TimerId id);
  THintWindow& WindowOfCurrentClass();

  TApplication& FApplication;
  TUtilWindow FTimers;
  std::unique_ptr<THintWindow> FWindow;
  THintWindowClass FWindowClass = nullptr;
  TControl* FHintControl = nullptr;  // the control whose hint is due or showing
  bool FActive = false;              // a hint is showing
  RECT FCursorRect{};                // screen; leaving it hides the hint
  DWORD FLastHidden = 0;             // tick of the last hide, for the short pause
};

// The control whose hint shows for control: itself or the nearest parent
// with ShowHint; nullptr when that one has no hint text.
TControl* HintControlOf(TControl* control);
// The part of a hint before "|", which shows in the hint window.
String GetShortHint(const String& hint);
