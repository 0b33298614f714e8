#include "hotkey/HkGlobalHotKey.h"

#include "framework/Application.h"

#include <string>

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = 0;
  if (shortCut & scShift) shift |= ssShift;
  if (shortCut & scCtrl) shift |= ssCtrl;
  if (shortCut & scAlt) shift |= ssAlt;
}

UINT ShiftStateToHotKeyModifiers(TShiftState shift) {
  UINT modifiers = 0;
  if (shift & ssCtrl) modifiers |= MOD_CONTROL;
  if (shift & ssAlt) modifiers |= MOD_ALT;
  if (shift & ssShift) modifiers |= MOD_SHIFT;
  return modifiers;
}

THkGlobalHotKey::THkGlobalHotKey(TComponent* owner) : THkCustomComponent(owner) {
  // An atom made from our address is unique while we live and lies in the
  // range the system keeps for hot key identifiers of programs.
  FIdentifier = GlobalAddAtomA(std::to_string(reinterpret_cast<uintptr_t>(this)).c_str());
  FWindow = std::make_unique<TUtilWindow>([this](TMessage& m) { WndProc(m); });
  FActive = true;
}

THkGlobalHotKey::~THkGlobalHotKey() {
  if (FHotKey != 0) SetHotKey(0);
  if (FIdentifier) GlobalDeleteAtom(FIdentifier);
  FWindow.reset();
}

void THkGlobalHotKey::Register(TShortCut value) {
  WORD key;
  TShiftState shift;
  ShortCutToKey(value, key, shift);
  FRegistered = RegisterHotKey(FWindow->Handle(), FIdentifier, ShiftStateToHotKeyModifiers(shift), key) != FALSE;
}

void THkGlobalHotKey::Unregister() {
  UnregisterHotKey(FWindow->Handle(), FIdentifier);
  FRegistered = false;
}

void THkGlobalHotKey::SetHotKey(TShortCut value) {
  if (value == FHotKey) return;
  if (FActive) {
    if (value != 0)
      Register(value);
    else if (FHotKey != 0)
      Unregister();
  }
  FHotKey = value;
}

void THkGlobalHotKey::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (value)
    Register(FHotKey);
  else if (FHotKey != 0)
    Unregister();
}

void THkGlobalHotKey::WndProc(TMessage& m) {
  if (m.Msg == WM_HOTKEY) {
    if (OnKeyDown) {
      WORD key;
      TShiftState shift;
      ShortCutToKey(FHotKey, key, shift);
      try {
        OnKeyDown(this, key, shift);
      } catch (...) {
        if (Application) Application->HandleException(this);
      }
    }
    m.Result = 0;
    return;
  }
  m.Result = DefWindowProcA(FWindow->Handle(), m.Msg, m.WParam, m.LParam);
}
