#include "skin/controls/ItemsPopupLayout.h"

#include <algorithm>

int PopupRowHeight(int ItemHeight, int FontLineHeight, int FivePixels, int ImageHeight, int Spacing) {
  int h = ItemHeight > 0 ? ItemHeight : FivePixels + FontLineHeight;
  if (ImageHeight > 0) h = std::max(h, ImageHeight + Spacing);
  return h;
}

int PopupListHeight(int DropDownCount, int ItemCount, int RowHeight) {
  return std::max(1, std::min(DropDownCount, ItemCount)) * RowHeight + 2;
}

int ScrollRowIntoView(int RowTop, int RowHeight, int BoxHeight) {
  if (RowTop > BoxHeight - RowHeight) return RowTop + RowHeight - BoxHeight;
  if (RowTop < 0) return RowTop;
  return 0;
}

TacInplaceDrop CentreSelectedRow(int RowTop, int RowHeight, int ClientHeight, int Range) {
  TacInplaceDrop d;
  d.Shift = -2;
  const int a = RowTop + RowHeight / 2 - ClientHeight / 2;
  if (a < 0)
    d.Shift += -a;
  else if (a > Range - ClientHeight)
    d.Shift += Range - ClientHeight - a;
  d.Scroll = a;
  return d;
}
