#pragma once
// Image values of the option text: the fixed-width "&" form, and the older
// forms ("!", "@", "^", "~", a bare file name) rewritten into it.
#include <windows.h>

#include "framework/System.h"

// Any value the loader takes for an image, already upper-cased.
bool IsImageValue(const String& upperValue);

String ConvertImageDescriptor(const String& Value);

// The fields of an "&" value. Fields that are not digits read as 0, so a
// damaged value gives an empty picture rather than an error.
struct TacImageDescriptor {
  RECT SrcRect = {};
  int WL = 0, WT = 0, WR = 0, WB = 0;
  int ImageCount = 0;
  int MaskType = 0;
  int ImgKind = 0;
  int DrawMode = 0;
  String FileName;
};
TacImageDescriptor ParseImageDescriptor(const String& canonical);

// The integer written in Count characters from 1-based Position; -1 when
// they are missing or not all digits.
int DigitsAt(const String& Value, int Position, int Count);
