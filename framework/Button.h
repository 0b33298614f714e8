#pragma once
// Push buttons and check boxes over the system BUTTON class.
#include "framework/WinControl.h"

constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO;

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  int ModalResult() const { return FModalResult; }
  void SetModalResult(int v) { FModalResult = v; }
  bool Default() const { return FDefault; }
  void SetDefault(bool v) { FDefault = v; }
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  int FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
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
