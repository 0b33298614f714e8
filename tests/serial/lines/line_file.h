#pragma once
// The Windows side of the simulated line: writes the state file that the
// preload library answers from (its path comes from KELVRA_LINES_STATE).
#include "framework/System.h"
#include "tests/serial/lines/line_state.h"
#include "tests/support/wait_until.h"

#include <mutex>

class TLineFile {
 public:
  enum TLine : uint32_t { CTS = 0x020, DCD = 0x040, RI = 0x080, DSR = 0x100 };
  TLineFile() {
    char unixPath[MAX_PATH] = {};
    GetEnvironmentVariableA("KELVRA_LINES_STATE", unixPath, MAX_PATH);
    String path = L"Z:" + AnsiToString(unixPath);
    for (auto& c : path)
      if (c == L'/') c = L'\\';
    FFile.Reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr));
  }
  bool Ok() const { return bool(FFile); }

  void Set(TLine line, bool on) {
    std::lock_guard<std::mutex> lock(FLock);
    const uint32_t in = Word(LS_INPUTS);
    const uint32_t next = on ? (in | line) : (in & ~uint32_t(line));
    if (next == in) return;
    const int countWord = line == CTS   ? LS_COUNT_CTS
                          : line == DSR ? LS_COUNT_DSR
                          : line == RI  ? LS_COUNT_RNG
                                        : LS_COUNT_DCD;
    SetWord(countWord, Word(countWord) + 1);
    SetWord(LS_INPUTS, next);
  }
  // On and off for these times: the shape of the validator's pulse.
  void Pulse(TLine line, DWORD onMs, DWORD offMs) {
    Set(line, true);
    Sleep(onMs);
    Set(line, false);
    Sleep(offMs);
  }
  // Sets CTS and holds it at least until a status read of the port has seen
  // it (false if none did in time). Wine polls the lines, and a loaded
  // machine can leave it unscheduled for longer than a real pulse lasts.
  bool SetCtsSeen(bool on) {
    const uint32_t before = Word(LS_SEEN_CTS);
    Set(CTS, on);
    const ULONGLONG end = GetTickCount64() + kPatienceMs;
    while (Word(LS_SEEN_CTS) == before) {
      if (GetTickCount64() > end) return false;
      Sleep(1);
    }
    return true;
  }
  // A payment that the port sees: each level is held until it was read.
  bool PulseCtsSeen(DWORD onMs, DWORD offMs) {
    const bool rise = SetCtsSeen(true);
    Sleep(onMs);
    const bool fall = SetCtsSeen(false);
    Sleep(offMs);
    return rise && fall;
  }
  bool Rts() { return Word(LS_OUTPUTS) & 0x4; }
  bool Dtr() { return Word(LS_OUTPUTS) & 0x2; }
  // How many times RTS went up since the line was made.
  uint32_t RtsRises() { return Word(LS_RTS_RISES); }
  // RTS and DTR down, as a port that nobody has opened yet leaves them.
  void ClearOutputs() {
    std::lock_guard<std::mutex> lock(FLock);
    SetWord(LS_OUTPUTS, 0);
  }

 private:
  uint32_t Word(int i) {
    uint32_t v = 0;
    OVERLAPPED ov{};
    ov.Offset = DWORD(i * 4);
    DWORD n = 0;
    ReadFile(FFile.get(), &v, 4, &n, &ov);
    return v;
  }
  void SetWord(int i, uint32_t v) {
    OVERLAPPED ov{};
    ov.Offset = DWORD(i * 4);
    DWORD n = 0;
    WriteFile(FFile.get(), &v, 4, &n, &ov);
  }
  TOwnedHandle FFile;
  std::mutex FLock;
};
