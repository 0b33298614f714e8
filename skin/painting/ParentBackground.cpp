#include "skin/painting/ParentBackground.h"

#include "framework/Graphics.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/BackgroundSources.h"

namespace {

constexpr uint32_t kBtnFaceCode = 0xFF00000F;

// A control that says it is skinned answers AC_GETBGCOLOR, and then every
// answer is a colour, black included; the others are asked for their Color.
// Asking the skinned state first is what tells a black answer from none.
uint32_t ControlBackgroundColor(TControl* Control) {
  if (Control == nullptr) return 0xFF00FF;
  if (QueryCtrlCommand(Control, AC_ISSKINNED) == 1)
    return ColorToRGB(TColor(Control->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0)));
  return ColorToRGB(Control->Color());
}

// The state is saved and restored around the painting so the caller's DC
// comes back as it was; only R tells where the picture went.
void PaintInto(TacBackgroundInfo& Info, POINT Offset, HWND Wnd, TControl* Control) {
  if (Info.DrawDC == nullptr) return;
  int saved = SaveDC(Info.DrawDC);
  OffsetViewportOrgEx(Info.DrawDC, -Offset.x, -Offset.y, nullptr);
  OffsetRect(&Info.R, Offset.x, Offset.y);
  IntersectClipRect(Info.DrawDC, Info.R.left, Info.R.top, Info.R.right, Info.R.bottom);
  WPARAM dc = reinterpret_cast<WPARAM>(Info.DrawDC);
  if (Control != nullptr) {
    Control->Perform(WM_ERASEBKGND, dc, 0);
    Control->Perform(WM_PAINT, dc, 0);
  } else {
    SendMessageW(Wnd, WM_ERASEBKGND, dc, 0);
    SendMessageW(Wnd, WM_PAINT, dc, 0);
  }
  RestoreDC(Info.DrawDC, saved);
}

// Offset of the window's client area from the top-left of its window
// rectangle. The window utilities above this library have their own; this
// one stays here so the libraries keep depending one way.
POINT ClientOriginInWnd(HWND Wnd) {
  RECT r{};
  if (!GetWindowRect(Wnd, &r)) return POINT{0, 0};
  POINT p{r.left, r.top};
  ScreenToClient(Wnd, &p);
  return POINT{-p.x, -p.y};
}

}  // namespace

bool QueryWindowBackground(TacBackgroundInfo& Info, HWND Wnd, bool PleaseDraw) {
  Info.BgKind = bgkUnanswered;
  Info.PleaseDraw = PleaseDraw;
  Info.FillRect = RECT{};
  SendWndCommand(Wnd, AC_GETBG, reinterpret_cast<LPARAM>(&Info));
  if (Info.BgKind != bgkUnanswered) return true;
  POINT offset = ClientOriginInWnd(Wnd);
  Info.OffsetX = offset.x;
  Info.OffsetY = offset.y;
  if (PleaseDraw) {
    PaintInto(Info, offset, Wnd, nullptr);
    return false;
  }
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (manager != nullptr && manager->IsSkinLoaded())
    Info.Color = uint32_t(manager->SkinOptions().ReadInteger(L"GLOBALINFO", L"COLOR", int(GetSysColor(COLOR_BTNFACE))));
  else if (TWinControl* control = TWinControl::FindControl(Wnd))
    Info.Color = ControlBackgroundColor(control);
  else
    Info.Color = kBtnFaceCode;
  Info.BgKind = bgkColor;
  return false;
}

bool QueryControlBackground(TacBackgroundInfo& Info, TControl* Control, bool PleaseDraw) {
  Info.Bmp = nullptr;
  Info.BgKind = bgkUnanswered;
  Info.PleaseDraw = PleaseDraw;
  Info.FillRect = RECT{};
  if (Control == nullptr) {
    // Nobody to ask or to paint: "no colour", but never an unanswered kind.
    if (!PleaseDraw) Info.BgKind = bgkColor, Info.Color = 0xFF00FF;
    return true;
  }
  SendCtrlCommand(Control, AC_GETBG, reinterpret_cast<LPARAM>(&Info));
  if (Info.BgKind != bgkUnanswered) return true;
  if (PleaseDraw) {
    PaintInto(Info, POINT{Info.OffsetX, Info.OffsetY}, nullptr, Control);
  } else {
    Info.BgKind = bgkColor;
    Info.Color = ControlBackgroundColor(Control);
  }
  return true;
}

void BackgroundInfoToSource(const TacBackgroundInfo& Info, TacBackgroundSource& Source) {
  if (Info.BgKind == bgkBitmap) {
    Source = BitmapBackgroundSource(Info.Bmp, Info.OffsetX, Info.OffsetY);
    return;
  }
  Source.Bmp = Info.Bmp;
  Source.X = Info.OffsetX;
  Source.Y = Info.OffsetY;
  Source.Ready = false;
  Source.FillColor = ColorToRGB(TColor(Info.Color));
  Source.FillRect = Info.FillRect;
}
