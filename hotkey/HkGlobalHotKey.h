#pragma once
// A system-wide key combination registered for a hidden window of our own:
// OnKeyDown runs on the GUI thread whichever program has the focus.
#include "framework/Control.h"
#include "framework/ShortCut.h"
#include "framework/UtilWindow.h"
#include "hotkey/HkCustomComponent.h"

#include <memory>


void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
UINT ShiftStateToHotKeyModifiers(TShiftState shift);

class THkGlobalHotKey : public THkCustomComponent {
 public:
  explicit THkGlobalHotKey(TComponent* owner);
  ~THkGlobalHotKey() override;

  bool Active() const { return FActive; }
  void SetActive(bool value);
  TShortCut HotKey() const { return FHotKey; }
  void SetHotKey(TShortCut value);
  // Whether the system granted the combination at the last registration;
  // false when another program holds it.
  bool Registered() const { return FRegistered; }
  TKeyEvent OnKeyDown;

  ATOM Identifier() const { return FIdentifier; }
  HWND WindowHandle() const { return FWindow ? FWindow->Handle() : nullptr; }

 private:
  void Register(TShortCut value);
  void Unregister();
  void WndProc(TMessage& m);

  bool FActive = false;
  ATOM FIdentifier = 0;
  TShortCut FHotKey = 0;
  bool FRegistered = false;
  std::unique_ptr<TUtilWindow> FWindow;
};
