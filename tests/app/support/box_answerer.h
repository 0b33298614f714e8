#pragma once
// Presses OK on every message box of this process with that caption whose
// text holds the fragment, from a thread of its own, until it goes.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class TBoxAnswerer {
 public:
  TBoxAnswerer(const wchar_t* caption, const wchar_t* fragment);
  ~TBoxAnswerer();
  TBoxAnswerer(const TBoxAnswerer&) = delete;
  TBoxAnswerer& operator=(const TBoxAnswerer&) = delete;

  std::atomic<int> Seen{0};  // boxes answered

 private:
  void Run();
  const std::wstring FCaption, FFragment;
  std::atomic<bool> FStop{false};
  std::thread FThread;
};
