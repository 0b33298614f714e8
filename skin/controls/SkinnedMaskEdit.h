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

  // One pixel more than the system's border: the skin's frame reaches over
  // the first column and row of the system edit's client area.
  int EditBorderWidth() const override { return BorderStyle() == TBorderStyle::bsNone ? 0 : (Ctl3D() ? 3 : 2); }
  RECT GetTextRect() override;
  // A borderless edit has no frame to copy.
  void PaintFrame(HDC DC) override;
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
  // Without a skin: the control's colour in the classic frame of its border.
  void PaintPlainFace() override;
  void WndProc(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;

 private:
  bool FCheckOnExit = true;
  bool FTextCollapsed = false;
};
