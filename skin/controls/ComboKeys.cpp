#include "skin/controls/ComboKeys.h"

#include <algorithm>

int ClampComboIndex(int Index, int Count) {
  if (Index > Count - 1) return Count - 1;
  if (Index < 0) return 0;
  return Index;
}

TacComboKeyAction ComboKeyDown(WORD Key, const TacComboKeyState& State) {
  TacComboKeyAction a;
  auto select = [&](int Index) {
    a.Selects = true;
    a.Target = ClampComboIndex(Index, State.Count);
  };
  switch (Key) {
    case VK_PRIOR:
      select(std::max(0, State.ItemIndex) - State.DropDownCount + 1);
      break;
    case VK_NEXT:
      select(std::max(0, State.ItemIndex) + State.DropDownCount - 1);
      break;
    case VK_END:
      if (State.ListStyle) {
        select(State.Count - 1);
        a.ClearKey = true;
      }
      break;
    case VK_HOME:
      if (State.ListStyle) {
        select(0);
        a.ClearKey = true;
      }
      break;
    case VK_UP:
      select(State.ItemIndex - 1);
      break;
    case VK_DOWN:
      select(State.ItemIndex + 1);
      break;
  }
  if (!State.ListShown) return a;
  switch (Key) {
    case VK_RETURN:
      a.ClearKey = a.Swallow = a.CloseList = true;
      break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
      a.ClearKey = true;
      break;
    case VK_TAB:
      if (!State.AutoCloseUp && !State.SimpleList) a.ClearKey = a.Swallow = true;
      break;
  }
  return a;
}

bool ReadOnlyComboSwallows(WORD Key) {
  return (Key >= VK_SPACE && Key <= VK_DOWN) || Key == '9' || (Key >= 'A' && Key <= 'Z') || Key == VK_F4;
}
