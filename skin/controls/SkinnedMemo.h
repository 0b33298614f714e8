#pragma once
// TsMemo: the multi-line edit in the skin's colours. The system memo keeps
// painting text, caret and selection; the memo gives it the section's colour
// and font colour at each paint. Its skinned frame and scroll bars belong to
// the control hooks' scrolling wrapper, which is not there yet: until then
// the system's frame and scroll bars stay.
#include "framework/Edit.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/state/ScrollWndData.h"

class TsMemo : public TacSkinnedControl<TMemo, TsScrollWndData> {
 public:
  explicit TsMemo(TComponent* Owner);

  TNotifyEvent OnScrollCaret;
  TNotifyEvent OnVScroll;

 protected:
  bool ApplyColorsOnLoad() const override { return false; }
  bool SkinStage1(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  bool DoKeyDown(WORD& Key, TShiftState Shift) override;
  // The section's colours for the coming paint, unless the memo keeps its
  // own; true when one changed.
  bool TakeSectionColors();
};
