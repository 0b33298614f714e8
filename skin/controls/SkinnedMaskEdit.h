#pragma once
// TacCustomMaskEdit: the skinned base of edits that check their text on
// exit and of the combo edits, which add a button inside the frame (the
// button-mode query and the button painter are theirs to answer).
#include "framework/MaskEdit.h"
#include "skin/controls/SkinnedEditBase.h"

#include <functional>

using TacValidateErrorEvent = std::function<void(TObject* Sender, const String& Message)>;

class TacCustomMaskEdit : public TacSkinnedEdit<TCustomMaskEdit> {
 public:
  explicit TacCustomMaskEdit(TComponent* Owner);

  RECT GetTextRect() override;
  bool CheckOnExit() const { return FCheckOnExit; }
  void SetCheckOnExit(bool Value) { FCheckOnExit = Value; }
  bool TextCollapsed() const { return FTextCollapsed; }
  // While collapsed the text area has no width.
  virtual void SetTextCollapsed(bool Value);
  // The combo edits answer whether they show as a button.
  virtual bool ButtonMode() const { return false; }
  // 0 normal, 1 hot, 2 pressed: the state the face is drawn in.
  virtual int GetSkinState() { return SkinData()->GetCtrlState(); }

  // Told the message of a refused text before the error is raised again.
  TacValidateErrorEvent OnValidateError;

 protected:
  String FaceText() const override { return EditText(); }
  void DoExit() override;
  void Change() override;
  bool GlyphAfterDisabledLook() const override { return false; }
  // Without a skin: the control's colour in a sunken edge.
  void PaintPlainFace() override;
  void WndProc(TMessage& Message) override;

 private:
  bool FCheckOnExit = true;
  bool FTextCollapsed = false;
};
