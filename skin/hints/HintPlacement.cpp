#include "skin/hints/HintPlacement.h"

bool SystemWorkAreaNear(POINT P, RECT& WorkArea) {
  HMONITOR monitor = MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return false;
  WorkArea = info.rcWork;
  return true;
}

TacWorkAreaLookup& HintWorkAreaLookup() {
  static TacWorkAreaLookup lookup = &SystemWorkAreaNear;
  return lookup;
}

TacHintCorner PlaceOnMonitor(RECT& R, POINT P, TacHintCorner StartCorner, const RECT& Shadow, TacHintPlaceMode Mode,
                             const TacWorkAreaLookup& Lookup) {
  bool below = StartCorner == hcLeftTop || StartCorner == hcRightTop;
  bool rightOf = StartCorner == hcLeftTop || StartCorner == hcLeftBottom;
  R.left += Shadow.left;
  R.top += Shadow.top;
  R.right -= Shadow.right;
  R.bottom -= Shadow.bottom;
  const int width = R.right - R.left, height = R.bottom - R.top;
  if (!below) OffsetRect(&R, 0, -height);
  if (!rightOf) OffsetRect(&R, -width, 0);

  bool moved = false;
  RECT area{};
  if (Lookup && Lookup(POINT{R.left, R.top}, area)) {
    auto place = [&](LONG& start, LONG& end, LONG areaEnd, LONG point, int size) {
      switch (Mode) {
        case hpmSkin:
          start = areaEnd - size;
          break;
        case hpmShiftOnly:
          start = point + areaEnd - end;
          break;
        case hpmFlip:
          start = point - size;
          break;
      }
      end = start + size;
    };
    if (R.bottom > area.bottom) {
      place(R.top, R.bottom, area.bottom, P.y, height);
      below = false;
      moved = true;
    }
    if (R.top < area.top) {
      R.top = area.top;
      R.bottom = R.top + height;
      below = true;
      moved = true;
    }
    if (R.right > area.right) {
      place(R.left, R.right, area.right, P.x, width);
      rightOf = false;
      moved = true;
    }
    if (R.left < area.left) {
      R.left = area.left;
      R.right = R.left + width;
      rightOf = true;
      moved = true;
    }
  }
  R.left -= Shadow.left;
  R.top -= Shadow.top;
  R.right += Shadow.right;
  R.bottom += Shadow.bottom;
  if (!moved) return StartCorner;
  static constexpr TacHintCorner kCorners[4] = {hcRightBottom, hcLeftBottom, hcRightTop, hcLeftTop};
  return kCorners[(below ? 2 : 0) + (rightOf ? 1 : 0)];
}

int HintWidthLimit(int MaxWidth, int PPI, int ScreenWidth) {
  if (MaxWidth <= 0) return ScreenWidth;
  const int limit = MulDiv(MaxWidth, PPI, 96);
  return limit < 1 ? ScreenWidth : limit;
}
