#pragma once
// Owns a Windows hook (SetWindowsHookEx): unhooked when let go.
#include <windows.h>

#include <utility>

class TOwnedHook {
 public:
  TOwnedHook() = default;
  explicit TOwnedHook(HHOOK hook) : FHook(hook) {}
  ~TOwnedHook() { Reset(); }
  TOwnedHook(TOwnedHook&& other) noexcept : FHook(std::exchange(other.FHook, nullptr)) {}
  TOwnedHook& operator=(TOwnedHook&& other) noexcept {
    if (this != &other) {
      Reset();
      FHook = std::exchange(other.FHook, nullptr);
    }
    return *this;
  }
  TOwnedHook(const TOwnedHook&) = delete;
  TOwnedHook& operator=(const TOwnedHook&) = delete;

  HHOOK Get() const { return FHook; }
  explicit operator bool() const { return FHook != nullptr; }
  void Reset() {
    if (FHook) UnhookWindowsHookEx(std::exchange(FHook, nullptr));
  }

 private:
  HHOOK FHook = nullptr;
};
