#pragma once
// The window a hint is shown in, and the class the application makes it
// from. A skin replaces the class; the application's hint manager only ever
// calls CalcHintRect and ActivateHint on whatever window it got.
#include "framework/WinControl.h"

class THintWindow;

// What the hint manager is about to show; CM_HINTSHOW and OnShowHint may
// change any of it.
struct THintInfo {
  TControl* HintControl = nullptr;
  POINT HintPos{};  // screen point of the hint window's top-left
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  RECT CursorRect{};      // in HintControl's client coordinates; leaving it hides the hint
  POINT CursorPos{};      // in HintControl's client coordinates
  int ReshowTimeout = 0;  // > 0: ask again after that many milliseconds
  int HideTimeout = 0;    // 0: the application's HintHidePause
  String HintStr;
  void* HintData = nullptr;
};

class THintWindow : public TWinControl {
 public:
  explicit THintWindow(TComponent* owner);

  // The size the hint needs at the origin; the manager moves it into place.
  virtual RECT CalcHintRect(int maxWidth, const String& hint, void* data);
  // Shows the hint at rect (screen coordinates) without taking the focus.
  virtual void ActivateHint(RECT rect, const String& hint);
  // Hides the window and lets it go.
  virtual void ReleaseHandle();
  bool IsHintMsg(const MSG& msg) const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& message) override;
};

// Makes a hint window owned by owner. The global hint window class is one of
// these: HintWindowClass = &MakeHintWindow<TMyHintWindow>.
using THintWindowClass = THintWindow* (*)(TComponent* owner);

template <class T>
THintWindow* MakeHintWindow(TComponent* owner) {
  return new T(owner);
}

// The class the application makes its hint window from; changing it takes
// effect at the next hint.
extern THintWindowClass HintWindowClass;
