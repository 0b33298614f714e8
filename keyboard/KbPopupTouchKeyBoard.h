#pragma once
// The touch keyboard in a pop-up tool window: shown at a screen point, kept
// out of the activation, optionally following the focused text field.
#include "framework/Timer.h"
#include "keyboard/KbTouchKeyboard.h"
#include "keyboard/KeyboardToolForm.h"

class TKbPopupTouchKeyBoard : public TComponent {
 public:
  explicit TKbPopupTouchKeyBoard(TComponent* owner);
  ~TKbPopupTouchKeyBoard() override;

  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v) { FShowCaption = v; }
  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool v) { FShowClose = v; }
  bool AutoFollowFocus() const { return FAutoFollowFocus; }
  void SetAutoFollowFocus(bool v) { FAutoFollowFocus = v; }
  bool AutoHide() const { return FAutoHide; }
  void SetAutoHide(bool v) { FAutoHide = v; }
  bool AutoPostKey() const { return FAutoPostKey; }
  void SetAutoPostKey(bool v) { FAutoPostKey = v; }
  bool AutoCapsDisplay() const { return FAutoCapsDisplay; }
  void SetAutoCapsDisplay(bool v) { FAutoCapsDisplay = v; }
  TColor HighlightCaps() const { return FHighlightCaps; }
  void SetHighlightCaps(TColor v) { FHighlightCaps = v; }
  TColor HighlightAltGr() const { return FHighlightAltGr; }
  void SetHighlightAltGr(TColor v) { FHighlightAltGr = v; }
  TKeyboardType KeyboardType() const { return FKeyboardType; }
  void SetKeyboardType(TKeyboardType v) { FKeyboardType = v; }

  TNotifyEvent OnClose;
  TNotifyEvent OnShow;
  TNotifyEvent OnKeyboardCreated;

  // Shows the tool window with its top-left corner at the screen point.
  void ShowKeyboardAt(int x, int y);
  // Destroys the tool window and the keyboard on it.
  void HideKeyboard();

  TKeyboardToolForm* ToolForm() const { return FToolForm; }
  TKbTouchKeyboard* Keyboard() const { return FKeyboard; }
  POINT LastPosition() const { return FLastPosition; }
  TTimer* FollowTimer() const { return FFollowTimer; }
  // Where the follow timer puts the keyboard for a focused window with the
  // given screen rectangle on a monitor with the given work area.
  static POINT FollowPosition(const RECT& focused, const RECT& workArea, SIZE tool);

 protected:
  virtual void CreateKeyboardForm();
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void FitSize();
  void FollowFocus();
  void ToolFormClosed();

  bool FShowCaption = true;
  bool FShowClose = true;
  bool FAutoFollowFocus = false;
  bool FAutoHide = false;
  bool FAutoPostKey = true;
  bool FAutoCapsDisplay = false;
  TColor FHighlightCaps = clNone;
  TColor FHighlightAltGr = clNone;
  TKeyboardType FKeyboardType = TKeyboardType::ktQWERTY;

  TForm* FOwnerForm = nullptr;
  TKeyboardToolForm* FToolForm = nullptr;
  TKbTouchKeyboard* FKeyboard = nullptr;
  POINT FLastPosition{-1, -1};
  bool FSizing = false;
  TTimer* FFollowTimer;
};
