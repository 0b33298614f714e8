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
// Which side the caption takes: taRightJustify puts the box at the left.
enum class TLeftRight { taLeftJustify, taRightJustify };

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return FState == TCheckBoxState::cbChecked; }
  // A new value runs Click, as a user's click does.
  virtual void SetChecked(bool checked);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState state);
  // A user's click passes through cbGrayed on the way to cbChecked.
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool v) { FAllowGrayed = v; }
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  // Takes the size CanAutoSize answers, when AutoSize is on.
  void AdjustSize();

  // Tells of the change (CM_CHANGED) before OnClick runs.
  void Click() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;
  // The user's click: the next state in the box's cycle.
  virtual void Toggle();
  // The size that shows the box and the whole caption; false keeps the size.
  virtual bool CanAutoSize(int& newWidth, int& newHeight);
  // Alignment with the reading order applied.
  TLeftRight ControlsAlignment() const;
  // While set, a state change runs no Click.
  bool FClicksDisabled = false;

 private:
  TCheckBoxState FState = TCheckBoxState::cbUnchecked;
  bool FAllowGrayed = false;
  TLeftRight FAlignment = TLeftRight::taRightJustify;
  bool FWordWrap = false;
  bool FAutoSize = false;
};
