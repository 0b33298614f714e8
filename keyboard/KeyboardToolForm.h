#pragma once
// The pop-up keyboard's window: a topmost tool window owned by the form it
// serves, which never takes the activation, so the focused control keeps the
// focus and receives the keys.
#include "framework/Form.h"

class TKeyboardToolForm : public TForm {
 public:
  TKeyboardToolForm(TComponent* owner, TForm* ownerForm);

  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool v) { FShowClose = v; }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v) { FShowCaption = v; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  TForm* FOwnerForm;
  bool FShowClose = true;
  bool FShowCaption = true;
};
