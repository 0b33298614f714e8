#pragma once
// Where a hint bubble goes: the corner of the bubble at the hinted point,
// and the bubble kept inside the work area of the point's monitor.
#include <windows.h>

#include <functional>

// The corner of the bubble at which the hinted point lies.
enum TacHintCorner { hcLeftTop = 0, hcLeftBottom = 1, hcRightTop = 2, hcRightBottom = 3 };

// How a bubble that leaves its monitor is brought back.
enum TacHintPlaceMode {
  hpmSkin,       // pushed back inside
  hpmShiftOnly,  // a template with one picture: shifted back by the overlap
  hpmFlip        // a template with a picture per corner: flipped to the other side of the point
};

// The work area of the monitor nearest to a point; false when there is no
// monitor. Tests give a fake set of monitors.
using TacWorkAreaLookup = std::function<bool(POINT P, RECT& WorkArea)>;
// The system's monitors (MonitorFromPoint, nearest).
bool SystemWorkAreaNear(POINT P, RECT& WorkArea);
// The lookup the hint windows use; SystemWorkAreaNear unless replaced.
TacWorkAreaLookup& HintWorkAreaLookup();

// R (a bubble with its shadow bands Shadow around it, at the hinted point P)
// is placed for StartCorner and kept on the monitor nearest to its top-left.
// Returns the corner the bubble ends up with; StartCorner when nothing moved.
TacHintCorner PlaceOnMonitor(RECT& R, POINT P, TacHintCorner StartCorner, const RECT& Shadow, TacHintPlaceMode Mode,
                             const TacWorkAreaLookup& Lookup);

// The width limit of hint text: MaxWidth at 96 pixels per inch scaled to
// PPI, or ScreenWidth when MaxWidth is 0 or less.
int HintWidthLimit(int MaxWidth, int PPI, int ScreenWidth);
