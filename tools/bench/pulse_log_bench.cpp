// Benchmark program (run by tools/bench/counting.sh under the simulated line
// of tests/serial/lines): starts kelvra.exe on COM5 with a credit log of the
// given length, gives CTS pulses and times each rise to its log line and to
// its saved settings, watching the files from outside.
// Usage: pulse_log_bench KELVRA_EXE LOG_LINES [PULSES] [ON_MS] [OFF_MS]
#include "tests/serial/lines/line_file.h"
#include "tools/bench/bench_log.h"

#include <atomic>
#include <thread>

namespace {

uint64_t SizeOf(const String& file) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &d)) return 0;
  return (uint64_t{d.nFileSizeHigh} << 32) | d.nFileSizeLow;
}

// The line breaks in the bytes of a file from an offset on; the offset moves
// past what was read (a write may have gone on since the size was taken).
int LineBreaksFrom(const String& file, uint64_t& offset) {
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 0;
  LARGE_INTEGER at;
  at.QuadPart = LONGLONG(offset);
  SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
  char buffer[4096];
  DWORD got = 0;
  int n = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    n += int(std::count(buffer, buffer + got, '\n'));
    offset += got;
  }
  CloseHandle(h);
  return n;
}

int CashIdIn(const String& file) {
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return -1;
  char buffer[4096];
  DWORD got = 0;
  ReadFile(h, buffer, sizeof buffer - 1, &got, nullptr);
  CloseHandle(h);
  buffer[got] = 0;
  const char* id = strstr(buffer, "cashid=");
  return id ? atoi(id + 7) : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const String program = argv[1];
  const int logLines = _wtoi(argv[2]);
  const int pulses = argc > 3 ? _wtoi(argv[3]) : 200;
  const DWORD onMs = argc > 4 ? DWORD(_wtoi(argv[4])) : 50, offMs = argc > 5 ? DWORD(_wtoi(argv[5])) : 50;
  TLineFile lines;
  if (!lines.Ok()) return 2;
  lines.Set(TLineFile::CTS, false);
  const String folder = BenchDataFolder(), log = folder + L"credits.txt", data = folder + L"data.txt";
  PrepareBenchFolder(folder, logLines, true);

  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  String command = L"\"" + program + L"\"";
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
  HWND form = nullptr;
  for (int i = 0; i < 1500 && !form; ++i) {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"KelvraForm", L"KELVRA-Adapter")) != nullptr)
      if (IsWindowVisible(w)) form = w;
    if (!form) Sleep(20);
  }
  if (!form || !lines.Rts()) {
    printf("the program did not start with its port open\n");
    TerminateProcess(pi.hProcess, 1);
    return 1;
  }

  std::vector<LARGE_INTEGER> rises(static_cast<size_t>(pulses)), logged, saved;
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    uint64_t size = SizeOf(log);
    FILETIME written{};
    int lastId = logLines;
    while (!done) {
      LARGE_INTEGER now;
      QueryPerformanceCounter(&now);
      if (SizeOf(log) > size)
        for (int n = LineBreaksFrom(log, size); n > 0; --n) logged.push_back(now);
      WIN32_FILE_ATTRIBUTE_DATA d;
      if (GetFileAttributesExW(data.c_str(), GetFileExInfoStandard, &d) &&
          CompareFileTime(&d.ftLastWriteTime, &written) != 0) {
        written = d.ftLastWriteTime;
        for (int id = CashIdIn(data); lastId < id; ++lastId) saved.push_back(now);
      }
      Sleep(0);
    }
  });
  for (int i = 0; i < pulses; ++i) {
    lines.Set(TLineFile::CTS, true);
    QueryPerformanceCounter(&rises[size_t(i)]);
    Sleep(onMs);
    lines.Set(TLineFile::CTS, false);
    Sleep(offMs);
  }
  Sleep(6000);  // longer than any file wait of the handler
  done = true;
  watcher.join();
  PostMessageW(form, WM_CLOSE, 0, 0);
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  std::vector<double> toLog, toSave;
  for (size_t i = 0; i < rises.size() && i < logged.size(); ++i) toLog.push_back(Ms(rises[i], logged[i]));
  for (size_t i = 0; i < rises.size() && i < saved.size(); ++i) toSave.push_back(Ms(rises[i], saved[i]));
  printf("log of %d lines, %d pulses of %lu ms on / %lu ms off:\n", logLines, pulses, onMs, offMs);
  PrintFigures("  rise to log line", toLog);
  PrintFigures("  rise to settings saved", toSave);
  const int counted = CashIdIn(data) - logLines;
  printf("  pulses sent %d, log lines added %zu, counted %d, lost %d\n", pulses, logged.size(), counted,
         pulses - counted);
  for (const wchar_t* name : {L"data.txt", L"data_last.txt", L"credits.txt"}) DeleteFileW((folder + name).c_str());
  return counted == pulses ? 0 : 1;
}
