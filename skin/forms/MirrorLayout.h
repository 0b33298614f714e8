#pragma once
// Right-to-left layout of a container's children, and the room its
// edge-aligned children take.
class TWinControl;

// The heights (alTop, alBottom) or widths (alLeft, alRight) of the visible
// children aligned like the container itself, graphic ones only when asked;
// 0 for a container aligned otherwise.
int ChildAlignExtent(TWinControl* Container, bool WithGraphic);
// Free children move to the mirrored place and every child is told
// (AC_MIRRORED); right-aligned children become left-aligned and the
// left-aligned ones that lay left of them right-aligned. Recursive: the
// same in every windowed child.
void MirrorChildLayout(TWinControl* Container, bool Recursive);
