#include "skin/forms/CaptionText.h"

#include <cwctype>

namespace {

bool IsBreakTag(const String& Tag) {
  if (Tag.size() != 4) return false;
  return Tag[0] == L'<' && std::towlower(Tag[1]) == L'b' && std::towlower(Tag[2]) == L'r' && Tag[3] == L'>';
}

}  // namespace

String StripTags(const String& Text, bool KeepBreaks) {
  String result;
  result.reserve(Text.size());
  size_t i = 0;
  while (i < Text.size()) {
    const wchar_t ch = Text[i];
    if (ch == L'<') {
      const size_t close = Text.find(L'>', i);
      if (close == String::npos) break;
      if (KeepBreaks && IsBreakTag(Text.substr(i, close - i + 1))) result += L"\r\n";
      i = close + 1;
      continue;
    }
    if (ch != L'\r' && ch != L'\n') result += ch;
    ++i;
  }
  return result;
}

UINT AlignToDrawTextFlags(TAlignment Alignment) {
  static constexpr UINT kFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const unsigned index = static_cast<unsigned>(Alignment) & 0x7F;
  return (index < 3 ? kFlags[index] : DT_LEFT) | DT_EXPANDTABS | DT_VCENTER;
}

int DTFlagsToHorzAlign(UINT Flags) { return Flags & DT_RIGHT ? 1 : Flags & DT_CENTER ? 2 : 0; }

int DTFlagsToVertAlign(UINT Flags) { return Flags & DT_BOTTOM ? 1 : Flags & DT_VCENTER ? 2 : 0; }
