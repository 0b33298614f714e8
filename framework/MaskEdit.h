#pragma once
// The base of edits that check their text when the user leaves them. The
// check itself belongs to the descendant (ValidateEdit); this class runs it
// at the right moment and names the error a refused text raises.
#include "framework/Edit.h"

// Raised by ValidateEdit for a text the edit does not accept.
class EDBEditError : public Exception {
 public:
  using Exception::Exception;
};

class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* owner);

  // The text as the edit shows it (with a mask: literals included).
  virtual String EditText() const { return Text(); }
  // Raises EDBEditError when the text is not acceptable; accepts all here.
  virtual void ValidateEdit() {}

  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool v) { FAutoSelect = v; }

 protected:
  void WndProc(TMessage& message) override;
  // Runs when the focus leaves the edit, before OnExit is told.
  virtual void DoExit() { ValidateEdit(); }

 private:
  bool FAutoSelect = true;
};
