#include "skin/controls/ComboTypeAhead.h"

TacTypeAhead::TacTypeAhead(std::function<DWORD()> Clock) { SetClock(std::move(Clock)); }

void TacTypeAhead::SetClock(std::function<DWORD()> Clock) {
  FClock = Clock ? std::move(Clock) : [] { return DWORD(GetTickCount()); };
}

const String& TacTypeAhead::AddChar(wchar_t Ch) {
  const DWORD now = FClock();
  // Unsigned difference: right across the tick counter's wrap.
  if (FTyped && now - FLastTick > FDelay) FSearchText.clear();
  FLastTick = now;
  FTyped = true;
  FSearchText += Ch;
  return FSearchText;
}

int FindItemByPrefix(int Count, const std::function<String(int)>& ItemAt, const String& Text, bool CaseSensitive) {
  const String key = CaseSensitive ? Text : UpperCase(Text);
  for (int i = 0; i < Count; ++i) {
    const String item = CaseSensitive ? ItemAt(i) : UpperCase(ItemAt(i));
    if (item.compare(0, key.size(), key) == 0) return i;
  }
  return -1;
}

int FindItemByPrefix(const TStrings& Items, const String& Text, bool CaseSensitive) {
  return FindItemByPrefix(
      Items.Count(), [&](int i) { return Items.Get(i); }, Text, CaseSensitive);
}
