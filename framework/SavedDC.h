#pragma once
// SaveDC for a scope: the DC's origin, clip and selections come back on
// every way out, exceptions included.
#include <windows.h>

class TSavedDC {
 public:
  explicit TSavedDC(HDC DC) : FDC(DC), FSaved(SaveDC(DC)) {}
  ~TSavedDC() {
    if (FSaved) RestoreDC(FDC, FSaved);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC FDC;
  int FSaved;
};

// Moves what is drawn by (DX, DY): the DC's origin follows a child.
inline void MoveDCOrigin(HDC DC, int DX, int DY) { OffsetViewportOrgEx(DC, DX, DY, nullptr); }
