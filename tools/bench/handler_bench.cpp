// Benchmark program (run by tools/bench/counting.sh): the CTS handler's own
// time per pulse, in process, with a credit log of the given length.
// Usage: handler_bench LOG_LINES [PULSES]
#include "app/AppState.h"
#include "app/MainForm.h"
#include "framework/Application.h"
#include "tools/bench/bench_log.h"

int wmain(int argc, wchar_t** argv) {
  const int logLines = argc > 1 ? _wtoi(argv[1]) : 10;
  const int pulses = argc > 2 ? _wtoi(argv[2]) : 200;
  InitApplication();
  const String folder = BenchDataFolder();
  PrepareBenchFolder(folder, logLines, false);
  TForm1* form = Application->CreateForm<TForm1>();
  std::vector<double> on, off;
  for (int i = 0; i < pulses; ++i) {
    LARGE_INTEGER a, b, c;
    QueryPerformanceCounter(&a);
    form->KelvraAdapterCTSChange(nullptr, true);
    QueryPerformanceCounter(&b);
    form->KelvraAdapterCTSChange(nullptr, false);
    QueryPerformanceCounter(&c);
    on.push_back(Ms(a, b));
    off.push_back(Ms(b, c));
  }
  printf("log of %d lines, %d pulses:\n", logLines, pulses);
  PrintFigures("  handler, line on (a payment)", on);
  PrintFigures("  handler, line off", off);
  printf("  credits %d, id %d\n", App.Credits, App.CashId);
  delete form;
  for (const wchar_t* name : {L"data.txt", L"data_last.txt", L"credits.txt"}) DeleteFileW((folder + name).c_str());
  return App.Credits == pulses ? 0 : 1;
}
