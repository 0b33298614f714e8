#pragma once
// The combo's navigation keys, decided apart from its window: which item a
// key selects and whether the key is used up, closes the list or goes on to
// the edit.
#include <windows.h>

// SelectItem's limits: past the last item the last, below 0 item 0, so that
// with no items Down gives -1 and Up gives 0.
int ClampComboIndex(int Index, int Count);

struct TacComboKeyState {
  int ItemIndex = -1;
  int Count = 0;
  int DropDownCount = 16;
  bool ListStyle = false;
  // A drop-down is open or the simple style's list shows.
  bool ListShown = false;
  // The list shown is the simple style's, not a drop-down: Tab leaves.
  bool SimpleList = false;
  bool AutoCloseUp = false;
};

struct TacComboKeyAction {
  bool Selects = false;  // Target is the item to select (SelectItem)
  int Target = -1;
  bool ClearKey = false;   // the key goes no further as a key
  bool Swallow = false;    // the message ends here
  bool CloseList = false;  // the open drop-down closes
};

// A WM_KEYDOWN of the combo (Key a virtual key).
TacComboKeyAction ComboKeyDown(WORD Key, const TacComboKeyState& State);
// A read-only combo ignores the keys that would change its item: Space to
// Down, the letters, F4 and the 9 key (the other digits reach the edit).
bool ReadOnlyComboSwallows(WORD Key);
