#pragma once
// TsEdit: the single-line edit drawn by the skin (password fields included).
#include "framework/Edit.h"
#include "skin/controls/SkinnedEditBase.h"

class TsEdit : public TacSkinnedEdit<TEdit> {
 public:
  explicit TsEdit(TComponent* Owner);

  // The system's border: the client edge, or one flat line without Ctl3D.
  // The framework edit has no bevels to add.
  int EditBorderWidth() const override { return BorderStyle() == TBorderStyle::bsNone ? 0 : (Ctl3D() ? 2 : 1); }
  RECT GetTextRect() override;

 protected:
  bool SkinStage1(TMessage& Message) override;
};
