#pragma once
// TsEdit: the single-line edit drawn by the skin (password fields included).
#include "framework/Edit.h"
#include "skin/controls/SkinnedEditBase.h"

class TsEdit : public TacSkinnedEdit<TEdit> {
 public:
  explicit TsEdit(TComponent* Owner);

  // B: the system's client edge, two pixels, when the edit has a border.
  int EditBorderWidth() const override { return 2; }
  RECT GetTextRect() override;

 protected:
  bool SkinStage1(TMessage& Message) override;
};
