#pragma once
// The combo's type-ahead: the typed text and the first item it starts.
//
// A list-style combo collects the typed characters; left alone, that text
// only grows, so that after one miss no later typing could ever match again.
// A pause longer than the delay starts the text anew, as a user expects of
// a list. Editable styles search with the whole edit text instead.
#include <windows.h>

#include <functional>

#include "framework/StringList.h"

class TacTypeAhead {
 public:
  // Clock in milliseconds; GetTickCount when none is given.
  explicit TacTypeAhead(std::function<DWORD()> Clock = nullptr);

  void SetClock(std::function<DWORD()> Clock);
  unsigned Delay() const { return FDelay; }
  void SetDelay(unsigned Value) { FDelay = Value; }
  const String& SearchText() const { return FSearchText; }
  void Reset() { FSearchText.clear(); }

  // A character typed into a list-style combo: appended to the search text,
  // which starts anew when more than Delay ms passed since the last one.
  const String& AddChar(wchar_t Ch);
  // An editable combo searches with its whole text.
  void SetFromEdit(const String& Text) { FSearchText = Text; }

 private:
  std::function<DWORD()> FClock;
  unsigned FDelay = 500;
  String FSearchText;
  DWORD FLastTick = 0;
  bool FTyped = false;
};

// The first item the text is a prefix of, compared in upper case unless
// CaseSensitive; -1 when none (an empty text matches the first item).
int FindItemByPrefix(const TStrings& Items, const String& Text, bool CaseSensitive);
int FindItemByPrefix(int Count, const std::function<String(int)>& ItemAt, const String& Text, bool CaseSensitive);
