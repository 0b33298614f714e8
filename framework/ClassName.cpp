#include "framework/System.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

String TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> plain(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                    &std::free);
  std::string name = status == 0 && plain ? plain.get() : mangled;
  // Classes in a namespace answer with their own name only, as framework
  // classes do.
  if (auto colon = name.rfind("::"); colon != std::string::npos) name.erase(0, colon + 2);
  return String(name.begin(), name.end());
}
