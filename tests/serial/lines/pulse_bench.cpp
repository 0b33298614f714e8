// Benchmark program (run by tools/serial-bench.sh, not a test): opens COM5
// and answers every CTS rise by raising and lowering RTS, which the preload
// library time-stamps; every tenth rise its handler sleeps 100 ms. It ends
// after the given number of seconds.
#include "framework/Application.h"
#include "serial/ComPort.h"

#include <cstdio>
#include <cstdlib>

int wmain(int argc, wchar_t** argv) {
  const DWORD seconds = argc > 1 ? DWORD(_wtoi(argv[1])) : 60;
  InitApplication();
  TComPort port(nullptr);
  port.SetPort(L"COM5");
  port.FlowControl().SetControlDTR(dtrEnable);
  int rises = 0;
  bool opened = false;
  port.OnCTSChange = [&](TObject*, bool on) {
    if (!on || !opened) return;
    port.SetRTS(true);
    port.SetRTS(false);
    if (++rises % 10 == 0) Sleep(100);
  };
  try {
    port.Open();
  } catch (const std::exception& e) {
    fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  opened = true;
  printf("ready\n");
  fflush(stdout);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < seconds * 1000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Application->ProcessMessages();
    CheckSynchronize();
  }
  port.Close();
  printf("rises handled %d\n", rises);
  return 0;
}
