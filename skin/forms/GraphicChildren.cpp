#include "skin/forms/GraphicChildren.h"

#include <algorithm>
#include <vector>

#include "framework/GdiHandles.h"
#include "framework/Graphics.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "framework/SavedDC.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/painting/ParentBackground.h"

namespace {

// A child's WM_PAINT may paint its parent again, which would come back here.
bool gPaintingGraphicChildren = false;

class TReentryGuard {
 public:
  TReentryGuard() { gPaintingGraphicChildren = true; }
  ~TReentryGuard() { gPaintingGraphicChildren = false; }
  TReentryGuard(const TReentryGuard&) = delete;
  TReentryGuard& operator=(const TReentryGuard&) = delete;
};

bool Designing(const TControl* Control) { return (Control->ComponentState() & csDesigning) != 0; }

bool ClipBoxEmpty(HDC DC, RECT& Box) {
  return GetClipBox(DC, &Box) == NULLREGION || Box.right <= Box.left || Box.bottom <= Box.top;
}

void CopyFromBackground(HDC Mem, const RECT& R, const TacBackgroundInfo& Info) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  BitBlt(Mem, R.left, R.top, R.right - R.left, R.bottom - R.top, Info.Bmp->DC(), R.left + Info.OffsetX,
         R.top + Info.OffsetY, SRCCOPY);
}

// The parent's background under one child: the bitmap where it is ready,
// else the colour, with the bitmap's parts outside the fill rectangle.
void PutBackground(HDC Mem, const RECT& R, const TacBackgroundInfo& Info) {
  if (Info.BgKind == bgkBitmap && Info.Bmp) return CopyFromBackground(Mem, R, Info);
  FillRectOnDC(Mem, R, ColorToRGB(TColor(Info.Color)), 0);
  if (!Info.Bmp) return;
  const RECT& F = Info.FillRect;
  CopyFromBackground(Mem, RECT{R.left, R.top, R.right, std::min(R.bottom, F.top)}, Info);
  CopyFromBackground(Mem, RECT{R.left, R.top, std::min(R.right, F.left), R.bottom}, Info);
  CopyFromBackground(Mem, RECT{R.left, std::max(R.top, F.bottom), R.right, R.bottom}, Info);
  CopyFromBackground(Mem, RECT{std::max(R.left, F.right), R.top, R.right, R.bottom}, Info);
}

void PaintChild(HDC Mem, HDC DC, TWinControl* Container, TControl* Child) {
  TSavedDC Saved(Mem);
  RECT Bounds = Child->BoundsRect();
  if (!RectVisible(DC, &Bounds)) SendCtrlCommand(Child, AC_SETCHILDBGFLAG, 0);
  MoveDCOrigin(Mem, Bounds.left, Bounds.top);
  IntersectClipRect(Mem, 0, 0, Child->Width(), Child->Height());
  const TControlState Before = Child->ControlState();
  if (Container->ControlState() & csPaintCopy) Child->SetControlState(Before | csPaintCopy);
  try {
    Child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Mem), 0);
  } catch (...) {
    Child->SetControlState(Before);
    throw;
  }
  Child->SetControlState(Before);
}

}  // namespace

bool IsGraphicChildVisible(TControl* Child, HDC DC) {
  if (!Child || dynamic_cast<TWinControl*>(Child)) return false;
  if (!(Child->Visible() || Designing(Child)) || Child->Width() <= 0 || Child->Height() <= 0) return false;
  if ((Child->ControlStyle() & csNoDesignVisible) || Child->Destroying()) return false;
  RECT Bounds = Child->BoundsRect();
  return RectVisible(DC, &Bounds) != FALSE;
}

void PaintGraphicChildren(HDC DC, TWinControl* Container, POINT Offset, bool CheckVisible) {
  if (gPaintingGraphicChildren || !Container) return;
  TReentryGuard Guard;
  if (!(Container->Visible() || Designing(Container) || !CheckVisible) || Container->ControlCount() == 0) return;
  RECT ClipBox{};
  if (ClipBoxEmpty(DC, ClipBox)) {
    if (HWND Wnd = Container->HandleIfAllocated()) SendWndCommand(Wnd, AC_SETCHILDBGFLAG, 0);
    return;
  }
  TacBackgroundInfo Info;
  Info.R = RECT{0, 0, Container->Width(), Container->Height()};
  QueryControlBackground(Info, Container, false);

  std::vector<TControl*> Painted;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* Child = Container->Controls(i);
    RECT Bounds = Child->BoundsRect(), Common;
    if (IsGraphicChildVisible(Child, DC) && IntersectRect(&Common, &Bounds, &ClipBox)) Painted.push_back(Child);
  }
  if (Painted.empty()) return;

  const TWindowDC Screen(nullptr);
  const TOwnedBitmap Image(CreateCompatibleBitmap(Screen.get(), Container->Width(), Container->Height()));
  const TMemoryDC Mem = TMemoryDC::CompatibleWith(Screen.get());
  if (!Image || !Mem) return;
  const TSelectObject Selected(Mem.get(), Image.get());
  for (TControl* Child : Painted) PutBackground(Mem.get(), Child->BoundsRect(), Info);
  for (TControl* Child : Painted) PaintChild(Mem.get(), DC, Container, Child);
  for (TControl* Child : Painted) {
    // The key colour at the child's corner: it drew nothing of its own.
    if (GetPixel(Mem.get(), Child->Left(), Child->Top()) == 0xFF00FF) continue;
    BitBlt(DC, Child->Left() + Offset.x, Child->Top() + Offset.y, Child->Width(), Child->Height(), Mem.get(),
           Child->Left(), Child->Top(), SRCCOPY);
  }
}
