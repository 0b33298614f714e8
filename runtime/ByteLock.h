#pragma once
// A one-byte lock that never waits on a kernel object: a compare-exchange, and between tries
// Sleep(0) then Sleep(1). Held only for a few dozen instructions.
#include <atomic>
#include <cstdint>

namespace mm {

class ByteLock {
 public:
  bool TryLock() {
    uint8_t expected = 0;
    return FLocked.load(std::memory_order_relaxed) == 0 &&
           FLocked.compare_exchange_strong(expected, 1, std::memory_order_acquire);
  }
  void Lock() {
    while (!TryLock())
      if (Wait()) return;
  }
  void Unlock() { FLocked.store(0, std::memory_order_release); }
  bool Locked() const { return FLocked.load(std::memory_order_relaxed) != 0; }

  // One step of the back-off: Sleep(0), one more try, then Sleep(1). True when the lock was got.
  bool Wait();

 private:
  std::atomic<uint8_t> FLocked{0};
};

// Holds a lock for a scope.
class ByteLockGuard {
 public:
  explicit ByteLockGuard(ByteLock& lock) : FLock(lock) { FLock.Lock(); }
  ~ByteLockGuard() { FLock.Unlock(); }
  ByteLockGuard(const ByteLockGuard&) = delete;
  ByteLockGuard& operator=(const ByteLockGuard&) = delete;

 private:
  ByteLock& FLock;
};

}  // namespace mm
