#pragma once
// Push buttons and check boxes over the system BUTTON class.
#include "framework/WinControl.h"

constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO;

// Enter clicks the button that acts as the form's default (the focused
// button, else the Default one) and Escape the Cancel one (CM_DIALOGKEY); a
// click hands the ModalResult to the form, which ends ShowModal with it.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  int ModalResult() const { return FModalResult; }
  void SetModalResult(int v) { FModalResult = v; }
  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  // Acts as the form's default button now: Enter clicks it.
  bool Active() const { return FActive; }

  void Click() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  // Shows (or stops showing) the default button's look. Owner-drawn
  // descendants keep their style and draw the look themselves.
  virtual void SetButtonStyle(bool isDefault);

 private:
  int FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;
  bool FStyleDefault = false;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return FState == TCheckBoxState::cbChecked; }
  // A new value runs Click, as a user's click does.
  void SetChecked(bool checked);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState state);

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  TCheckBoxState FState = TCheckBoxState::cbUnchecked;
};
