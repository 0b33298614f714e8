#include "skin/graphics/SystemButtonFace.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "framework/GdiHandles.h"
#include "framework/Graphics.h"
#include "skin/graphics/ThemeServices.h"

namespace {

int PushButtonState(bool Enabled, int Kind) {
  if (!Enabled) return PBS_DISABLED;
  switch (Kind) {
    case 1:
      return PBS_HOT;
    case 2:
      return PBS_PRESSED;
    case 3:
      return PBS_DEFAULTED;
    default:
      return PBS_NORMAL;
  }
}

void FillSolid(HDC DC, const RECT& R, COLORREF Color) {
  TOwnedBrush brush(CreateSolidBrush(Color));
  FillRect(DC, &R, brush.get());
}

// Sunken by one pixel: shadow outline, shadow inside on the left and top,
// white inside on the right and bottom.
void DrawPressedFace(HDC DC, const RECT& R) {
  {
    TOwnedPen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    TOwnedBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    TSelectObject penIn(DC, pen.get());
    TSelectObject faceIn(DC, face.get());
    Rectangle(DC, R.left, R.top, R.right, R.bottom);
  }
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  FillSolid(DC, RECT{R.left + 1, R.top + 1, R.left + 2, R.bottom - 1}, shadow);
  FillSolid(DC, RECT{R.left + 1, R.top + 1, R.right - 1, R.top + 2}, shadow);
  FillSolid(DC, RECT{R.right - 2, R.top + 1, R.right - 1, R.bottom - 1}, RGB(255, 255, 255));
  FillSolid(DC, RECT{R.left + 1, R.bottom - 2, R.right - 1, R.bottom - 1}, RGB(255, 255, 255));
}

}  // namespace

void DrawSystemButtonFace(TCanvas& Canvas, RECT& R, bool Enabled, bool Focused, int Kind) {
  HDC dc = Canvas.Handle();
  if (ThemesActive()) {
    FillSolid(dc, R, GetSysColor(COLOR_BTNFACE));
    RECT content = R;
    if (DrawThemedElement(dc, L"BUTTON", BP_PUSHBUTTON, PushButtonState(Enabled, Kind), R, &content)) {
      R = content;
      if (Focused) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWFRAME));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        DrawFocusRect(dc, &R);
      }
      return;
    }
  }
  const RECT passed = R;
  if (Kind == 3) {
    TOwnedBrush frame(CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME)));
    FrameRect(dc, &R, frame.get());
    InflateRect(&R, -1, -1);
  }
  if (Kind == 2) {
    InflateRect(&R, -1, -1);
    DrawPressedFace(dc, R);
  } else {
    DrawFrameControl(dc, &R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Enabled ? 0 : DFCS_INACTIVE));
  }
  if (Focused) {
    RECT focus = passed;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}
