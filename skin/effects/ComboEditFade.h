#pragma once
// The fade of an edit with a drop-down button: the frame and the button
// blend on the button's own level, and only what lies outside the system
// edit's client area is presented, so that the caret and the selection of a
// focused edit stay the system's.
#include <windows.h>

class TsCommonData;

// What the step needs of its edit; the combo edits implement it.
class TacComboEditFadeTarget {
 public:
  virtual ~TacComboEditFadeTarget() = default;
  // The edit paints its whole window, client area included.
  virtual bool PaintsOwnFrame() const = 0;
  // The client area and the button, in window coordinates.
  virtual RECT FadeClientRect() const = 0;
  virtual RECT FadeButtonRect() const = 0;
};

// One tick of the fade timer of a combo edit (the owner of Data must be a
// TacComboEditFadeTarget); true keeps the timer running. Each step moves
// the timer's ButtonLevel by ButtonLevelStep and its Level as the window
// fade does (states 1 and 3 up, 0 and 2 down); the new picture is blended
// in at ButtonLevel. A fade to normal ends at level 0, a press runs on until
// the button's level is full.
bool FadeStepComboEdit(TsCommonData* Data, int Step);
