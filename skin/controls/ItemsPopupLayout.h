#pragma once
// The geometry of the combo's drop-down list, apart from its windows: row
// height, list height, the scroll that brings a row into view and the place
// of a list dropped over its edit.

// Height of one row: an explicit ItemHeight (already at the control's
// density) when above 0, else the font's bare line height plus FivePixels
// (5 at the density); with images at least the image height plus Spacing.
int PopupRowHeight(int ItemHeight, int FontLineHeight, int FivePixels, int ImageHeight, int Spacing);
// The list shows DropDownCount rows at most, and one row's height when
// empty, inside a 1-pixel frame.
int PopupListHeight(int DropDownCount, int ItemCount, int RowHeight);
// The scroll (added to the position) that shows a row lying at RowTop in a
// box BoxHeight high; 0 when it shows already.
int ScrollRowIntoView(int RowTop, int RowHeight, int BoxHeight);

// DropInplace: the list goes over the edit with the selected row on it.
// Scroll is added to the list's scroll position; Shift moves the edit's
// rectangle the list is centred on (down when positive), so that near
// either end of the list the list moves instead of the rows.
struct TacInplaceDrop {
  int Scroll = 0;
  int Shift = 0;
};
TacInplaceDrop CentreSelectedRow(int RowTop, int RowHeight, int ClientHeight, int Range);
