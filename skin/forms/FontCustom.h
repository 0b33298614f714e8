#pragma once
// Whether a control's font is its own choice rather than the one it would
// take from its parent (or the default font without one): the skin then
// leaves its font alone.
class TControl;
class TFont;

// Same style, size, colour and name.
bool FontsEqual(const TFont& A, const TFont& B);
// CheckParentOnly: Font against the parent's font as it is. Otherwise the
// parent's font in the control's font colour, so a colour of the control's
// own does not count as custom. The framework has no frames, whose own font
// rules would come in here.
bool IsFontCustom(TControl* Control, const TFont& Font, bool CheckParentOnly);
