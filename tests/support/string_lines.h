#pragma once
// Lines of a string list as a plain vector, and back, for comparing in tests.
#include "framework/StringList.h"

#include <vector>

using Lines = std::vector<String>;

inline Lines LinesOf(const TStrings& list) {
  Lines lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

inline TStringList ListOf(const Lines& lines) {
  TStringList list;
  for (const auto& line : lines) list.Add(line);
  return list;
}
