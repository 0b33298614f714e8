#pragma once
// Work areas of monitors (the screen less the task bar and docked bars),
// and where a small window shown at a point stays inside one.
#include <windows.h>

#include <vector>

class TForm;

// The work area of the monitor the form is on (the nearest one); for a form
// without a window, of the monitor its bounds lie on.
void FormWorkArea(TForm* Form, RECT& R);
// The work area of the monitor whose work area holds P; (0, 0, 0, 0) when
// none does. Right and bottom edges are outside, as everywhere.
void MonitorWorkAreaAt(POINT P, RECT& R);
// The same choice among given work areas, the first that holds P.
RECT WorkAreaContaining(POINT P, const std::vector<RECT>& Areas);
// The work areas of all monitors, in the system's order.
std::vector<RECT> MonitorWorkAreas();

// A window of Size shown beside the point P (8 right, 16 down), moved left
// and up by as much as it would pass the right or bottom of WorkArea. An
// empty WorkArea (P on no monitor) leaves it beside P: there is no edge to
// keep it from, and pulling it to the origin would lose it.
RECT PlaceBesidePoint(SIZE Size, POINT P, const RECT& WorkArea);

// Where the engine's overlay and animation windows go in the z-order.
inline HWND TopmostInsertAfter() { return HWND_TOPMOST; }
