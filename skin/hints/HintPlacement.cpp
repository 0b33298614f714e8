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

namespace {

// One axis of the bubble (Start to End, Size long) kept inside AreaStart to
// AreaEnd. Past the far end it is brought back as Mode says and lies before
// the point (After off); before the near end it is pushed to it and lies
// after the point (After on). True when it moved.
bool KeepOnAxis(LONG& Start, LONG& End, LONG AreaStart, LONG AreaEnd, LONG Point, int Size, TacHintPlaceMode Mode,
                bool& After) {
  bool moved = false;
  if (End > AreaEnd) {
    switch (Mode) {
      case hpmSkin:
        Start = AreaEnd - Size;
        break;
      case hpmShiftOnly:
        Start = Point + AreaEnd - End;
        break;
      case hpmFlip:
        Start = Point - Size;
        break;
    }
    End = Start + Size;
    After = false;
    moved = true;
  }
  if (Start < AreaStart) {
    Start = AreaStart;
    End = Start + Size;
    After = true;
    moved = true;
  }
  return moved;
}

}  // namespace

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
    const bool movedY = KeepOnAxis(R.top, R.bottom, area.top, area.bottom, P.y, height, Mode, below);
    const bool movedX = KeepOnAxis(R.left, R.right, area.left, area.right, P.x, width, Mode, rightOf);
    moved = movedY || movedX;
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
