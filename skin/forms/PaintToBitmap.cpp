#include "skin/forms/PaintToBitmap.h"

#include "framework/Form.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/core/SkinUtils.h"
#include "skin/forms/ChildMessages.h"
#include "framework/SavedDC.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/painting/ParentBackground.h"

namespace {

bool Designing(const TControl* Control) { return (Control->ComponentState() & csDesigning) != 0; }

// A form without a parent is painted at the origin it is given, since its
// position is on the screen, not in the container.
bool IsTopForm(const TControl* Control) { return dynamic_cast<const TForm*>(Control) && !Control->Parent(); }

// The cover window of a form's show and hide animation: painting it into
// the form's own image would freeze the animation's first frame in it.
bool IsAnimationCover(const TControl* Control) { return Control->ClassName() == L"TOutputWindow"; }

// The parent's background where the hidden control would be.
void PaintParentBackground(HDC DC, TControl* Control, int X, int Y) {
  TacBackgroundInfo Info;
  Info.R = Control->BoundsRect();
  QueryControlBackground(Info, Control->Parent(), false);
  if (Info.BgKind == bgkBitmap && Info.Bmp) {
    BitBlt(DC, X, Y, Control->Width(), Control->Height(), Info.Bmp->DC(), Control->Left() + Info.OffsetX,
           Control->Top() + Info.OffsetY, SRCCOPY);
    return;
  }
  // The colour may be a system colour code.
  FillRectOnDC(DC, RECT{X, Y, X + Control->Width(), Y + Control->Height()}, ColorToRGB(TColor(Info.Color)), 0);
}

LRESULT SetPrintDC(HWND Wnd, bool On, HDC DC) {
  return SendWndMessage(Wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_SETPRINTDC, On ? 1 : 0),
                        reinterpret_cast<LPARAM>(DC));
}

void PaintWindowed(TBitmap& Bmp, TWinControl* Control, TacProviderPainting* Provider) {
  HDC DC = Bmp.DC();
  HWND Wnd = Control->HandleIfAllocated();
  bool SelfPrinted = false;
  LRESULT PrintAnswer = 0;
  if (Wnd && (SetPrintDC(Wnd, true, DC) == 1 || IsWindowSkinned(Wnd))) {
    SelfPrinted = true;
    PrintAnswer = SendWndMessage(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(DC), 0);
    SetPrintDC(Wnd, false, DC);
  } else {
    Control->PaintTo(DC, 0, 0);
    Wnd = Control->HandleIfAllocated();
  }
  // -2: the window printed its children itself.
  if (SelfPrinted && PrintAnswer != -2) PaintChildrenToBitmap(Control, Bmp);
  if (Provider) {
    Provider->MakeClientOpaque(Bmp);
    if (Wnd) SendWndCommand(Wnd, AC_NEWFORMCACHE, reinterpret_cast<LPARAM>(&Bmp));
  }
}

void PaintGraphic(HDC DC, TControl* Control) {
  SendCtrlMessage(Control, WM_SKINCOMMAND, SkinCommandWParam(AC_SETPRINTDC, 1), reinterpret_cast<LPARAM>(DC));
  Control->Perform(WM_PRINT, reinterpret_cast<WPARAM>(DC), 0);
  SendCtrlMessage(Control, WM_SKINCOMMAND, SkinCommandWParam(AC_SETPRINTDC, 0), reinterpret_cast<LPARAM>(DC));
}

}  // namespace

void PaintControlToBitmap(TBitmap& Bmp, TControl* Control, int X, int Y, TacProviderPainting* Provider,
                          bool PaintSiblings) {
  if (!Control) return;
  HDC DC = Bmp.DC();
  if (!DC) return;
  // The clip is the bitmap DC's own state: it must not outlive this call.
  // The overlapping siblings are painted inside it.
  TSavedDC Saved(DC);
  if (Provider || !Control->Parent() || Control->Visible() || Designing(Control)) {
    if (!Provider || !Provider->HasBorderForm()) IntersectClipRect(DC, 0, 0, Control->Width(), Control->Height());
    if (auto* Windowed = dynamic_cast<TWinControl*>(Control))
      PaintWindowed(Bmp, Windowed, Provider);
    else
      PaintGraphic(DC, Control);
  } else {
    PaintParentBackground(DC, Control, X, Y);
  }
  if (PaintSiblings) PaintOverlappingSiblings(Control, Bmp);
}

void PaintChildrenToBitmap(TWinControl* Container, TBitmap& Bmp) {
  if (!Container) return;
  HDC DC = Bmp.DC();
  for (int i = 0; i < Container->ControlCount(); ++i) {
    auto* Child = dynamic_cast<TWinControl*>(Container->Controls(i));
    if (!Child || !(Child->Visible() || Designing(Child)) || !Child->HandleAllocated()) continue;
    TSavedDC Saved(DC);
    if (!IsTopForm(Child)) MoveDCOrigin(DC, Child->Left(), Child->Top());
    PaintControlToBitmap(Bmp, Child, Child->Left(), Child->Top(), nullptr, false);
  }
}

void PaintOverlappingSiblings(TControl* Control, TBitmap& Bmp) {
  TWinControl* Parent = Control ? Control->Parent() : nullptr;
  if (!Parent) return;
  HDC DC = Bmp.DC();
  const RECT Bounds = Control->BoundsRect();
  int Index = 0;
  while (Index < Parent->ControlCount() && Parent->Controls(Index) != Control) ++Index;
  for (int i = Index + 1; i < Parent->ControlCount(); ++i) {
    TControl* Sibling = Parent->Controls(i);
    if (IsAnimationCover(Sibling) || !Sibling->Visible()) continue;
    const RECT SiblingBounds = Sibling->BoundsRect();
    if (!RectWithin(Bounds, SiblingBounds, false)) continue;
    TSavedDC Saved(DC);
    MoveDCOrigin(DC, SiblingBounds.left - Bounds.left, SiblingBounds.top - Bounds.top);
    PaintControlToBitmap(Bmp, Sibling, 0, 0, nullptr, false);
  }
}

void PaintWinChildrenTo(TWinControl* Container, TBitmap& Bmp) {
  if (!Container) return;
  HDC DC = Bmp.DC();
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* Child = Container->Controls(i);
    if (auto* Windowed = dynamic_cast<TWinControl*>(Child)) {
      if (!(Windowed->Visible() || Designing(Windowed)) || !Windowed->HandleAllocated()) continue;
      TSavedDC Saved(DC);
      if (!IsTopForm(Windowed)) MoveDCOrigin(DC, Windowed->Left(), Windowed->Top());
      Windowed->PaintTo(DC, 0, 0);
      PaintWinChildrenTo(Windowed, Bmp);
    } else if (Child->Visible() || Designing(Child)) {
      // A hidden graphic child is not part of its parent's image.
      TSavedDC Saved(DC);
      MoveDCOrigin(DC, Child->Left(), Child->Top());
      Child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
  }
}

void PaintWinControlTo(TBitmap& Bmp, TWinControl* Control) {
  if (!Control) return;
  HDC DC = Bmp.DC();
  if (!DC) return;
  SendMessageW(Control->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  PaintWinChildrenTo(Control, Bmp);
  GdiFlush();
  SetAlphaRect(Bmp, RECT{0, 0, Bmp.Width(), Bmp.Height()}, 255);
}

void PaintControlArea(TBitmap& Bmp, TControl* Control) {
  if (!Control) return;
  if (auto* Windowed = dynamic_cast<TWinControl*>(Control)) return PaintWinControlTo(Bmp, Windowed);
  if (!Control->Parent() || !Bmp.DC()) return;
  TSavedDC Saved(Bmp.DC());
  MoveDCOrigin(Bmp.DC(), -Control->Left(), -Control->Top());
  PaintWinControlTo(Bmp, Control->Parent());
}

void ClearBitmapRects(const std::vector<RECT>& Rects, TBitmap& Bmp) {
  GdiFlush();
  for (const RECT& R : Rects) FillRect32(Bmp, R, 0, 0);
}
