// Our allocator against the run-time DLL's heap (what malloc is when the allocator is not
// installed) on the loads the program makes. Prints each as a ratio, ours / run-time heap:
// lower is better. Built with the tests, never run by them.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "runtime/BlockAllocator.h"
#include "runtime/PageProvider.h"

namespace {

struct RuntimeHeap {
  void* Alloc(size_t n) { return std::malloc(n); }
  void Free(void* p) { std::free(p); }
  void* Resize(void* p, size_t n) { return std::realloc(p, n); }
};

struct OurHeap {
  mm::Win32PageProvider Pages;
  mm::BlockAllocator Allocator{Pages};
  void* Alloc(size_t n) { return Allocator.AllocBlock(n); }
  void Free(void* p) { Allocator.ReleaseBlock(p); }
  void* Resize(void* p, size_t n) { return p ? Allocator.ResizeBlock(p, n) : Allocator.AllocBlock(n); }
};

struct Random {
  uint64_t State;
  uint32_t Next() {
    State ^= State << 13;
    State ^= State >> 7;
    State ^= State << 17;
    return static_cast<uint32_t>(State);
  }
};

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) / double(frequency.QuadPart);
}

size_t CommittedBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;
}

// Samples the process's private bytes while a load runs.
struct PeakMeter {
  size_t Base = CommittedBytes();
  size_t Peak = 0;
  void Sample() {
    size_t now = CommittedBytes();
    if (now > Base && now - Base > Peak) Peak = now - Base;
  }
};

struct Result {
  double Seconds = 0;
  size_t PeakBytes = 0;
};

// Random sizes in [low, high] into a working set of slots: each step frees one slot and refills it.
template <typename Heap>
Result Churn(Heap& heap, size_t pairs, size_t slots, size_t low, size_t high, uint64_t seed, PeakMeter* meter) {
  std::vector<void*> live(slots, nullptr);
  Random random{seed};
  double start = Now();
  for (size_t i = 0; i < pairs; ++i) {
    size_t slot = random.Next() % slots;
    if (live[slot]) heap.Free(live[slot]);
    size_t size = low + random.Next() % (high - low + 1);
    live[slot] = heap.Alloc(size);
    static_cast<char*>(live[slot])[0] = 1;
    if (meter && (i & 0xFFFF) == 0) meter->Sample();
  }
  for (void* p : live)
    if (p) heap.Free(p);
  return {Now() - start, meter ? meter->Peak : 0};
}

// Sizes spread evenly over the powers of two up to 1 MiB.
template <typename Heap>
Result Mixed(Heap& heap, size_t pairs, uint64_t seed) {
  PeakMeter meter;
  std::vector<void*> live(2000, nullptr);
  Random random{seed};
  double start = Now();
  for (size_t i = 0; i < pairs; ++i) {
    size_t slot = random.Next() % live.size();
    if (live[slot]) heap.Free(live[slot]);
    size_t bits = 3 + random.Next() % 18;
    size_t size = (size_t(1) << bits) + random.Next() % (size_t(1) << bits);
    if (size > (1u << 20)) size = 1u << 20;
    live[slot] = heap.Alloc(size);
    std::memset(live[slot], 1, size < 64 ? size : 64);
    if ((i & 0x3FF) == 0) meter.Sample();
  }
  for (void* p : live)
    if (p) heap.Free(p);
  return {Now() - start, meter.Peak};
}

// Strings that grow by a few characters at a time, as text is built up.
template <typename Heap>
Result StringGrowth(Heap& heap, size_t strings, uint64_t seed) {
  PeakMeter meter;
  std::vector<char*> live(500, nullptr);
  std::vector<size_t> length(live.size(), 0), target(live.size(), 0);
  Random random{seed};
  double start = Now();
  size_t finished = 0;
  for (size_t step = 0; finished < strings; ++step) {
    size_t slot = random.Next() % live.size();
    if (length[slot] >= target[slot]) {
      if (live[slot]) {
        heap.Free(live[slot]);
        ++finished;
      }
      live[slot] = nullptr;
      length[slot] = 0;
      target[slot] = 16 + random.Next() % 65536;
    }
    size_t add = 1 + random.Next() % 48;
    live[slot] = static_cast<char*>(heap.Resize(live[slot], length[slot] + add + 1));
    std::memset(live[slot] + length[slot], 'x', add);
    length[slot] += add;
    if ((step & 0xFFF) == 0) meter.Sample();
  }
  for (char* p : live)
    if (p) heap.Free(p);
  return {Now() - start, meter.Peak};
}

template <typename Heap>
Result ThreadedChurn(Heap& heap, size_t pairs, size_t threads) {
  PeakMeter meter;
  double start = Now();
  std::vector<std::thread> workers;
  for (size_t t = 0; t < threads; ++t)
    workers.emplace_back(
        [&heap, pairs, threads, t] { Churn(heap, pairs / threads, 1024, 8, 256, 0x9E3779B97F4A7C15ull + t, nullptr); });
  std::atomic<bool> done{false};
  std::thread sampler([&] {
    while (!done.load()) {
      meter.Sample();
      Sleep(5);  // the sampling period
    }
  });
  for (auto& worker : workers) worker.join();
  done = true;
  sampler.join();
  return {Now() - start, meter.Peak};
}

void Report(const char* load, const Result& ours, const Result& runtime) {
  std::printf("%-34s time %7.3f s / %7.3f s = %5.2f   peak %7.1f MiB / %7.1f MiB = %5.2f\n", load, ours.Seconds,
              runtime.Seconds, ours.Seconds / runtime.Seconds, ours.PeakBytes / 1048576.0,
              runtime.PeakBytes / 1048576.0,
              runtime.PeakBytes ? double(ours.PeakBytes) / double(runtime.PeakBytes) : 0.0);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const size_t pairs = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000000;
  std::printf("ours / run-time heap (lower is better), %zu alloc/free pairs per churn\n", pairs);
  {
    RuntimeHeap runtime;
    PeakMeter runtimeMeter;
    Result r = Churn(runtime, pairs, 4096, 8, 256, 1, &runtimeMeter);
    auto ours = std::make_unique<OurHeap>();
    PeakMeter ourMeter;
    Result o = Churn(*ours, pairs, 4096, 8, 256, 1, &ourMeter);
    Report("small-block churn (8-256 bytes)", o, r);
  }
  {
    RuntimeHeap runtime;
    Result r = Mixed(runtime, pairs / 20, 2);
    auto ours = std::make_unique<OurHeap>();
    Result o = Mixed(*ours, pairs / 20, 2);
    Report("mixed sizes up to 1 MiB", o, r);
  }
  {
    RuntimeHeap runtime;
    Result r = StringGrowth(runtime, 20000, 3);
    auto ours = std::make_unique<OurHeap>();
    Result o = StringGrowth(*ours, 20000, 3);
    Report("realloc growth of strings", o, r);
  }
  {
    RuntimeHeap runtime;
    Result r = ThreadedChurn(runtime, pairs, 4);
    auto ours = std::make_unique<OurHeap>();
    Result o = ThreadedChurn(*ours, pairs, 4);
    Report("small-block churn on 4 threads", o, r);
  }
  return 0;
}
