#include "app/StartupMessages.h"

#include <utility>

void TStartupMessages::Show(std::function<void()> box) {
  if (FReleased)
    box();
  else
    FKept.push_back(std::move(box));
}

void TStartupMessages::Release() {
  if (FReleased) return;
  // A box runs the message loop: what is told meanwhile shows at once.
  FReleased = true;
  const std::vector<std::function<void()>> kept = std::move(FKept);
  FKept.clear();
  for (const auto& box : kept) box();
}
