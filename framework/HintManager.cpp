#include "framework/HintManager.h"

#include "framework/Application.h"

namespace {
// How far below the cursor's hot spot the hint starts, so the cursor does
// not cover it.
int CursorHeightMargin() { return GetSystemMetrics(SM_CYCURSOR) * 3 / 4; }

RECT ScreenRectOf(TControl& control, RECT r) {
  const POINT tl = control.ClientToScreen({r.left, r.top});
  return {tl.x, tl.y, tl.x + (r.right - r.left), tl.y + (r.bottom - r.top)};
}
}  // namespace

TControl* HintControlOf(TControl* control) {
  while (control && !control->ShowHint()) control = control->Parent();
  return control && !control->Hint().empty() ? control : nullptr;
}

String GetShortHint(const String& hint) {
  const size_t bar = hint.find(L'|');
  return bar == String::npos ? hint : hint.substr(0, bar);
}

THintManager::THintManager(TApplication& application)
    : FApplication(application), FTimers([this](TMessage& m) {
        if (m.Msg == WM_TIMER)
          TimerFired(m.WParam);
        else
          m.Result = DefWindowProcW(FTimers.Handle(), m.Msg, m.WParam, m.LParam);
      }) {}

THintManager::~THintManager() {
  StopTimer(kShowTimer);
  StopTimer(kHideTimer);
}

void THintManager::StartTimer(TimerId id, UINT ms) { SetTimer(FTimers.Handle(), id, std::max<UINT>(ms, 1), nullptr); }

void THintManager::StopTimer(TimerId id) { KillTimer(FTimers.Handle(), id); }

void THintManager::TimerFired(UINT_PTR id) {
  StopTimer(static_cast<TimerId>(id));
  if (id == kHideTimer) {
    HideHint();
    return;
  }
  POINT p;
  if (GetCursorPos(&p)) ActivateHint(p);
}

void THintManager::MouseAt(POINT p, TControl* control) {
  TControl* hinted = FApplication.ShowHint() ? HintControlOf(control) : nullptr;
  if (hinted != FHintControl) {
    const bool wasShowing = FActive;
    HideHint();
    FHintControl = hinted;
    if (!hinted) return;
    // Moving from one hint to the next shows the next one almost at once.
    const bool recent = wasShowing || GetTickCount() - FLastHidden < FApplication.HintHidePause();
    StartTimer(kShowTimer, recent && FLastHidden ? FApplication.HintShortPause() : FApplication.HintPause());
    return;
  }
  if (FActive && !PtInRect(&FCursorRect, p)) {
    HideHint();
    FHintControl = nullptr;  // asked again at the next step, with a new cursor rectangle
  }
}

void THintManager::CheckMessage(const MSG& msg) {
  if (FActive && FWindow && FWindow->IsHintMsg(msg)) CancelHint();
}

THintWindow& THintManager::WindowOfCurrentClass() {
  // The class may have been replaced since the last hint (a skin took over
  // or gave the hints back).
  if (!FWindow || FWindowClass != HintWindowClass) {
    FWindow.reset();
    FWindowClass = HintWindowClass;
    // Owned by the manager alone: no component owner frees it behind its back.
    FWindow.reset((FWindowClass ? FWindowClass : &MakeHintWindow<THintWindow>)(nullptr));
  }
  return *FWindow;
}

void THintManager::ActivateHint(POINT p) {
  StopTimer(kShowTimer);
  TControl* control = HintControlOf(ControlAtPos(p));
  if (!control || !FApplication.ShowHint()) return;
  FHintControl = control;

  THintInfo info;
  info.HintControl = control;
  info.HintPos = {p.x, p.y + CursorHeightMargin()};
  info.HintMaxWidth = GetSystemMetrics(SM_CXSCREEN);
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(p);
  info.HintStr = GetShortHint(control->Hint());
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  String text = info.HintStr;
  if (canShow && FApplication.OnShowHint) FApplication.OnShowHint(text, canShow, info);
  // A handler may have freed the control or moved the hint elsewhere.
  if (FHintControl != control) return;
  if (!canShow || text.empty()) {
    HideHint();
    return;
  }
  THintWindow& window = WindowOfCurrentClass();
  window.SetColor(info.HintColor);
  RECT r = window.CalcHintRect(info.HintMaxWidth, text, info.HintData);
  OffsetRect(&r, info.HintPos.x, info.HintPos.y);
  FCursorRect = ScreenRectOf(*info.HintControl, info.CursorRect);
  FActive = true;
  window.ActivateHint(r, text);
  const int hide = info.HideTimeout > 0 ? info.HideTimeout : static_cast<int>(FApplication.HintHidePause());
  StartTimer(kHideTimer, hide);
  if (info.ReshowTimeout > 0) StartTimer(kShowTimer, info.ReshowTimeout);
}

void THintManager::HideHint() {
  StopTimer(kShowTimer);
  StopTimer(kHideTimer);
  if (!FActive) return;
  FActive = false;
  FLastHidden = GetTickCount();
  if (FWindow) FWindow->ReleaseHandle();
}

void THintManager::CancelHint() {
  HideHint();
  FHintControl = nullptr;
}

void THintManager::ForgetControl(TControl* control) {
  if (control == FHintControl) CancelHint();
}
