#include "skin/forms/MonitorWorkArea.h"

#include "framework/Form.h"

namespace {

RECT MonitorWork(HMONITOR Monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!Monitor || !GetMonitorInfoW(Monitor, &info)) return RECT{};
  return info.rcWork;
}

BOOL CALLBACK CollectWorkArea(HMONITOR Monitor, HDC, LPRECT, LPARAM Data) {
  reinterpret_cast<std::vector<RECT>*>(Data)->push_back(MonitorWork(Monitor));
  return TRUE;
}

}  // namespace

void FormWorkArea(TForm* Form, RECT& R) {
  R = RECT{};
  if (!Form) return;
  if (HWND wnd = Form->HandleIfAllocated()) {
    R = MonitorWork(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST));
    return;
  }
  const RECT bounds = Form->BoundsRect();
  R = MonitorWork(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST));
}

std::vector<RECT> MonitorWorkAreas() {
  std::vector<RECT> areas;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

RECT WorkAreaContaining(POINT P, const std::vector<RECT>& Areas) {
  for (const RECT& area : Areas)
    if (PtInRect(&area, P)) return area;
  return RECT{};
}

void MonitorWorkAreaAt(POINT P, RECT& R) { R = WorkAreaContaining(P, MonitorWorkAreas()); }

RECT PlaceBesidePoint(SIZE Size, POINT P, const RECT& WorkArea) {
  RECT r{P.x + 8, P.y + 16, P.x + 8 + Size.cx, P.y + 16 + Size.cy};
  if (IsRectEmpty(&WorkArea)) return r;
  if (r.right > WorkArea.right) OffsetRect(&r, WorkArea.right - r.right, 0);
  if (r.bottom > WorkArea.bottom) OffsetRect(&r, 0, WorkArea.bottom - r.bottom);
  return r;
}
