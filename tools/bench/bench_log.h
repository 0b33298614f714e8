#pragma once
// What the counting benchmarks share: a data folder set up for a run with a
// credit log of a given length, and the figures of a list of delays.
#include "framework/System.h"

#include <algorithm>
#include <cstdio>
#include <shlobj.h>
#include <string>
#include <vector>

inline String BenchDataFolder() {
  wchar_t appData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  const String folder = String(appData) + L"\\drovik\\kelvraadapter\\";
  ForceDirectories(folder);
  return folder;
}

inline void WriteBenchFile(const String& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

// data.txt for a run on COM5 (or with the port closed) and a log of that many lines.
inline void PrepareBenchFolder(const String& folder, int logLines, bool poll) {
  std::string log;
  log.reserve(size_t(logLines) * 32);
  for (int i = 1; i <= logLines; ++i) log += std::to_string(i) + ",01.01.2026,10:00:00,0,1\r\n";
  WriteBenchFile(folder + L"credits.txt", log);
  DeleteFileW((folder + L"data_last.txt").c_str());
  WriteBenchFile(folder + L"data.txt", "[data]\r\ncomport=5\r\nchannel1=1\r\npoll=" + std::string(poll ? "1" : "0") +
                                           "\r\ntotalblocking=0\r\nplaysound=0\r\ncashid=" + std::to_string(logLines) +
                                           "\r\ncredits=0\r\nlog=appdata\r\nlogtotal=0\r\nlogtotalpure=0\r\n"
                                           "autostartonboot=0\r\nchecklogsize=0\r\nexecute=0\r\nexecutefile=\r\n"
                                           "pass=x\r\n");
}

inline void PrintFigures(const char* what, std::vector<double> ms) {
  if (ms.empty()) {
    printf("%s: no samples\n", what);
    return;
  }
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  printf("%s: median %.2f ms, p95 %.2f ms, max %.2f ms (%zu samples)\n", what, ms[n / 2],
         ms[std::min(n - 1, n * 95 / 100)], ms[n - 1], n);
}

inline double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
  static LARGE_INTEGER f = [] {
    LARGE_INTEGER v;
    QueryPerformanceFrequency(&v);
    return v;
  }();
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(f.QuadPart);
}
