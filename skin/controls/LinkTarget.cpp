#include "skin/controls/LinkTarget.h"

#include <cwctype>

bool IsShellLinkTarget(const String& Target) {
  size_t Start = 0;
  while (Start < Target.size() && std::iswspace(Target[Start])) ++Start;
  const size_t Colon = Target.find(L':', Start);
  if (Colon == String::npos) return false;
  String Scheme = Target.substr(Start, Colon - Start);
  for (auto& C : Scheme) C = static_cast<wchar_t>(std::towlower(C));
  const String Rest = Target.substr(Colon + 1);
  if (Scheme == L"mailto") return !Rest.empty();
  // A web address names a host after "//".
  if (Scheme == L"http" || Scheme == L"https") return Rest.size() > 2 && Rest.compare(0, 2, L"//") == 0;
  return false;
}
