#pragma once
// Boxes that wait for a person, held back while the program starts: an
// unattended machine must have its port open and counting before anything
// waits for an OK. Once start-up is over they show at once.
#include <functional>
#include <vector>

class TStartupMessages {
 public:
  // Shows the box now after start-up; before, keeps it for Release.
  void Show(std::function<void()> box);
  // Ends start-up and shows the kept boxes in the order they came.
  void Release();
  bool Held() const { return !FReleased; }
  size_t Waiting() const { return FKept.size(); }

 private:
  std::vector<std::function<void()>> FKept;
  bool FReleased = false;
};
