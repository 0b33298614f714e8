// Benchmark program (run by tools/bench/counting.sh under the simulated line
// of tests/serial/lines, or of vserial): starts kelvra.exe on COM5 with a
// credit log of the given length and keeps it running while the script
// drives the line and watches the files from Linux. It prints the data folder
// and "ready" once the program has its port open, closes the program when a
// line arrives on its input, and then prints how many payments it counted.
// Usage: pulse_log_bench KELVRA_EXE LOG_LINES
#include "tests/serial/lines/line_file.h"
#include "tools/bench/bench_log.h"

namespace {

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

HWND VisibleForm() {
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, L"KelvraForm", L"KELVRA-Adapter")) != nullptr)
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const String program = argv[1];
  const int logLines = _wtoi(argv[2]);
  // On a vserial line (no state file of ours) the script sets the line and
  // watches RTS itself.
  TLineFile lines;
  if (lines.Ok()) lines.Set(TLineFile::CTS, false);
  const String folder = BenchDataFolder(), data = folder + L"data.txt";
  PrepareBenchFolder(folder, logLines, true);

  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  String command = L"\"" + program + L"\"";
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
  TOwnedHandle process(pi.hProcess), thread(pi.hThread);
  // Start-up only: nothing here is timed.
  HWND form = nullptr;
  for (int i = 0; i < 1500 && !(form = VisibleForm()); ++i) Sleep(20);
  if (!form || (lines.Ok() && !lines.Rts())) {
    printf("the program did not start with its port open\n");
    TerminateProcess(process.get(), 1);
    return 1;
  }
  printf("%ls\nready\n", folder.c_str());
  fflush(stdout);

  char go[16];
  DWORD got = 0;
  ReadFile(GetStdHandle(STD_INPUT_HANDLE), go, sizeof go, &got, nullptr);
  PostMessageW(form, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.get(), 30000);
  printf("  payments counted %d\n", CashIdIn(data) - logLines);
  for (const wchar_t* name : {L"data.txt", L"data_last.txt", L"credits.txt"}) DeleteFileW((folder + name).c_str());
  return 0;
}
